// The menu engine's share of a right click on the group header: the group
// menu and its sub-menu of every group prepared, measured and drawn as a
// menu loop does, on a hidden window of this process.
#include "menu_popup.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "child_process.h"
#include "menu_paint.h"
#include "menus/menu_engine.h"
#include "resources/resource.h"
#include "ui/handles.h"
#include "ui/image_list.h"
#include "ui/picture.h"

namespace bench {
double TimeGroupMenuPopup(int groups, int runs) {
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ui::ImageList pictures;
  ui::PicturePtr strip = ui::Picture::BitmapResource(IDB_MINITOOLBAR);
  pictures.LoadStrip(strip ? strip->Bitmap() : nullptr, 16, RGB(0xC0, 0xC0, 0xC0));
  menus::SubclassForm(owner, &pictures, nullptr, 0);
  void* bits = nullptr;
  ui::OwnedBitmap bitmap = ui::CreateDib(400, 1000, 32, &bits);
  ui::OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));
  HGDIOBJ old = ::SelectObject(dc.get(), bitmap.get());
  std::vector<double> times;
  for (int run = 0; run <= runs; ++run) {
    HMENU root = ::CreatePopupMenu(), sub = ::CreatePopupMenu();
    for (int g = 1; g <= groups; ++g)
      ::AppendMenuW(sub, MF_STRING, static_cast<UINT_PTR>(g), (L"Groupe " + std::to_wstring(g) + L"{IMG:i9}").c_str());
    ::AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Groupe de programmes");
    ::AppendMenuW(root, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(root, MF_STRING, 1001, L"Ajouter un groupe{IMG:i1}");
    ::AppendMenuW(root, MF_STRING, 1002, L"Modifier le groupe{IMG:i2}");
    ::AppendMenuW(root, MF_STRING, 1003, L"Supprimer le groupe{IMG:i3}");
    const double start = NowMs();
    ::SendMessageW(owner, WM_ENTERMENULOOP, 0, 0);
    ::SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(root), 0);
    PaintPopup(owner, root, dc.get());
    ::SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
    PaintPopup(owner, sub, dc.get());
    ::SendMessageW(owner, WM_EXITMENULOOP, 0, 0);
    if (run > 0) times.push_back(NowMs() - start);  // the first makes the pictures and fonts
    ::DestroyMenu(root);
  }
  ::SelectObject(dc.get(), old);
  ::DestroyWindow(owner);
  std::sort(times.begin(), times.end());
  return times.empty() ? 0 : times[times.size() / 2];
}

}  // namespace bench
