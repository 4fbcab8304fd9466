// Menu captions may end in an image tag, "{IMG:i9}", naming the picture the
// menu shows in front of the text.
#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// The caption's text: the caption without a trailing "{IMG:…}" tag.
std::wstring CaptionText(std::wstring_view caption);

// The caption of a group's menu item: its name and the group picture's tag.
std::wstring GroupItemCaption(std::wstring_view groupName);

}  // namespace tolvane
