#include "core/sidebar_rules.h"

#include <algorithm>
#include <cmath>

#include "core/menu_caption.h"
#include "core/text.h"
#include "core/text_case.h"

namespace tolvane {
namespace {

constexpr std::wstring_view kForcedBreak = L"<br!>";
constexpr std::wstring_view kPreferredBreak = L"<br>";
constexpr std::wstring_view kNoBreakBlank = L"<br0>";
constexpr int kMargin = 6;

bool Present(const std::wstring& tag) { return !tag.empty(); }

// A whole number from a tag's text; `fallback` when there is none that fits.
int Number(const std::wstring& tag, int fallback) {
  if (auto v = CLng(Val(tag))) return *v;
  return fallback;
}

// The tags without the "Text:" tag: the text may hold words that read as
// tags ("Bold", "FSize:3"), and its value may occur inside other values.
std::wstring WithoutTextTag(std::wstring_view tags) {
  std::wstring out(tags);
  for (wchar_t delim : {L'|', L'{', L':'}) {
    std::wstring form = delim + std::wstring(L"Text:");
    std::size_t k = FindNoCase(out, form);
    if (k == std::wstring::npos) continue;
    std::size_t end = out.find(L'|', k + 2);
    if (end == std::wstring::npos) end = out.find(L'}', k + 2);
    if (end == std::wstring::npos) end = out.size();
    out.erase(k + 1, end - (k + 1));
    break;
  }
  return out;
}

std::optional<ColorValue> Named(const std::wstring& text, const ColourTranslate& translate) {
  if (auto v = ColorValueFromName(text)) return translate(*v);
  return std::nullopt;
}

bool ReadsAs(const std::wstring& text, double number) {
  auto v = ParseNumber(text);
  return v && *v == number;
}

// Splits line `i` at `at`, dropping `width` separator characters.
void SplitLine(std::vector<std::wstring>& lines, std::size_t i, std::size_t at, std::size_t width) {
  std::wstring rest = lines[i].substr(std::min(at + width, lines[i].size()));
  lines[i].erase(at);
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(rest));
}

// The blank nearest the middle of a line holding at least one.
std::size_t NearestBlank(const std::wstring& line) {
  const std::size_t middle = line.size() / 2;  // counted from 1, as the distances are
  const std::size_t after = line.find(L' ', middle > 0 ? middle - 1 : 0);
  const std::size_t before = middle > 0 ? line.rfind(L' ', middle - 1) : std::wstring::npos;
  if (after == std::wstring::npos) return before;
  if (before == std::wstring::npos) return after;
  return middle - (before + 1) > (after + 1) - middle ? after : before;
}

std::wstring Joined(const std::vector<std::wstring>& lines) {
  std::wstring out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) out += L"\r\n";
    out += lines[i];
  }
  return ReplaceAllNoCase(ReplaceAllNoCase(out, kPreferredBreak, L" "), kNoBreakBlank, L" ");
}

}  // namespace

SidebarSpec ReadSidebarSpec(std::wstring_view tags) {
  SidebarSpec spec;
  std::wstring text = GetCaptionTag(tags, L"Text:");
  spec.hasText = Present(text);
  spec.text = text;
  const std::wstring rest = WithoutTextTag(tags);
  auto tag = [&](std::wstring_view key) { return GetCaptionTag(rest, key); };
  spec.image = tag(L"IMG:");
  spec.width = std::max(Number(tag(L"Width:"), kMinSidebarWidth), kMinSidebarWidth);
  spec.align = tag(L"ALIGN:");
  spec.back = tag(L"BColor:");
  spec.gradient = tag(L"GColor:");
  spec.transparent = Present(tag(L"Transparent"));
  if (std::wstring face = tag(L"FONT:"); Present(face)) spec.face = face;
  spec.bold = Present(tag(L"BOLD"));
  spec.italic = Present(tag(L"ITALIC"));
  spec.underline = Present(tag(L"UNDERLINE"));
  if (std::wstring size = tag(L"FSize:"); Present(size)) spec.largest = std::clamp(Number(size, 7), 7, 24);
  if (std::wstring size = tag(L"MINFSIZE:"); Present(size))
    spec.smallest = std::min(std::max(Number(size, 5), 5), spec.largest);
  spec.textColour = tag(L"FColor:");
  return spec;
}

SidebarColours PictureSidebarColours(const SidebarSpec& spec, const ColourTranslate& translate) {
  SidebarColours c;
  if (ReadsAs(spec.back, 1)) c.back = translate(SystemColorValue(4));
  else if (ReadsAs(spec.back, -1)) c.back = -1;
  else c.back = Named(spec.back, translate).value_or(-1);
  c.gradient = Named(spec.gradient, translate).value_or(1);
  c.drawGradient = c.gradient != 1 && c.gradient != c.back && c.back >= 0;
  c.backFromPicture = !c.drawGradient && c.back == -1;
  return c;
}

SidebarColours TextSidebarColours(const SidebarSpec& spec, const ColourTranslate& translate) {
  SidebarColours c;
  const ColorValue menu = translate(SystemColorValue(4));
  c.back = !Present(spec.back) || ReadsAs(spec.back, 1) ? menu : Named(spec.back, translate).value_or(menu);
  c.gradient = Named(spec.gradient, translate).value_or(1);
  c.drawGradient = c.gradient != 1 && c.gradient != c.back;
  c.text = Named(spec.textColour, translate).value_or(0);
  return c;
}

int SidebarFontHeight(int points, double twipsPerPixelY) {
  if (twipsPerPixelY <= 0) twipsPerPixelY = 15;
  return static_cast<int>(std::nearbyint(-20.0 * points / twipsPerPixelY));
}

std::optional<SidebarPlacement> PlaceSidebarPicture(int imageWidth, int imageHeight, int width, int height,
                                                    std::wstring_view align) {
  if (imageWidth <= 0 || imageHeight <= 0) return std::nullopt;
  SidebarPlacement p{0, 0, imageWidth, imageHeight};
  if (imageWidth > width || imageHeight > height) {
    const float scale = std::min(static_cast<float>(width) / static_cast<float>(imageWidth),
                                 static_cast<float>(height) / static_cast<float>(imageHeight));
    p.width = static_cast<int>(std::nearbyint(static_cast<float>(imageWidth) * scale));
    p.height = static_cast<int>(std::nearbyint(static_cast<float>(imageHeight) * scale));
  }
  p.x = (width - p.width) / 2;
  if (EqualNoCase(align, L"Top")) p.y = 0;
  else if (EqualNoCase(align, L"Bot")) p.y = height - p.height;
  else p.y = (height - p.height) / 2;
  return p;
}

std::wstring BreakSidebarLines(std::vector<std::wstring>& lines, bool firstCall, const LineMeasure& measure,
                               int longest) {
  if (lines.empty()) lines.emplace_back();
  for (std::size_t k; (k = FindNoCase(lines.back(), kForcedBreak)) != std::wstring::npos;)
    SplitLine(lines, lines.size() - 1, k, kForcedBreak.size());
  if (!firstCall) {
    bool broke = false;
    for (std::size_t i = 0; i < lines.size() && !broke; ++i) {
      if (std::size_t k = FindNoCase(lines[i], kPreferredBreak); k != std::wstring::npos) {
        SplitLine(lines, i, k, kPreferredBreak.size());
        broke = true;
      }
    }
    for (std::size_t i = 0; i < lines.size() && !broke; ++i) {
      if (lines[i].find(L' ') == std::wstring::npos) continue;
      if (static_cast<long long>(measure(SidebarLineText(lines[i]))) + kMargin <= longest) continue;
      SplitLine(lines, i, NearestBlank(lines[i]), 1);
      broke = true;
    }
    if (!broke) return L"";
  }
  return Joined(lines);
}

std::wstring SidebarLineText(std::wstring_view line) {
  return ReplaceAllNoCase(Trim(ReplaceAllNoCase(line, kPreferredBreak, L" ")), kNoBreakBlank, L" ");
}

SidebarTextFit FitSidebarText(std::wstring_view text, int largest, int smallest, int width, int height,
                              const BlockMeasure& measure, const SizedLineMeasure& measureLine) {
  SidebarTextFit fit;
  fit.lines = {std::wstring(text)};
  int points = largest;
  auto lineAt = [&](std::wstring_view line) { return measureLine(line, points); };
  std::wstring joined = BreakSidebarLines(fit.lines, true, lineAt, height);
  auto tooBig = [&](const TextExtent& e) {
    return static_cast<long long>(e.length) + kMargin > height || e.thickness > width;
  };
  for (;;) {
    TextExtent extent = measure(joined, points);
    while (tooBig(extent) && smallest + 1 < points) extent = measure(joined, --points);
    fit.points = points;
    fit.extent = extent;
    if (static_cast<long long>(extent.length) + kMargin <= height) break;
    // Thinner than the bar: a break may let a larger size fit again.
    if (extent.thickness < width) points = largest;
    std::wstring more = BreakSidebarLines(fit.lines, false, lineAt, height);
    if (more.empty()) break;  // drawn as it stands, at the size it was measured at
    joined = std::move(more);
  }
  return fit;
}

int SidebarLineStart(std::wstring_view align, int height, int length) {
  if (EqualNoCase(align, L"Bot")) return height - 3;
  if (EqualNoCase(align, L"Top")) return length + 3;
  return (height - length) / 2 + length;
}

}  // namespace tolvane
