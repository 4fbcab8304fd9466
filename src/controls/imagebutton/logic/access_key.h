// The access key of a button caption; the forms find a control's access key
// by the same rule.
#pragma once

#include <string_view>

#include "core/access_key.h"

namespace imagebutton {

// The access key in lower case, or 0 when the caption has none.
inline wchar_t AccessKey(std::wstring_view caption) { return tolvane::AccessKey(caption); }

}  // namespace imagebutton
