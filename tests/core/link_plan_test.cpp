#include "core/link_plan.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(PlanLinkButtons, OneButtonPerLinkEach650LowerAsFarAsAWindowReaches) {
  MemoryStore store;
  store.Save(L"Data", L"4Occ", L"NbOcc=3");
  store.Save(L"Data", L"4-1", L"Nom=Bloc-notes");
  store.Save(L"Data", L"4-1c", L"Fic=C:\\Windows\\notepad.exe");
  store.Save(L"Data", L"4-3c", L"Fic=D:\\docs");
  EXPECT_EQ(PlanLinkButtons(store, 4, 480, 600),
            (std::vector<LinkButtonPlan>{{L"Bloc-notes", L"4-1", L"C:\\Windows\\notepad.exe", 480},
                                         {L"", L"4-2", L"", 1130},
                                         {L"", L"4-3", L"D:\\docs", 1780}}));
  // Below 32,767 pixels with the tools pane (3,795 twips) above the links
  // pane and its margins (370) under it.
  store.Save(L"Data", L"4Occ", L"NbOcc=1e300");
  const auto plan = PlanLinkButtons(store, 4, 480, 600);
  EXPECT_EQ(plan.size(), 737u);
  EXPECT_LE(3795 + plan.back().top + 600 + 370, 32767 * 15);
}

TEST(IconCacheFileName, SafeNamesFromTheBaseName) {
  const std::pair<std::wstring, std::optional<std::wstring>> cases[] = {
      {L"C:/data/backup.tar.gz", L"backup.tar.ico"},
      {L"C:file.exe", L"C_file.ico"},
      {L"C:\\.profile", L"_.ico"},
  };
  for (const auto& [target, name] : cases) EXPECT_EQ(IconCacheFileName(target), name) << target;

  for (auto [path, extension] : {std::pair{L"C:\\a.b\\archive.Tar.GZ", L"gz"}, {L"C:\\ÉTÉ\\Résumé.DOCÀ", L"docà"},
                                 {L"C:\\dir.X\\File", L"x\\file"}, {L"C:\\tools\\make.", L""}})
    EXPECT_EQ(ExtensionFichier(path), extension) << path;
}

}  // namespace
}  // namespace tolvane
