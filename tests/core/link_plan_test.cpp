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
  const std::vector<LinkButtonPlan> expected = {
      {L"Bloc-notes", L"4-1", L"C:\\Windows\\notepad.exe", 480},
      {L"Vide", L"4-2", L"", 1130},
      {L"", L"4-3", L"D:\\docs", 1780},
  };
  EXPECT_EQ(PlanLinkButtons(store, 4, 480, 600), expected);
  store.Save(L"Data", L"4Occ", L"NbOcc=500");  // beyond sixteen bits
  EXPECT_EQ(PlanLinkButtons(store, 4, 480, 600).back().top, 480 + 499 * 650);
  // As many as a window can reach: below 32,767 pixels with the tools pane
  // (3,795 twips) above the links pane and its margins (370) under it.
  for (const wchar_t* huge : {L"NbOcc=1000", L"NbOcc=2147483647", L"NbOcc=1e300"}) {
    store.Save(L"Data", L"4Occ", huge);
    const auto plan = PlanLinkButtons(store, 4, 480, 600);
    EXPECT_EQ(plan.size(), 737u) << huge;
    EXPECT_LE(3795 + plan.back().top + 600 + 370, 32767 * 15) << huge;
  }
}

TEST(PlanLinkButtons, ACountOfNoneOrLessGivesOneButtonAndNoNumberGivesNone) {
  MemoryStore store;
  EXPECT_TRUE(PlanLinkButtons(store, 1, 480, 600).empty()) << "a missing count reads as empty text";
  store.Save(L"Data", L"1Occ", L"NbOcc=trois");
  EXPECT_TRUE(PlanLinkButtons(store, 1, 480, 600).empty());
  for (const wchar_t* count : {L"NbOcc=0", L"NbOcc=-2", L"NbOcc=-1e300"}) {
    store.Save(L"Data", L"1Occ", count);
    EXPECT_EQ(PlanLinkButtons(store, 1, 480, 600), (std::vector<LinkButtonPlan>{{L"", L"1-1", L"", 480}}))
        << count;
  }
}

TEST(ExtensionFichier, LastDotOfTheWholePathLowerCased) {
  EXPECT_EQ(ExtensionFichier(L"C:\\a.b\\archive.Tar.GZ"), L"gz");
  EXPECT_EQ(ExtensionFichier(L"C:\\ÉTÉ\\Résumé.DOCÀ"), L"docà");
  EXPECT_EQ(ExtensionFichier(L"C:\\dir.X\\File"), L"x\\file");
  EXPECT_EQ(ExtensionFichier(L"C:\\tools\\make"), L"");
  EXPECT_EQ(ExtensionFichier(L"C:\\tools\\make."), L"");
}

TEST(IconCacheFileName, SafeNamesFromTheBaseName) {
  struct Case { std::wstring target; std::optional<std::wstring> name; };
  const Case cases[] = {
      {L"C:\\Program Files\\Word.exe", L"Word.ico"},
      {L"C:/data/backup.tar.gz", L"backup.tar.ico"},
      {L"C:\\tools\\make", std::nullopt},
      {L"C:file.exe", L"C_file.ico"},
      {L"x\\a<b>|?*\"c.lnk", L"a_b_____c.ico"},
      {L"C:\\con.exe", L"_con.ico"},
      {L"C:\\lpt9.a.b", L"_lpt9.a.ico"},
      {L"C:\\name. .exe", L"name.ico"},
      {L"C:\\.profile", L"_.ico"},
      {L"C:\\" + std::wstring(300, L'n') + L".exe", std::wstring(200, L'n') + L".ico"},
  };
  for (const Case& c : cases) EXPECT_EQ(IconCacheFileName(c.target), c.name) << c.target;
}

}  // namespace
