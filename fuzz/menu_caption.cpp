// Menu caption mark-up: the split into text, tags and accelerator, tag
// lookups, and the captions of groups whose names the user typed.
#include "core/menu_caption.h"
#include "fuzz_support.h"

#include <array>

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring caption = fuzz::Wide(data, size);
  const std::wstring text = CaptionText(caption);
  FUZZ_CHECK(fuzz::StartsWith(caption, text));
  if (text.size() < caption.size()) FUZZ_CHECK(fuzz::EndsWith(caption, L"}") && caption.find(L"{IMG:", text.size()) == text.size());

  const CaptionParts parts = SplitCaption(caption);
  const std::size_t tab = caption.find(L'\t');
  FUZZ_CHECK(parts.accelerator == (tab == std::wstring::npos ? L"" : caption.substr(tab + 1)));
  FUZZ_CHECK(parts.text.size() <= caption.size() && parts.text.find(L'\t') == std::wstring::npos);
  FUZZ_CHECK(parts.tags.empty() || (parts.tags.front() == L'{' && parts.tags.back() == L'|'));
  const CaptionParts replaced = SplitCaption(caption, {true, -12});
  FUZZ_CHECK(replaced.text == parts.text && replaced.accelerator == parts.accelerator);

  // Keys the engine asks for, and one made of the input's first characters.
  const std::wstring own = caption.substr(0, 3);
  const std::array<std::wstring_view, 8> keys = {L"IMG:", L"TIP:", L"DEFAULT", L"Group:", L"ALIGN:", L"Sidebar", L"", own};
  for (std::wstring_view key : keys) {
    for (const std::wstring* in : {&parts.tags, &caption}) {
      const std::wstring value = GetCaptionTag(*in, key);
      if (key.size() > 1 && key.find(L'|') == std::wstring_view::npos && own != key)
        FUZZ_CHECK(value.find(L'|') == std::wstring::npos);
    }
  }

  // Whatever a group is called, its item shows that name and only the
  // program's own tag is read.
  const CaptionParts group = LiteralCaption(caption, kGroupItemTags);
  FUZZ_CHECK(group.text == caption && group.accelerator.empty());
  FUZZ_CHECK(GetCaptionTag(group.tags, L"IMG:") == L"i9");
  return 0;
}
