// Menu captions carry a small mark-up for the menu engine: an item text, an
// optional TAB and accelerator text, and one tag block "{KEY:value|KEYWORD}"
// that tells the engine how to draw the item ("{IMG:i9}" names a picture).
#pragma once

#include <string>
#include <string_view>

namespace tolvane {

struct CaptionParts {
  std::wstring text;         // without the tag block, trimmed of blanks
  std::wstring tags;         // working form "{IMG:i5|DEFAULT|", or empty
  std::wstring accelerator;  // what follows the first TAB, as written
};

// The menu engine's switches that bear on reading a caption: while its
// menus are to be restored when their window goes, the picture every
// caption names is `imageTagOverride`.
struct CaptionSwitches {
  bool restoreOnExit = false;
  long long imageTagOverride = 0;
};

// Splits a caption into its text, tag block and accelerator. The block is
// the first "{" before the TAB up to the first "}" after it; every copy of
// it leaves the text. With `restoreOnExit` set, the first "IMG:" tag's text
// becomes "IMG:" and the override, wherever it stands in the tags.
CaptionParts SplitCaption(std::wstring_view caption, const CaptionSwitches& switches = {});

// The parts of a caption whose text is the user's own (a group name): the
// text stays exactly as typed, and only the program's own `tags` (a block
// such as "{IMG:i9}") count as mark-up.
CaptionParts LiteralCaption(std::wstring_view text, std::wstring_view tags, const CaptionSwitches& switches = {});

// The value of one tag, its key matched in any letter case: "" when absent;
// "True" for a keyword that is present; "0" for a key present with no value.
// A tip's text is never taken for another tag.
std::wstring GetCaptionTag(std::wstring_view tags, std::wstring_view key);

// The caption's text: the caption without a trailing "{IMG:…}" tag.
std::wstring CaptionText(std::wstring_view caption);

// The program's own mark-up of a group's menu item: the group picture.
inline constexpr std::wstring_view kGroupItemTags = L"{IMG:i9}";

}  // namespace tolvane
