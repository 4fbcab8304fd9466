// The rules of a pop-up's side bar that need no window: what its tag block
// asks for, how its text is broken into lines and fitted along the bar, and
// where a picture lands. Measuring is the caller's, passed in as functions.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/menu_draw_rules.h"

namespace tolvane {

// The side bar drawn when a picture side bar names a picture that cannot be had.
inline constexpr std::wstring_view kDefaultSidebarSpec =
    L"{Sidebar|Text: |FColor:8388608|BColor:12615680|GColor:16776960|Font:Times New Roman|FSize:14|"
    L"MinFSize:9|Width:32|Align:Bot}";

inline constexpr int kMinSidebarWidth = 35;

struct SidebarSpec {
  std::wstring image;     // "IMG:"; empty for a text side bar
  int width = kMinSidebarWidth;
  std::wstring align;     // "Top", "Bot"; anything else centres
  std::wstring back;      // "BColor:" as written, "" when absent
  std::wstring gradient;  // "GColor:"
  bool transparent = false;
  bool hasText = false;
  std::wstring text;
  std::wstring face = L"Arial";
  bool bold = false, italic = false, underline = false;
  int largest = 11;  // points
  int smallest = 5;
  std::wstring textColour;  // "FColor:"
};

// Reads a side bar's tag block. The "Text:" tag is taken out before the
// other tags are read, so words of the text are never taken for tags.
SidebarSpec ReadSidebarSpec(std::wstring_view tags);

// The colours of a side bar, system colours looked up by `translate`.
struct SidebarColours {
  ColorValue back = 0;
  ColorValue gradient = 1;  // meaningful when `drawGradient`
  bool drawGradient = false;
  bool backFromPicture = false;  // a picture side bar's back is its top-left pixel
  ColorValue text = 0;
};
using ColourTranslate = std::function<ColorValue(ColorValue)>;
SidebarColours PictureSidebarColours(const SidebarSpec& spec, const ColourTranslate& translate);
SidebarColours TextSidebarColours(const SidebarSpec& spec, const ColourTranslate& translate);

// The LOGFONT height of a size in points.
int SidebarFontHeight(int points, double twipsPerPixelY);

// Where a picture of `imageWidth` x `imageHeight` lands in a bar of `width`
// x `height`: kept at its size when it fits, else shrunk keeping its shape;
// centred across, placed along by `align`. Nothing for a picture of no size.
struct SidebarPlacement {
  int x = 0, y = 0, width = 0, height = 0;
};
std::optional<SidebarPlacement> PlaceSidebarPicture(int imageWidth, int imageHeight, int width, int height,
                                                    std::wstring_view align);

// The width of one line of text as drawn, in pixels.
using LineMeasure = std::function<int(std::wstring_view line)>;

// Breaks the side bar's text, held in `lines`. Every "<br!>" always breaks.
// With `firstCall` false, one more break is made: at the first "<br>", else
// at the blank nearest the middle of the first line with a blank wider than
// `longest`. The result is the lines joined with CR LF and their marks made
// blanks, or "" when no further break could be made (the lines unchanged).
std::wstring BreakSidebarLines(std::vector<std::wstring>& lines, bool firstCall, const LineMeasure& measure,
                               int longest);

// A line as drawn: marks made blanks, outer blanks trimmed.
std::wstring SidebarLineText(std::wstring_view line);

// Fitting the text along a bar `height` long and `width` thick: the font
// shrinks size by size down to one above `smallest`, then lines are broken
// one at a time starting again from `largest`, until the text fits or no
// break is left.
struct TextExtent {
  int length = 0;     // along the bar
  int thickness = 0;  // across it
};
// Measures `text` (lines separated by CR LF) in the font of `points`.
using BlockMeasure = std::function<TextExtent(std::wstring_view text, int points)>;
using SizedLineMeasure = std::function<int(std::wstring_view line, int points)>;
struct SidebarTextFit {
  int points = 0;
  std::vector<std::wstring> lines;
  TextExtent extent;  // measured at `points`
};
SidebarTextFit FitSidebarText(std::wstring_view text, int largest, int smallest, int width, int height,
                              const BlockMeasure& measure, const SizedLineMeasure& measureLine);

// Along the bar, from its bottom: where a line `length` long starts.
int SidebarLineStart(std::wstring_view align, int height, int length);

}  // namespace tolvane
