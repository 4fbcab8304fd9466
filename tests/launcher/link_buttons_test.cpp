#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/skin.h"
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
  std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
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
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
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
    EXPECT_TRUE(m.Prog[i].Visible());
    ASSERT_TRUE(m.Prog[i].GetPicture()) << i;
    const bool hasOwnIcon = i == 0 || i == 4;
    EXPECT_EQ(m.Prog[i].GetPicture() == fallback, !hasOwnIcon) << "button " << i;
  }
  EXPECT_EQ(m.Prog[4].GetPicture()->Size().cx, 32);
}

TEST_F(LinkButtonsTest, ACacheThatCannotBeWrittenStillShowsTheIcon) {
  SetLinks({folder + L"\\bloc.exe", folder + L"\\bonne.ICO"});
  DeleteTree(CacheFolder());
  WriteFileBytes(CacheFolder(), "a file where the cache folder should be");
  FrmMain& m = LoadMain();
  ASSERT_EQ(m.Prog.Count(), 2);
  EXPECT_NE(m.Prog[0].GetPicture(), TheSkin().defaultLinkIcon) << "the icon taken is shown uncached";
  EXPECT_NE(m.Prog[1].GetPicture(), TheSkin().defaultLinkIcon) << "an icon file needs no cache";
  EXPECT_FALSE(std::filesystem::is_directory(CacheFolder()));

  DeleteTree(CacheFolder());
  ::CreateDirectoryW(CacheFolder().c_str(), nullptr);
  m.ChargerGroupe(1);
  m.FinishLinkIcons();
  EXPECT_TRUE(std::filesystem::exists(CacheFolder() + L"\\bloc.ico")) << "the next load tries the cache again";
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
  m.Prog.onClick(7);  // no such button
  EXPECT_EQ(desktop.opened, std::vector<std::wstring>{folder + L"\\absent.exe"});
  const std::wstring text = L"Veuillez vérifier le lien, qui semble invalide !";
  EXPECT_EQ(desktop.messages, (std::vector<std::wstring>{text, text}));
  EXPECT_TRUE(m.Visible());
  EXPECT_FALSE(DansTray);
}

}  // namespace
