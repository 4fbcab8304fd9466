// Shows the button's five looks side by side (drawn by the control's own
// drawing code) above two live buttons laid out like the link editor's
// "Valider" and browse buttons. Run under a display to look at the faces.
#include <windows.h>

#include <memory>
#include <string>

#include "controls/imagebutton/faces.h"
#include "controls/imagebutton/xp_bouton_img.h"

namespace {

using imagebutton::Face;

constexpr int kWidth = 81;
constexpr int kHeight = 33;
constexpr int kStep = kWidth + 12;

imagebutton::PicturePtr g_picture;
ui::OwnedFont g_font;
std::unique_ptr<imagebutton::XpBoutonImg> g_valider, g_recherche;

void PaintFaces(HDC dc) {
  const Face faces[] = {Face::Normal, Face::Hover, Face::Focus, Face::Disabled, Face::Pressed};
  const wchar_t* names[] = {L"normal", L"hover", L"focus", L"disabled", L"pressed"};
  for (int i = 0; i < 5; ++i) {
    const int left = 12 + i * kStep;
    ui::ScopedDcState state(dc);
    ::SetViewportOrgEx(dc, left, 12, nullptr);
    imagebutton::Look look;
    look.face = faces[i];
    look.width = kWidth;
    look.height = kHeight;
    look.caption = L"Valider";
    look.blanks = 13;
    look.font = g_font.get();
    look.textColour = faces[i] == Face::Hover ? RGB(0, 0, 0) : ::GetSysColor(COLOR_WINDOWFRAME);
    look.picture = g_picture.get();
    look.pictureBox = {3, 1, 36, 34};
    imagebutton::DrawLook(dc, look);
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutW(dc, 4, kHeight + 4, names[i], static_cast<int>(std::wstring(names[i]).size()));
  }
}

LRESULT CALLBACK DemoProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      ui::PaintDc paint(hwnd);
      PaintFaces(paint.get());
      return 0;
    }
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  g_picture = ui::Picture::FromIcon(::CopyIcon(::LoadIconW(nullptr, IDI_INFORMATION)));
  g_font.reset(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                             L"MS Sans Serif"));
  WNDCLASSW wc{};
  wc.lpfnWndProc = DemoProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"ImageButtonDemo";
  ::RegisterClassW(&wc);
  const HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"XpBoutonImg", WS_OVERLAPPEDWINDOW, 20, 20, 500,
                                        170, nullptr, nullptr, instance, nullptr);

  const imagebutton::Colour black{0};
  g_valider = imagebutton::XpBoutonImg::Create(
      window, {.left = 180, .top = 1125, .width = 1215, .height = 495,
               .properties = {{L"Caption", std::wstring(L"&Valider")}, {L"Image", g_picture},
                              {L"XPicture", std::wstring(L"3")}, {L"YPicture", std::wstring(L"1")},
                              {L"XTexte", std::wstring(L"13")}, {L"ForeColor", imagebutton::kWindowFrame},
                              {L"ForeHover", black}}});
  g_recherche = imagebutton::XpBoutonImg::Create(
      window, {.left = 1620, .top = 1125, .width = 855, .height = 495,
               .properties = {{L"Caption", std::wstring(L"        ...")}, {L"Image", g_picture},
                              {L"XPicture", std::wstring(L"2")}, {L"YPicture", std::wstring(L"0")},
                              {L"XTexte", std::wstring(L"4")}, {L"ForeColor", imagebutton::kWindowFrame},
                              {L"ForeHover", black}}});
  g_valider->Click = [window] { ::SetWindowTextW(window, L"Valider: Click"); };
  g_recherche->Click = [window] { ::SetWindowTextW(window, L"Recherche: Click"); };
  ::ShowWindow(window, SW_SHOW);
  ::SetFocus(g_recherche->Hwnd());

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  g_valider.reset();
  g_recherche.reset();
  return 0;
}
