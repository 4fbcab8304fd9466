// The access key of a button caption, as the text drawing underlines it:
// the character after the first single "&"; "&&" stands for one "&".
#pragma once

#include <string_view>

namespace imagebutton {

// The access key in lower case, or 0 when the caption has none.
wchar_t AccessKey(std::wstring_view caption);

}  // namespace imagebutton
