#include "core/link_plan.h"

#include <gtest/gtest.h>

namespace {

using namespace tolvane;

TEST(PlanLinkButtons, OneButtonPerLinkEach650Lower) {
  MemoryStore store;
  store.Save(L"Data", L"4Occ", L"NbOcc=3");
  store.Save(L"Data", L"4-1", L"Nom=Bloc-notes");
  store.Save(L"Data", L"4-1c", L"Fic=C:\\Windows\\notepad.exe");
  store.Save(L"Data", L"4-2", L"Nom=Vide");
  store.Save(L"Data", L"4-3c", L"Fic=D:\\docs");
  const std::vector<LinkButtonPlan> plan = PlanLinkButtons(store, 4, 480, 600);
  const std::vector<LinkButtonPlan> expected = {
      {L"Bloc-notes", L"4-1", L"C:\\Windows\\notepad.exe", 480},
      {L"Vide", L"4-2", L"", 1130},
      {L"", L"4-3", L"D:\\docs", 1780},
  };
  EXPECT_EQ(plan, expected);
}

TEST(PlanLinkButtons, ACountOfNoneOrLessGivesOneButtonAndNoNumberGivesNone) {
  MemoryStore store;
  EXPECT_TRUE(PlanLinkButtons(store, 1, 480, 600).empty()) << "a missing count reads as empty text";
  store.Save(L"Data", L"1Occ", L"NbOcc=trois");
  EXPECT_TRUE(PlanLinkButtons(store, 1, 480, 600).empty());
  for (const wchar_t* count : {L"NbOcc=0", L"NbOcc=-2"}) {
    store.Save(L"Data", L"1Occ", count);
    const std::vector<LinkButtonPlan> plan = PlanLinkButtons(store, 1, 480, 600);
    ASSERT_EQ(plan.size(), 1u) << count;
    EXPECT_EQ(plan[0], (LinkButtonPlan{L"", L"1-1", L"", 480}));
  }
}

TEST(PlanLinkButtons, FiveHundredLinksGoBeyondSixteenBits) {
  MemoryStore store;
  store.Save(L"Data", L"2Occ", L"NbOcc=500");
  const std::vector<LinkButtonPlan> plan = PlanLinkButtons(store, 2, 480, 600);
  ASSERT_EQ(plan.size(), 500u);
  EXPECT_EQ(plan.back().tag, L"2-500");
  EXPECT_EQ(plan.back().top, 480 + 499 * 650);
}

TEST(ExtensionFichier, LastDotOfTheWholePathLowerCased) {
  EXPECT_EQ(ExtensionFichier(L"C:\\Images\\Logo.ICO"), L"ico");
  EXPECT_EQ(ExtensionFichier(L"C:\\a.b\\archive.Tar.GZ"), L"gz");
  EXPECT_EQ(ExtensionFichier(L"C:\\ÉTÉ\\Résumé.DOCÀ"), L"docà");
  EXPECT_EQ(ExtensionFichier(L"C:\\dir.X\\File"), L"x\\file");
  EXPECT_EQ(ExtensionFichier(L".Profile"), L"profile");
  EXPECT_EQ(ExtensionFichier(L"C:\\tools\\make"), L"");
  EXPECT_EQ(ExtensionFichier(L"C:\\tools\\make."), L"");
  EXPECT_EQ(ExtensionFichier(L""), L"");
}

TEST(IconCacheFileName, BaseNameCutBeforeItsLastDot) {
  EXPECT_EQ(IconCacheFileName(L"C:\\Program Files\\Word.exe"), L"Word.ico");
  EXPECT_EQ(IconCacheFileName(L"C:/data/backup.tar.gz"), L"backup.tar.ico");
  EXPECT_EQ(IconCacheFileName(L"Relative.lnk"), L"Relative.ico");
}

TEST(IconCacheFileName, NoDotInTheBaseNameGivesNoName) {
  EXPECT_EQ(IconCacheFileName(L"C:\\tools\\make"), std::nullopt);
  EXPECT_EQ(IconCacheFileName(L"C:\\dir.x\\file"), std::nullopt);
  EXPECT_EQ(IconCacheFileName(L""), std::nullopt);
}

TEST(IconCacheFileName, CharactersWindowsRefusesAreReplaced) {
  EXPECT_EQ(IconCacheFileName(L"C:file.exe"), L"C_file.ico");
  EXPECT_EQ(IconCacheFileName(L"x\\a<b>|?*\"c.lnk"), L"a_b_____c.ico");
  EXPECT_EQ(IconCacheFileName(std::wstring(L"a\tb\x1F.exe")), L"a_b_.ico");
}

TEST(IconCacheFileName, DeviceNamesEmptyNamesAndTrailingDotsAreMadeSafe) {
  EXPECT_EQ(IconCacheFileName(L"C:\\con.exe"), L"_con.ico");
  EXPECT_EQ(IconCacheFileName(L"C:\\COM1.txt"), L"_COM1.ico");
  EXPECT_EQ(IconCacheFileName(L"C:\\Nul .txt"), L"_Nul.ico");
  EXPECT_EQ(IconCacheFileName(L"C:\\lpt9.a.b"), L"_lpt9.a.ico");
  EXPECT_EQ(IconCacheFileName(L"C:\\com0.exe"), L"com0.ico");
  EXPECT_EQ(IconCacheFileName(L"C:\\console.exe"), L"console.ico");
  EXPECT_EQ(IconCacheFileName(L"C:\\name. .exe"), L"name.ico");
  EXPECT_EQ(IconCacheFileName(L"C:\\.profile"), L"_.ico");
  EXPECT_EQ(IconCacheFileName(L"C:\\...exe"), L"_.ico");
}

TEST(IconCacheFileName, VeryLongNamesAreShortened) {
  const std::wstring target = L"C:\\" + std::wstring(300, L'n') + L".exe";
  EXPECT_EQ(IconCacheFileName(target), std::wstring(200, L'n') + L".ico");
}

}  // namespace
