// The text box under Wine: its colours and font reach the system edit, and
// files dropped from the shell arrive as one event with every path whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/edit_controls.h"
#include "ui/form.h"
#include "../shell_drop.h"

namespace {

class BoxForm : public ui::Form {
 public:
  BoxForm() : ui::Form(L"BoxForm") {}
  ui::TextBox box;

 protected:
  void Design() override {
    Move(0, 0, 4000, 1500);
    box.Create(*this, {.name = L"Saisie", .left = 120, .top = 150, .width = 3015, .height = 285,
                       .back = RGB(0xE0, 0xE0, 0xE0), .font = {L"Verdana", 8.25}});
  }
};

TEST(TextBox, ColoursAndFontReachTheSystemEdit) {
  BoxForm f;
  f.Show();
  HWND edit = f.box.EditHwnd();
  auto colours = [&] {
    HDC dc = ::GetDC(edit);
    ::SendMessageW(f.box.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
    std::pair<COLORREF, COLORREF> c{::GetBkColor(dc), ::GetTextColor(dc)};
    ::ReleaseDC(edit, dc);
    return c;
  };
  EXPECT_EQ(colours(), std::make_pair(RGB(0xE0, 0xE0, 0xE0), RGB(0, 0, 0)));
  f.box.SetBackColor(RGB(10, 20, 30));
  f.box.SetForeColor(RGB(200, 100, 50));
  EXPECT_EQ(colours(), std::make_pair(RGB(10, 20, 30), RGB(200, 100, 50)));

  auto faceOf = [&] {
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return std::make_pair(std::wstring(lf.lfFaceName), lf.lfHeight);
  };
  const auto before = faceOf();
  EXPECT_EQ(before.first, L"Verdana");
  f.box.SetFont({L"Tahoma", 14});
  EXPECT_EQ(faceOf().first, L"Tahoma");
  EXPECT_LT(faceOf().second, before.second) << "a larger size: a more negative height";
  f.Unload();
}

TEST(TextBox, DroppedFilesArriveWholeAndInOrder) {
  BoxForm f;
  f.Show();
  f.box.AcceptFiles(true);
  EXPECT_TRUE(::GetWindowLongW(f.box.EditHwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  std::vector<std::vector<std::wstring>> drops;
  f.box.onDropFiles = [&](const std::vector<std::wstring>& files) { drops.push_back(files); };
  const std::wstring longPath = L"C:\\" + std::wstring(300, L'x') + L"\\fichier long.txt";
  ::SendMessageW(f.box.EditHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\Jeux\\a.exe", longPath})), 0);
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0], (std::vector<std::wstring>{L"C:\\Jeux\\a.exe", longPath}));
  f.Unload();
}

}  // namespace
