// Generated list menus: the built-in lists a tag's value asks for, the
// captions of a list control's entries, and what choosing an entry means.
#include "core/list_menu_rules.h"
#include "core/menu_caption.h"
#include "core/text.h"
#include "fuzz_support.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::wstring value = fuzz::Wide(data + 1, size - 1);
  const std::wstring_view key = kPresetListKeys[data[0] % kPresetListKeys.size()];

  ListContext context;
  context.today = {1 + data[0] * 37 % 9999, 1 + data[0] % 12, 1 + data[0] % 28};
  for (auto& n : context.names.months) n = L"M";
  for (auto& n : context.names.shortMonths) n = L"m";
  for (auto& n : context.names.days) n = L"D";
  const PresetList list = BuildPresetList(key, value, context);
  unsigned previous = kFirstListId + 1;
  int checked = 0;
  for (const ListEntry& e : list.entries) {
    FUZZ_CHECK(e.id >= 1 && e.id < previous);
    previous = e.id;
    if (e.flags & kEntryChecked) ++checked;
    if (e.flags & kEntryDisabled) continue;  // headers and separators
    const ListChoice choice = DecodeListChoice(e.caption);
    FUZZ_CHECK(choice.kind != ListChoice::Kind::None && choice.kind != ListChoice::Kind::Control);
  }
  FUZZ_CHECK(checked <= 1 || key == L"lvColors:");
  FUZZ_CHECK(list.entries.size() <= 51);

  // A list control's entry reaches its control whatever its text, unless
  // the text brings mark-up of its own.
  const auto handle = static_cast<HandleValue>(size) * 0x9E3779B97F4A7C15ULL;
  const std::wstring tags = ControlEntryTags(handle, data[0], data[0] % 3);
  const std::wstring caption = ControlEntryCaption(value, tags);
  if (value.find_first_of(L"}|:\t") == std::wstring::npos) {
    const ListChoice choice = DecodeListChoice(caption);
    FUZZ_CHECK(choice.kind == ListChoice::Kind::Control);
    FUZZ_CHECK(choice.control == handle && choice.index == data[0] && choice.listType == data[0] % 3);
    if (value.find(L'{') == std::wstring::npos) FUZZ_CHECK(SplitCaption(caption).text == DoubleAmpersands(Trim(value)));
  }
  DecodeListChoice(value);
  return 0;
}
