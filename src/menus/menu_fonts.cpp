#include "menus/menu_fonts.h"

#include <array>
#include <cstdlib>
#include <cwchar>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/text.h"
#include "core/twips.h"

namespace menus {

std::wstring MenuFontName;
float MenuFontSize = 0;
HWND StoredHwnd = nullptr;

namespace {

std::array<HFONT, kFontSlots> fonts{};  // slot 0 unused: each selection keeps its own
int widthCorrection = 0;
bool gradientHighlight = false;
bool iconShadow = false;
bool highlightDisabled = false;
bool italicText = false;

// Fonts selected into a DC right now, and those deleted meanwhile.
std::unordered_map<HFONT, int>& Uses() {
  static std::unordered_map<HFONT, int> uses;
  return uses;
}
std::unordered_set<HFONT>& Retired() {
  static std::unordered_set<HFONT> retired;
  return retired;
}

void DeleteFontWhenFree(HFONT font) {
  if (!font) return;
  if (Uses()[font] > 0) Retired().insert(font);
  else ::DeleteObject(font);
}

void MakeSlot(int slot, const LOGFONTW& lf) {
  DeleteFontWhenFree(fonts[slot]);
  fonts[slot] = ::CreateFontIndirectW(&lf);
}

NONCLIENTMETRICSW SystemMetrics() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) metrics = {};
  return metrics;
}

// A font height in pixels for a point size: negative, a character height.
LONG HeightFor(double points) {
  return tolvane::CLng(points * -20.0 / tolvane::kTwipsPerPixel).value_or(0);
}

void SetFace(LOGFONTW& lf, const std::wstring& face) {
  // The face field holds 31 characters and the NUL: a longer name is cut.
  std::wmemset(lf.lfFaceName, 0, LF_FACESIZE);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
}

}  // namespace

std::wstring GetMenuFontName() {
  if (MenuFontName.empty() || MenuFontSize == 0) {
    NONCLIENTMETRICSW metrics = SystemMetrics();
    const LOGFONTW& lf = metrics.lfMenuFont;
    if (MenuFontName.empty()) MenuFontName.assign(lf.lfFaceName, ::wcsnlen(lf.lfFaceName, LF_FACESIZE));
    // A preset face still takes the system's size when none was given.
    if (MenuFontSize == 0) MenuFontSize = static_cast<float>(std::abs(lf.lfHeight) * 0.72);
  }
  return MenuFontName;
}

void CreateMenuFonts(bool bCreate, bool bItalic, const std::wstring& FaceName) {
  // The face pair last made: a font list asks for it at every entry drawn.
  static std::wstring pairFace;
  if (!bCreate) {
    for (HFONT& font : fonts) {
      DeleteFontWhenFree(font);
      font = nullptr;
    }
    pairFace.clear();
    return;
  }
  if (!bItalic && !FaceName.empty() && FaceName == pairFace && fonts[6] && fonts[7]) return;
  LOGFONTW lf = SystemMetrics().lfMenuFont;
  lf.lfCharSet = DEFAULT_CHARSET;
  SetFace(lf, GetMenuFontName());
  lf.lfHeight = HeightFor(MenuFontSize);
  if (bItalic) {
    if (!fonts[4]) {
      lf.lfItalic = 1;
      MakeSlot(4, lf);
      lf.lfWeight = 800;
      MakeSlot(5, lf);
    }
  } else if (!FaceName.empty()) {
    lf.lfWeight = 400;
    SetFace(lf, FaceName);
    MakeSlot(6, lf);
    lf.lfItalic = 1;
    MakeSlot(7, lf);
    pairFace = FaceName;
  } else {
    MakeSlot(1, lf);
    LONG weight = lf.lfWeight;
    lf.lfWeight = 800;
    MakeSlot(2, lf);
    lf.lfWeight = weight;
    double small = MenuFontSize * 0.8;
    lf.lfHeight = HeightFor(small < 7.5 ? MenuFontSize - 0.5 : small);
    MakeSlot(3, lf);
    // Made again after the last window went: the italic pair comes back too.
    if (italicText) CreateMenuFonts(true, true, L"");
  }
}

HFONT MenuFont(int n) { return n >= 1 && n < kFontSlots ? fonts[n] : nullptr; }

bool MenuFontsMade() {
  for (HFONT font : fonts)
    if (font) return true;
  return false;
}

ScopedMenuFont::ScopedMenuFont(HDC dc, int n) : dc_(dc) { Select(n); }

ScopedMenuFont::~ScopedMenuFont() {
  if (previous_) ::SelectObject(dc_, previous_);
  Release();
}

void ScopedMenuFont::Select(int n) {
  HFONT font = MenuFont(n);
  if (!dc_ || !font) return;  // a slot that failed keeps what is selected
  HGDIOBJ was = ::SelectObject(dc_, font);
  if (!was || was == HGDI_ERROR) return;
  if (!previous_) previous_ = static_cast<HFONT>(was);
  Release();
  held_ = font;
  ++Uses()[held_];
}

void ScopedMenuFont::Release() {
  if (!held_) return;
  HFONT font = std::exchange(held_, nullptr);
  if (--Uses()[font] > 0) return;
  Uses().erase(font);
  if (Retired().erase(font)) ::DeleteObject(font);
}

int CheckWindowsVersion(HDC hDC) {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExW(&info)) return 0;
  std::wstring key = tolvane::Digits(info.dwPlatformId) + L"." + tolvane::Digits(info.dwMajorVersion) + L"." +
                     tolvane::Digits(info.dwMinorVersion);
  if (key == L"1.4.10" || key == L"1.4.90") widthCorrection = 35;
  else if (key == L"2.4.0" || key == L"2.5.0" || key == L"2.5.1") widthCorrection = 0;
  else if (key == L"2.3.51" && hDC) ::SetGraphicsMode(hDC, GM_ADVANCED);
  return 0;
}

int GetMenuWidthAdjust() { return widthCorrection; }
HWND GetStoredHwnd() { return StoredHwnd; }

void SetGradientHighlight(bool value) { gradientHighlight = value; }
void SetIconShadow(bool value) { iconShadow = value; }
void SetHighlightDisabled(bool value) { highlightDisabled = value; }
void SetItalicText(bool value) {
  if (value == italicText) return;
  italicText = value;
  if (value) CreateMenuFonts(true, true, L"");
}
bool GradientHighlight() { return gradientHighlight; }
bool IconShadow() { return iconShadow; }
bool HighlightDisabled() { return highlightDisabled; }
bool ItalicText() { return italicText; }

}  // namespace menus
