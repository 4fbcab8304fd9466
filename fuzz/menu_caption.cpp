// Menu captions and their trailing picture tag.
#include "core/menu_caption.h"
#include "fuzz_support.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring caption = fuzz::Wide(data, size);
  const std::wstring text = CaptionText(caption);
  FUZZ_CHECK(fuzz::StartsWith(caption, text));
  if (text.size() < caption.size()) FUZZ_CHECK(fuzz::EndsWith(caption, L"}") && caption.find(L"{IMG:", text.size()) == text.size());
  // Whatever a group is called, its menu item shows that name.
  FUZZ_CHECK(CaptionText(GroupItemCaption(caption)) == caption);
  return 0;
}
