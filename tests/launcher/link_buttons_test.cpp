#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/skin.h"
#include "main_window_fixture.h"
#include "ui/handles.h"

namespace {

using namespace tolvane;
using tolvane::testing::MainWindowTest;

std::wstring TempFolder() {
  wchar_t buffer[MAX_PATH];
  ::GetTempPathW(MAX_PATH, buffer);
  return std::wstring(buffer) + L"TolvaneTest-links";
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE raw = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(raw, INVALID_HANDLE_VALUE) << "cannot write the test file";
  ui::OwnedHandle file(raw);
  DWORD written = 0;
  ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

template <typename T>
void Append(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// A valid 32 x 32 icon file of one colour.
std::string IconFileBytes() {
  std::string out;
  const DWORD pixels = 32 * 32 * 4, mask = 32 * 4;
  Append<WORD>(out, 0), Append<WORD>(out, 1), Append<WORD>(out, 1);
  Append<BYTE>(out, 32), Append<BYTE>(out, 32), Append<BYTE>(out, 0), Append<BYTE>(out, 0);
  Append<WORD>(out, 1), Append<WORD>(out, 32);
  Append<DWORD>(out, sizeof(BITMAPINFOHEADER) + pixels + mask), Append<DWORD>(out, 22);
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h, h.biWidth = 32, h.biHeight = 64, h.biPlanes = 1, h.biBitCount = 32;
  Append(out, h);
  for (DWORD i = 0; i < 32 * 32; ++i) Append<DWORD>(out, 0xFF2080C0);
  out.append(mask, '\0');
  return out;
}

class LinkButtonsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    DeleteTree(folder);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW((folder + L"\\dossier.d").c_str(), nullptr);
    // A program with an icon of its own, whatever the prefix associates.
    ::CopyFileW(L"C:\\windows\\system32\\notepad.exe", (folder + L"\\bloc.exe").c_str(), FALSE);
    WriteFileBytes(folder + L"\\make", "sans extension");
    WriteFileBytes(folder + L"\\cache.txt", "hidden");
    ::SetFileAttributesW((folder + L"\\cache.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteFileBytes(folder + L"\\abime.ico", "ceci n'est pas une icone");
    WriteFileBytes(folder + L"\\bonne.ICO", IconFileBytes());
  }

  void TearDown() override {
    MainWindowTest::TearDown();
    ::SetFileAttributesW((folder + L"\\cache.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteTree(folder);
    DeleteTree(CacheFolder());
  }

  static std::wstring CacheFolder() { return ProgramFolder() + L"\\temp"; }

  static void DeleteTree(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          DeleteTree(path + L"\\" + name);
        } else {
          ::DeleteFileW((path + L"\\" + name).c_str());
        }
      } while (::FindNextFileW(find, &fd));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
    ::DeleteFileW(path.c_str());
  }

  const std::wstring folder = TempFolder();
};

TEST_F(LinkButtonsTest, EachLinkGetsAButtonAndBadTargetsTheDefaultIcon) {
  SetLinks({folder + L"\\bloc.exe", folder + L"\\absent.txt", L"", folder + L"\\abime.ico",
            folder + L"\\bonne.ICO", folder + L"\\make", folder + L"\\cache.txt", folder + L"\\dossier.d"});
  FrmMain& m = LoadMain();
  ASSERT_EQ(m.Prog.Count(), 8);
  const ui::PicturePtr& fallback = TheSkin().defaultLinkIcon;
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(m.Prog[i].Tag, L"1-" + std::to_wstring(i + 1));
    EXPECT_EQ(m.Prog[i].Caption(), L"Lien " + std::to_wstring(i + 1));
    EXPECT_TRUE(m.Prog[i].Visible());
    EXPECT_EQ(m.Prog[i].Top(), 480 + 650 * i);
    ASSERT_TRUE(m.Prog[i].GetPicture()) << i;
    const bool hasOwnIcon = i == 0 || i == 4;
    EXPECT_EQ(m.Prog[i].GetPicture() == fallback, !hasOwnIcon) << "button " << i;
  }
  EXPECT_EQ(m.Prog[4].GetPicture()->Size().cx, 32);

  // The extracted icon went through the cache as a bitmap that loads back.
  const std::wstring cached = ProgramFolder() + L"\\temp\\bloc.ico";
  ui::OwnedBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(nullptr, cached.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  ASSERT_TRUE(bitmap) << "no bitmap at " << std::string(cached.begin(), cached.end());
  BITMAP info{};
  ::GetObjectW(bitmap.get(), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 32);
  EXPECT_EQ(info.bmHeight, 32);
}

TEST_F(LinkButtonsTest, ACacheThatCannotBeWrittenGivesTheDefaultIcon) {
  SetLinks({folder + L"\\bloc.exe", folder + L"\\bonne.ICO"});
  DeleteTree(CacheFolder());
  WriteFileBytes(CacheFolder(), "a file where the cache folder should be");
  FrmMain& m = LoadMain();
  ASSERT_EQ(m.Prog.Count(), 2);
  EXPECT_EQ(m.Prog[0].GetPicture(), TheSkin().defaultLinkIcon);
  EXPECT_NE(m.Prog[1].GetPicture(), TheSkin().defaultLinkIcon) << "an icon file needs no cache";

  DeleteTree(CacheFolder());
  ::CreateDirectoryW(CacheFolder().c_str(), nullptr);
  m.ChargerGroupe(1);
  m.FinishLinkIcons();
  EXPECT_NE(m.Prog[0].GetPicture(), TheSkin().defaultLinkIcon) << "the next load tries again";
}

TEST_F(LinkButtonsTest, AReloadReusesButtonsAndIcons) {
  SetLinks({folder + L"\\bloc.exe", folder + L"\\bonne.ICO", L""});
  FrmMain& m = LoadMain();
  const HWND second = m.Prog[1].hwnd();
  const ui::PicturePtr icon = m.Prog[0].GetPicture();
  const std::wstring cached = ProgramFolder() + L"\\temp\\bloc.ico";
  ASSERT_TRUE(::DeleteFileW(cached.c_str()));
  m.ChargerGroupe(1);
  m.FinishLinkIcons();
  EXPECT_EQ(m.Prog[1].hwnd(), second);
  EXPECT_EQ(m.Prog[0].GetPicture(), icon);
  EXPECT_EQ(::GetFileAttributesW(cached.c_str()), INVALID_FILE_ATTRIBUTES) << "not extracted again";

  SetLinks({folder + L"\\absent.txt"});
  m.ChargerGroupe(1);
  m.FinishLinkIcons();
  EXPECT_EQ(m.Prog.Count(), 1);
  EXPECT_EQ(m.Prog[0].GetPicture(), TheSkin().defaultLinkIcon);

  store.Save(L"Data", L"1Occ", L"NbOcc=");
  m.ChargerGroupe(1);
  m.FinishLinkIcons();
  EXPECT_FALSE(m.Prog[0].Visible()) << "a count that is no number shows no button";
}

TEST_F(LinkButtonsTest, AClickLaunchesTheStoredTargetAndHidesTheBar) {
  SetLinks({L"  " + folder + L"\\bloc.exe"});
  FrmMain& m = LoadMain();
  m.Show();
  m.Prog[0].SetValue(true);
  m.Prog.onClick(0);
  ASSERT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(desktop.opened[0], L"  " + folder + L"\\bloc.exe") << "as stored, blanks included";
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_FALSE(m.Prog[0].Value());
  EXPECT_EQ(m.Visible(), !DansTray);
  DansTray = false;
}

TEST_F(LinkButtonsTest, ARefusedOrEmptyTargetIsReportedAndTheBarStays) {
  SetLinks({folder + L"\\absent.exe", L"   "});
  FrmMain& m = LoadMain();
  m.Show();
  desktop.openResult = 2;  // file not found
  m.Prog[0].SetValue(true);
  m.Prog.onClick(0);
  m.Prog[1].SetValue(true);
  m.Prog.onClick(1);
  EXPECT_EQ(desktop.opened, std::vector<std::wstring>{folder + L"\\absent.exe"});
  const std::wstring text = L"Veuillez vérifier le lien, qui semble invalide !";
  EXPECT_EQ(desktop.messages, (std::vector<std::wstring>{text, text}));
  EXPECT_TRUE(m.Visible());
  EXPECT_FALSE(DansTray);

  m.Prog.onClick(0);  // released already: nothing
  m.Prog.onClick(7);  // no such button
  EXPECT_EQ(desktop.messages.size(), 2u);
}

}  // namespace

namespace tolvane {
namespace {

TEST_F(LinkButtonsTest, IconsAndTipsComeAfterTheButtonsShow) {
  SetLinks({folder + L"\\bloc.exe", L""});
  main = std::make_unique<FrmMain>();
  FenetrePrincipale = main.get();
  main->Load();
  FrmMain& m = *main;
  EXPECT_EQ(m.Prog.Count(), 1) << "the buttons come after the first paint";
  m.FinishLoading();
  ASSERT_EQ(m.Prog.Count(), 2);
  // At first the default icon, so the bar shows without waiting for the shell.
  EXPECT_EQ(m.Prog[0].GetPicture(), TheSkin().defaultLinkIcon);
  MSG msg;
  while (::PeekMessageW(&msg, m.hwnd(), FrmMain::kLoadIconsMessage, FrmMain::kLoadIconsMessage, PM_REMOVE))
    ::DispatchMessageW(&msg);
  EXPECT_NE(m.Prog[0].GetPicture(), TheSkin().defaultLinkIcon);

  // The tool tip goes to the tip window when the pointer first comes over the button.
  HWND tips = static_cast<HWND>(::GetPropW(m.hwnd(), L"TolvaneTips"));
  const LRESULT before = tips ? ::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0) : 0;
  EXPECT_EQ(m.Prog[0].ToolTipText(), folder + L"\\bloc.exe");
  ::SendMessageW(m.Prog[0].hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  tips = static_cast<HWND>(::GetPropW(m.hwnd(), L"TolvaneTips"));
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), before + 1);
  ::SendMessageW(m.Prog[0].hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), before + 1);
}

}  // namespace
}  // namespace tolvane
