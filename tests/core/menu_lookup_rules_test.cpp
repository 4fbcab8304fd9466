#include "core/menu_lookup_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane {
namespace {

TEST(PathPart, EveryLetterOnEveryKindOfPath) {
  struct Case { const wchar_t* path; const wchar_t *d, *p, *n, *e, *m; };
  const Case cases[] = {
      {L"C:\\Program Files\\App\\tool.exe", L"C:\\", L"C:\\Program Files\\App\\", L"tool.exe", L"exe", L"tool"},
      {L"C:\\my.folder\\readme", L"C:\\", L"C:\\my.folder\\", L"readme", L"", L""},
      {L"tool.exe", L"", L"", L"", L"exe", L"tool"},
      {L"\\\\server\\share\\x.txt", L"\\\\server\\", L"\\\\server\\share\\", L"x.txt", L"txt", L"x"},
      {L"\\\\server", L"\\\\server\\", L"\\\\", L"server", L"", L""},
      {L"C:tool.tar.gz", L"C:\\", L"C:\\", L"tool.tar.gz", L"gz", L"tool.tar"},
      {L"C:\\", L"C:\\", L"C:\\", L"", L"", L""},
      {L"C:\\dir\\.profile", L"C:\\", L"C:\\dir\\", L".profile", L"profile", L""},
      {L"C:\\dir\\name.", L"C:\\", L"C:\\dir\\", L"name.", L"", L"name"},
      {L"\\top.txt", L"", L"", L"top.txt", L"txt", L"top"},
      {L"a.b\\c", L"", L"a.b\\", L"c", L"", L""},
  };
  using Part = std::pair<const wchar_t*, const wchar_t*>;  // letters in either case
  for (const auto& c : cases)
    for (auto [letter, part] : {Part{L"D", c.d}, Part{L"p", c.p}, Part{L"N", c.n}, Part{L"e", c.e}, Part{L"m", c.m}})
      EXPECT_EQ(GetPathPart(c.path, letter), part) << c.path << L" " << letter;
}

TEST(PathPart, UnknownLettersGiveNothingAndStripNullCutsAtTheFirstNul) {
  EXPECT_EQ(GetPathPart(L"C:\\App\\tool.exe", L""), L"C:\\");
  for (auto letter : {L"x", L"ED"}) EXPECT_EQ(GetPathPart(L"C:\\App\\tool.exe", letter), L"") << letter;
  EXPECT_EQ(GetPathPart(L"", L"N"), L"");
  EXPECT_EQ(StripNull(std::wstring(L"ab\0cd", 5)), L"ab");
  EXPECT_EQ(StripNull(L"abc"), L"abc");
}

TEST(VersionTable, WholeEntriesOnlyAndNeverPastTheEnd) {
  // Language 0409 with code page 04B0, then 040C with 04E4.
  const std::uint8_t table[] = {0x09, 0x04, 0xB0, 0x04, 0x0C, 0x04, 0xE4, 0x04, 0xFF};
  struct Case { std::size_t size; std::vector<std::wstring> paths; };
  for (const auto& c : {Case{0, {}}, Case{3, {}},
                        Case{4, {L"\\StringFileInfo\\040904B0"}},
                        Case{6, {L"\\StringFileInfo\\040904B0"}},
                        Case{8, {L"\\StringFileInfo\\040904B0", L"\\StringFileInfo\\040C04E4"}},
                        Case{9, {L"\\StringFileInfo\\040904B0", L"\\StringFileInfo\\040C04E4"}}})
    EXPECT_EQ(TranslationBlockPaths(table, c.size), c.paths) << c.size << " bytes";
  EXPECT_TRUE(TranslationBlockPaths(nullptr, 8).empty());
  const std::uint8_t high[] = {0xAB, 0xCD, 0xEF, 0x01};
  EXPECT_EQ(TranslationBlockPaths(high, 4), std::vector<std::wstring>{L"\\StringFileInfo\\CDAB01EF"});
}

TEST(ImageValue, HandlesListImagesAndControls) {
  using K = ImageRef::Kind;
  struct Case { const wchar_t* text; K kind; std::uint64_t handle; long long index; };
  for (auto c : {Case{L"12345", K::Handle, 12345, 0}, Case{L"&h3039", K::Handle, 12345, 0},
                 Case{L" 42 ", K::Handle, 42, 0},
                 Case{L"18446744073709551615", K::Handle, 0xFFFFFFFFFFFFFFFFull, 0},
                 Case{L"&H1234567890ABCDEF", K::Handle, 0x1234567890ABCDEFull, 0},
                 Case{L"i3", K::ListImage, 0, 3}, Case{L"I10", K::ListImage, 0, 10}, Case{L"i-2", K::ListImage, 0, -2},
                 Case{L"i2.5", K::ListImage, 0, 0}, Case{L"", K::None, 0, 0},
                 Case{L"18446744073709551616", K::Control, 0, 0}, Case{L"&H1234567890ABCDEF0", K::Control, 0, 0},
                 Case{L"-5", K::Control, 0, 0}, Case{L"picLogo", K::Control, 0, 0}, Case{L"i", K::Control, 0, 0}}) {
    ImageRef ref = ParseImageRef(c.text);
    EXPECT_EQ(ref.kind, c.kind) << c.text;
    EXPECT_EQ(ref.handle, c.handle) << c.text;
    EXPECT_EQ(ref.listIndex, c.index) << c.text;
    if (c.kind == K::Control) {
      EXPECT_EQ(ref.control, c.text);
    }
  }
}

}  // namespace
}  // namespace tolvane
