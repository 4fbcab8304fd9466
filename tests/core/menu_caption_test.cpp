#include "core/menu_caption.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane {
namespace {

struct SplitCase { const wchar_t *caption, *text, *tags, *accelerator; };

TEST(MenuCaption, SplitsTextTagsAndAccelerator) {
  for (const SplitCase& c : {
           SplitCase{L"Quitter l'application{IMG:i5}", L"Quitter l'application", L"{IMG:i5|", L""},
           SplitCase{L"Ouvrir{TIP:Ouvre un fichier|DEFAULT}\tCtrl+O", L"Ouvrir", L"{TIP:Ouvre un fichier|DEFAULT|", L"Ctrl+O"},
           SplitCase{L"Texte\t{DEFAULT}", L"Texte", L"", L"{DEFAULT}"},
           SplitCase{L"A{B", L"A{B", L"", L""},
           SplitCase{L"x{IMG:i1}y{DEFAULT}", L"xy{DEFAULT}", L"{IMG:i1|", L""},
           SplitCase{L"  a {X} b {x}  ", L"a  b", L"{X|", L""},  // every copy of the block goes, any case
           SplitCase{L"\tonly", L"", L"", L"only"},
           SplitCase{L"}{", L"}{", L"", L""},
           SplitCase{L"{}", L"", L"{|", L""},
       }) {
    CaptionParts p = SplitCaption(c.caption);
    EXPECT_EQ(p.text, c.text) << c.caption;
    EXPECT_EQ(p.tags, c.tags) << c.caption;
    EXPECT_EQ(p.accelerator, c.accelerator) << c.caption;
  }
  // A plain menu shows the text before the last picture block only.
  for (auto [caption, text] : {std::pair{L"a{IMG:1}b{IMG:2}", L"a{IMG:1}b"}, {L"a{IMG:1}b", L"a{IMG:1}b"},
                               {L"Fin{img:3}", L"Fin{img:3}"}, {L"Fin{IMG:3}", L"Fin"}})
    EXPECT_EQ(CaptionText(caption), text) << caption;
}

TEST(MenuCaption, ImageOverrideReplacesEveryImageValue) {
  EXPECT_EQ(SplitCaption(L"a{IMG:i5|TIP:IMG:i5}", 42).tags, L"{IMG:42|TIP:IMG:42|");
  EXPECT_EQ(SplitCaption(L"a{DEFAULT}", 42).tags, L"{DEFAULT|");
}

struct TagCase { const wchar_t *tags, *key, *value; };

TEST(MenuCaption, FindsTagValues) {
  for (const TagCase& c : {
           TagCase{L"{IMG:i5|", L"IMG:", L"i5"},
           TagCase{L"{IMG:i5|", L"img:", L"i5"},
           TagCase{L"{TIP:Ouvre un fichier|DEFAULT|", L"TIP:", L"Ouvre un fichier"},
           TagCase{L"{TIP:Ouvre un fichier|DEFAULT|", L"DEFAULT", L"True"},
           TagCase{L"{TIP:Ouvre un fichier|DEFAULT|", L"RAISED", L""},
           TagCase{L"{TIP:voir :DEFAULT|IMG:i2|", L"DEFAULT", L""},  // a tip never fakes a tag
           TagCase{L"{TIP:voir :DEFAULT|IMG:i2|", L"IMG:", L"i2"},
           TagCase{L"{IMG:|DEFAULT|", L"IMG:", L"0"},
           TagCase{L"{lvMonths:Group:FYQtr|", L"lvMonths:", L"Group:FYQtr"},
           TagCase{L"{ALIGN:vbAlignBottom|", L"ALIGN:", L"Bot"},
           TagCase{L"{X:vbNull|", L"X:", L"1"},
           TagCase{L"{DefaultX|", L"Default", L"X"},  // the key is a prefix of the tag
           TagCase{L"{IMG:i5", L"IMG:", L""},         // no end to the tag
           TagCase{L"{|", L"", L""},
           TagCase{L"{a|b|", L"a|b", L"0"},            // a key longer than the tag it finds
           TagCase{L"Quitter{IMG:i5}", L"IMG:", L"i5"},  // any caption text will do
       }) {
    EXPECT_EQ(GetCaptionTag(c.tags, c.key), c.value) << c.tags << L" / " << c.key;
  }
}

// A user's group name is shown as typed and never read as mark-up; only
// the program's own block counts.
TEST(MenuCaption, LiteralNamesStayAsTyped) {
  for (const wchar_t* name : {L"R&D", L"-Jeux", L"a{b}c", L"x{IMG:i3}", L"a\tb", L"  blancs", L"", L"{TIP:x}"}) {
    CaptionParts p = LiteralCaption(name, kGroupItemTags);
    EXPECT_EQ(p.text + L"|" + p.tags + p.accelerator, std::wstring(name) + L"|{IMG:i9|");
  }
  EXPECT_EQ(LiteralCaption(L"{a}", L"").tags, L"");
}

}  // namespace
}  // namespace tolvane
