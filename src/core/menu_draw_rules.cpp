#include "core/menu_draw_rules.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "core/access_key.h"
#include "core/text.h"

namespace tolvane {
namespace {

struct NamedColor {
  std::wstring_view name;
  ColorValue value;
};

// The names captions use, with their colour or their system colour.
constexpr NamedColor kNamedColors[] = {
    {L"vbWhite", 0xFFFFFF},      {L"vbBlack", 0},           {L"vbBlue", 0xFF0000},
    {L"vbGreen", 0xFF00},        {L"vbRed", 0xFF},          {L"vbMagenta", 0xFF00FF},
    {L"vbYellow", 0xFFFF},       {L"vbCyan", 0xFFFF00},     {L"vbMaroon", 0x80},
    {L"vbOlive", 0x8080},        {L"vbNavy", 0x800000},     {L"vbPurple", 0x800080},
    {L"vbTeal", 0x808000},       {L"vbGray", 0x808080},     {L"vbSilver", 0xC0C0C0},
    {L"vbViolet", 0x9020D0},     {L"vbOrange", 0xA5FF},     {L"vbGold", 0xAACC},
    {L"vbIvory", 0xF0FFFF},      {L"vbPeach", 0xB9DAFF},    {L"vbTurquoise", 0xD1CE00},
    {L"vbTan", 0x8CB4D2},        {L"vbBrown", 0x4466},
    {L"vbScrollBars", SystemColorValue(0)},           {L"vbDesktop", SystemColorValue(1)},
    {L"vbActiveTitleBar", SystemColorValue(2)},       {L"vbInactiveTitleBar", SystemColorValue(3)},
    {L"vbMenuBar", SystemColorValue(4)},              {L"vbWindowBackground", SystemColorValue(5)},
    {L"vbWindowFrame", SystemColorValue(6)},          {L"vbMenuText", SystemColorValue(7)},
    {L"vbWindowText", SystemColorValue(8)},           {L"vbTitleBarText", SystemColorValue(9)},
    {L"vbActiveBorder", SystemColorValue(10)},        {L"vbInactiveBorder", SystemColorValue(11)},
    {L"vbApplicationWorkspace", SystemColorValue(12)}, {L"vbHighlight", SystemColorValue(13)},
    {L"vbHighlightText", SystemColorValue(14)},       {L"vbButtonFace", SystemColorValue(15)},
    {L"vbButtonShadow", SystemColorValue(16)},        {L"vbGrayText", SystemColorValue(17)},
    {L"vbButtonText", SystemColorValue(18)},          {L"vbInactiveCaptionText", SystemColorValue(19)},
    {L"vb3DHighlight", SystemColorValue(20)},         {L"vb3DDKShadow", SystemColorValue(21)},
    {L"vb3DLight", SystemColorValue(22)},             {L"vb3DFace", SystemColorValue(15)},
    {L"vb3Dshadow", SystemColorValue(16)},            {L"vbInfoText", SystemColorValue(23)},
    {L"vbInfoBackground", SystemColorValue(24)},
};

bool SameLetters(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return KeyToLower(x) == KeyToLower(y); });
}

std::optional<ColorValue> AsColor(double value) {
  if (auto v = CLng(value)) return *v;
  return std::nullopt;
}

int Channel(std::uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

}  // namespace

std::optional<int> SystemColorIndex(ColorValue color) {
  if (color >= 0) return std::nullopt;
  return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFF);
}

std::optional<ColorValue> ColorValueFromName(std::wstring_view text) {
  if (auto number = ParseNumber(text)) return AsColor(*number);
  for (const auto& named : kNamedColors)
    if (SameLetters(text, named.name)) return named.value;
  if (text.size() >= 2 && text[0] == L'&' && KeyToLower(text[1]) == L'h') return AsColor(Val(text));
  return std::nullopt;
}

GradientBands PlanGradient(int length, int screenLength) {
  if (length <= 0) return {0, 1};
  // Wide gradients are drawn in two-pixel bands: half the work, and the eye
  // cannot tell at that size.
  if (length >= 2 && screenLength / length < 5) return {length / 2, 2};
  return {length, 1};
}

std::vector<std::uint32_t> GradientColors(std::uint32_t from, std::uint32_t to, int steps) {
  if (steps <= 0) return {from & 0xFFFFFF};
  std::vector<std::uint32_t> colors;
  colors.reserve(static_cast<std::size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    std::uint32_t color = 0;
    for (int shift : {0, 8, 16}) {
      const int a = Channel(from, shift), b = Channel(to, shift);
      const double exact = a + static_cast<double>(b - a) * i / steps;
      const int value = std::clamp(CLng(exact).value_or(a), 0, 255);
      color |= static_cast<std::uint32_t>(value) << shift;
    }
    colors.push_back(color);
  }
  return colors;
}

MaskedBlitPlan PlanMaskedBlit(int bitmapWidth, int bitmapHeight, BlitBox source, BlitBox dest, int width,
                              int height) {
  MaskedBlitPlan plan;
  // Sizes are worked out wide, so no corner however far off overflows; a
  // size that does not fit a pixel count draws nothing.
  using Wide = long long;
  auto Fits = [](Wide v) { return v >= INT_MIN && v <= INT_MAX; };
  Wide w = width, h = height;
  if (w == 0) w = source.right >= 1 ? Wide{source.right} - source.left : bitmapWidth;
  if (h == 0) h = source.bottom >= 1 ? Wide{source.bottom} - source.top : bitmapHeight;
  if (source.right == 0) source.right = bitmapWidth;
  if (source.bottom == 0) source.bottom = bitmapHeight;
  plan.source = source;
  const Wide destW = dest.right == 0 ? w : Wide{dest.right} - dest.left;
  const Wide destH = dest.bottom == 0 ? h : Wide{dest.bottom} - dest.top;
  const Wide sourceW = Wide{source.right} - source.left, sourceH = Wide{source.bottom} - source.top;
  if (!Fits(destW) || !Fits(destH) || !Fits(sourceW) || !Fits(sourceH) || !Fits(w) || !Fits(h)) return plan;
  plan.destWidth = static_cast<int>(destW);
  plan.destHeight = static_cast<int>(destH);
  if (w <= 0 || h <= 0 || destW <= 0 || destH <= 0 || sourceW <= 0 || sourceH <= 0) return plan;
  if (w > destW || h > destH) {
    const double scale = std::min(static_cast<double>(destW) / w, static_cast<double>(destH) / h);
    w = CLng(w * scale).value_or(0);
    h = CLng(h * scale).value_or(0);
  }
  plan.width = static_cast<int>(w);
  plan.height = static_cast<int>(h);
  plan.draws = w > 0 && h > 0;
  return plan;
}

}  // namespace tolvane
