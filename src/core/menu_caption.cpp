#include "core/menu_caption.h"

namespace tolvane {

std::wstring CaptionText(std::wstring_view caption) {
  if (!caption.empty() && caption.back() == L'}') {
    std::size_t open = caption.rfind(L"{IMG:");
    if (open != std::wstring_view::npos) return std::wstring(caption.substr(0, open));
  }
  return std::wstring(caption);
}

std::wstring GroupItemCaption(std::wstring_view groupName) {
  return std::wstring(groupName) + L"{IMG:i9}";
}

}  // namespace tolvane
