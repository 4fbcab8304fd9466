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
namespace {

double MedianOf(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

MenuTimes TimeGroupMenuPopup(int groups, int runs) {
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ui::ImageList pictures;
  ui::PicturePtr strip = ui::Picture::BitmapResource(IDB_MINITOOLBAR);
  pictures.LoadStrip(strip ? strip->Bitmap() : nullptr, 16, RGB(0xC0, 0xC0, 0xC0));
  menus::SubclassForm(owner, &pictures, nullptr, 0);
  void* bits = nullptr;
  ui::OwnedBitmap bitmap = ui::CreateDib(400, 1000, 32, &bits);
  ui::OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));
  HGDIOBJ old = ::SelectObject(dc.get(), bitmap.get());
  std::vector<double> prepare, measure, draw, total;
  for (int run = 0; run <= runs; ++run) {
    HMENU root = ::CreatePopupMenu(), sub = ::CreatePopupMenu();
    for (int g = 1; g <= groups; ++g)
      ::AppendMenuW(sub, MF_STRING, static_cast<UINT_PTR>(g), (L"Groupe " + std::to_wstring(g) + L"{IMG:i9}").c_str());
    ::AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Groupe de programmes");
    ::AppendMenuW(root, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(root, MF_STRING, 1001, L"Ajouter un groupe{IMG:i1}");
    ::AppendMenuW(root, MF_STRING, 1002, L"Modifier le groupe{IMG:i2}");
    ::AppendMenuW(root, MF_STRING, 1003, L"Supprimer le groupe{IMG:i3}");
    double p = 0, m = 0, d = 0;
    // Each pop-up as a menu loop opens it: prepared, its items measured, then drawn.
    auto open = [&](HMENU menu) {
      double t0 = NowMs();
      ::SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
      double t1 = NowMs();
      const std::vector<MEASUREITEMSTRUCT> measured = MeasurePopup(owner, menu);
      double t2 = NowMs();
      DrawPopup(owner, menu, dc.get(), measured);
      p += t1 - t0, m += t2 - t1, d += NowMs() - t2;
    };
    const double start = NowMs();
    ::SendMessageW(owner, WM_ENTERMENULOOP, 0, 0);
    open(root);
    open(sub);
    ::SendMessageW(owner, WM_EXITMENULOOP, 0, 0);
    if (run > 0) {  // the first makes the pictures and fonts
      total.push_back(NowMs() - start);
      prepare.push_back(p), measure.push_back(m), draw.push_back(d);
    }
    ::DestroyMenu(root);
  }
  ::SelectObject(dc.get(), old);
  ::DestroyWindow(owner);
  return {MedianOf(prepare), MedianOf(measure), MedianOf(draw), MedianOf(total)};
}

}  // namespace bench
