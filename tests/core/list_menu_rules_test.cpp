#include "core/list_menu_rules.h"

#include <gtest/gtest.h>

#include "core/menu_caption.h"

namespace tolvane {
namespace {

ListContext Context() {
  ListContext c;
  c.today = {2026, 12, 6};  // a Sunday
  const wchar_t* months[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                             L"July",    L"August",   L"September", L"October", L"November", L"December"};
  const wchar_t* days[] = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};
  for (int i = 0; i < 12; ++i) {
    c.names.months[i] = months[i];
    c.names.shortMonths[i] = std::wstring(months[i]).substr(0, 3);
  }
  for (int i = 0; i < 7; ++i) c.names.days[i] = days[i];
  return c;
}

std::wstring Text(const ListEntry& e) { return SplitCaption(e.caption).text; }
std::wstring Tag(const ListEntry& e, std::wstring_view key) { return GetCaptionTag(SplitCaption(e.caption).tags, key); }

// The first two entries as shown (a header by its caption), then the
// checked ones after a "/".
std::wstring Shown(const PresetList& list) {
  std::wstring first, checked;
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    const ListEntry& e = list.entries[i];
    if (i < 2) first += (i ? L"|" : L"") + (e.flags & kEntryDisabled ? e.caption : Text(e));
    if (e.flags & kEntryChecked) checked += Text(e);
  }
  return first + L"/" + checked;
}

TEST(PresetLists, MonthsDaysAndStates) {
  struct Case { const wchar_t* kind; std::wstring value; std::size_t size; std::wstring shown; };
  const Case cases[] = {
      {L"lvMonths:", L"Group:FYQtr", 16, L"-1st Fiscal Quarter{Raised}|October/December"},  // this month
      {L"lvMonths:", L"3:Group:CYQtr", 16, L"-First Quarter{Raised}|January/March"},
      {L"lvMonths:", L"", 12, L"January|February/December"},
      {L"lvMonth:", L"2:Year:2004:Day:29", 29, L"Feb 1, Sunday|Feb 2, Monday/Feb 29, Sunday"},
      {L"lvMonth:", L"4:Year:2004", 30, L"Apr 1, Thursday|Apr 2, Friday/Apr 6, Tuesday"},
      {L"lvMonth:", L"2:Year:1900", 28, L"Feb 1, Thursday|Feb 2, Friday/Feb 6, Tuesday"},
      // A year dates cannot hold: this year's month.
      {L"lvMonth:", L"2:Year:99999999", 28, L"Feb 1, Sunday|Feb 2, Monday/Feb 6, Friday"},
      {L"lvMonth:", L"0", 31, L"Dec 1, Tuesday|Dec 2, Wednesday/Dec 6, Sunday"},
      {L"lvMonth:", L"13", 0, L"/"},
      {L"lvDays:", L"", 7, L"Sunday|Monday/Sunday"},
      {L"lvStates:", L"ny", 51, L"Alabama|Alaska/New York"},
      {L"lvStates:", L"T", 51, L"Alabama|Alaska/"},
      {L"lvFonts:", L"x", 0, L"/"},
  };
  for (const auto& c : cases) {
    PresetList list = BuildPresetList(c.kind, c.value, Context());
    EXPECT_EQ(list.entries.size(), c.size) << c.value;
    EXPECT_EQ(Shown(list), c.shown) << c.value;
  }

  PresetList fiscal = BuildPresetList(L"lvMonths:", L"Group:FYQtr", Context());
  EXPECT_EQ(fiscal.entries[12].caption + Text(fiscal.entries[15]), L"-4th Fiscal Quarter{Raised}September");
  EXPECT_EQ(Tag(BuildPresetList(L"lvMonth:", L"2:Year:2004", Context()).entries[0], L"LDate:"), L"38018");
  EXPECT_TRUE(BuildPresetList(L"lvStates:", L"TX", Context()).slow);
}

TEST(ControlLists, EntryCaptionsAndTheIdFloor) {
  const std::wstring tags = ControlEntryTags(0x1234567890ULL, 2, 1);
  EXPECT_EQ(tags, L"gControl:78187493520|LIndex:2|gType:1");
  for (auto [text, caption] : {std::pair<std::wstring, std::wstring>{L"A&B{IMG:i3}", L"A&&B{" + tags + L"|IMG:i3}"},
                               {L"x{gEXE:C:\\A&B\\}y&", L"x{" + tags + L"|gEXE:C:\\A&B\\}y&&"},
                               {L"half{open", L"half{open{" + tags + L"}"}})
    EXPECT_EQ(ControlEntryCaption(text, tags), caption) << text;
  EXPECT_FALSE(ControlEntryId(-1));
  ListEntries entries;
  int added = 0;
  while (entries.Add(0, L"x")) ASSERT_LE(++added, 40000);
  EXPECT_EQ(added, 32500);
  EXPECT_EQ(entries.Entries().back().id, 1u);
}

TEST(ListChoices, Decoded) {
  using Kind = ListChoice::Kind;
  struct Case { std::wstring caption; Kind kind; std::wstring category; };
  const Case cases[] = {
      {L"Bouton{gControl:0|LColor:-2147483633}", Kind::Colour, L"Color"},  // a system colour is no custom one
      {L"Monday{gControl:0|lvID:d|LDay:2}", Kind::WeekDay, L"WeekDay"},
      {L"Feb 1{gControl:0|lvID:d|LDate:38018}", Kind::Date, L"DayOfMonth"},
      {L"Arial{gControl:0|LFont:Arial}", Kind::Font, L"Font"},
      {L"C:{gControl:0|LDrv:C:\\}", Kind::Drive, L"Drive"},
      {L"plain", Kind::None, L""},
  };
  for (const auto& c : cases) {
    ListChoice choice = DecodeListChoice(c.caption);
    EXPECT_EQ(std::pair(choice.kind, choice.category), std::pair(c.kind, c.category)) << c.caption;
  }
}

}  // namespace
}  // namespace tolvane
