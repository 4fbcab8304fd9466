// The fonts the menus are measured and drawn with, all made from the
// system's menu font, the width correction chosen by Windows version, and
// the four display options a client sets before subclassing.
#pragma once

#include <windows.h>

#include <string>

namespace menus {

// Font slots: 1 item text, 2 bold, 3 small, 4 and 5 italic and italic bold,
// 6 and 7 a face asked for by a font list (plain and italic).
inline constexpr int kFontSlots = 8;

// Face and point size of the menu fonts; empty and 0 take the system's.
// A client may preset them before the first subclassing.
extern std::wstring MenuFontName;
extern float MenuFontSize;
// A window handle a client may set; read by the panel builder.
extern HWND StoredHwnd;

// The face name, filling MenuFontName and MenuFontSize on first use.
std::wstring GetMenuFontName();
// bCreate false deletes every font. Otherwise makes the italic pair (bItalic),
// the face pair (a FaceName given), or the three plain fonts.
void CreateMenuFonts(bool bCreate, bool bItalic, const std::wstring& FaceName);
// The font in slot n (1 to 7), or null.
HFONT MenuFont(int n);

// Selects a menu font into a DC for as long as it lives and then puts the
// DC's own font back; nested selections each restore what they found. A
// font deleted while selected somewhere is freed once the last one goes.
class ScopedMenuFont {
 public:
  ScopedMenuFont(HDC dc, int n);
  ~ScopedMenuFont();
  ScopedMenuFont(const ScopedMenuFont&) = delete;
  ScopedMenuFont& operator=(const ScopedMenuFont&) = delete;
  // Selects another slot, keeping the font to restore.
  void Select(int n);

 private:
  void Release();
  HDC dc_;
  HFONT previous_ = nullptr;
  HFONT held_ = nullptr;
};

// Sets the width correction from the Windows version; the result carries nothing.
int CheckWindowsVersion(HDC hDC);
int GetMenuWidthAdjust();
HWND GetStoredHwnd();

void SetGradientHighlight(bool value);
void SetIconShadow(bool value);
void SetHighlightDisabled(bool value);
void SetItalicText(bool value);
bool GradientHighlight();
bool IconShadow();
bool HighlightDisabled();
bool ItalicText();

// Whether any font is held (for tests of the teardown).
bool MenuFontsMade();

}  // namespace menus
