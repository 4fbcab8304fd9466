#include "core/list_menu_rules.h"

#include <gtest/gtest.h>

#include "core/menu_caption.h"

using namespace tolvane;

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

std::vector<std::wstring> Checked(const PresetList& list) {
  std::vector<std::wstring> out;
  for (const auto& e : list.entries)
    if (e.flags & kEntryChecked) out.push_back(Text(e));
  return out;
}

}  // namespace

TEST(PresetLists, ColoursThenSeparatorThenCustom) {
  ListContext c = Context();
  c.fontColour = 255;
  PresetList list = BuildPresetList(L"lvColors:", L"vbBlue:ID:ink", c);
  ASSERT_EQ(list.entries.size(), 26u);
  EXPECT_EQ(list.entries[0].id, 32499u);
  EXPECT_EQ(Text(list.entries[0]), L"Couleur par D\u00e9faut");
  EXPECT_EQ(Tag(list.entries[0], L"LColor:"), L"16761024");
  EXPECT_EQ(Tag(list.entries[0], L"lvID:"), L"ink");
  EXPECT_EQ(Checked(list), std::vector<std::wstring>{L"Rouge"});
  EXPECT_EQ(list.entries[24].caption, L"-{Raised}");
  EXPECT_EQ(list.entries[24].flags, kEntryDisabled);
  const ListEntry& custom = list.entries[25];
  EXPECT_EQ(custom.id, 32474u);
  EXPECT_EQ(Tag(custom, L"LColor:"), L"-1");
  EXPECT_EQ(Tag(custom, L"LDefClr:"), L"16711680");
}

TEST(PresetLists, MonthsWithQuarterHeaders) {
  PresetList fiscal = BuildPresetList(L"lvMonths:", L"Group:FYQtr", Context());
  ASSERT_EQ(fiscal.entries.size(), 16u);
  EXPECT_EQ(fiscal.entries[0].caption, L"-1st Fiscal Quarter{Raised}");
  EXPECT_EQ(fiscal.entries[0].id, 32500u);
  EXPECT_EQ(Text(fiscal.entries[1]), L"October");
  EXPECT_EQ(fiscal.entries[1].id, 32499u);
  EXPECT_EQ(fiscal.entries[4].caption, L"-2nd Fiscal Quarter{Raised}");
  EXPECT_EQ(Text(fiscal.entries[5]), L"January");
  EXPECT_EQ(fiscal.entries[8].caption, L"-3rd Fiscal Quarter{Raised}");
  EXPECT_EQ(fiscal.entries[12].caption, L"-4th Fiscal Quarter{Raised}");
  EXPECT_EQ(Text(fiscal.entries[15]), L"September");
  EXPECT_EQ(Checked(fiscal), std::vector<std::wstring>{L"December"});  // this month

  PresetList calendar = BuildPresetList(L"lvMonths:", L"3:Group:CYQtr", Context());
  EXPECT_EQ(calendar.entries[0].caption, L"-First Quarter{Raised}");
  EXPECT_EQ(calendar.entries[4].caption, L"-Second Quarter{Raised}");
  EXPECT_EQ(Checked(calendar), std::vector<std::wstring>{L"March"});

  PresetList plain = BuildPresetList(L"lvMonths:", L"", Context());
  ASSERT_EQ(plain.entries.size(), 12u);
  EXPECT_EQ(plain.entries[0].id, 32499u);
  EXPECT_EQ(Tag(plain.entries[11], L"LMonth:"), L"12");
}

TEST(PresetLists, DaysOfAMonth) {
  struct Case {
    std::wstring value;
    std::size_t days;
    std::wstring first, checked;
  } cases[] = {
      {L"2:Year:2004:Day:29", 29, L"Feb 1, Sunday", L"Feb 29, Sunday"},
      {L"4:Year:2004", 30, L"Apr 1, Thursday", L"Apr 6, Tuesday"},
      {L"2:Year:1900", 28, L"Feb 1, Thursday", L"Feb 6, Tuesday"},
      // A year dates cannot hold: this year's month.
      {L"2:Year:99999999", 28, L"Feb 1, Sunday", L"Feb 6, Friday"},
      {L"2:Year:-5", 28, L"Feb 1, Sunday", L"Feb 6, Friday"},
      {L"0", 31, L"Dec 1, Tuesday", L"Dec 6, Sunday"},
      {L"13", 0, L"", L""},
  };
  for (const auto& c : cases) {
    PresetList list = BuildPresetList(L"lvMonth:", c.value, Context());
    ASSERT_EQ(list.entries.size(), c.days) << c.value;
    if (!c.days) continue;
    EXPECT_EQ(Text(list.entries[0]), c.first) << c.value;
    EXPECT_EQ(Checked(list), std::vector<std::wstring>{c.checked}) << c.value;
  }
  PresetList feb = BuildPresetList(L"lvMonth:", L"2:Year:2004", Context());
  EXPECT_EQ(Tag(feb.entries[0], L"LDate:"), L"38018");  // 1 February 2004
}

TEST(PresetLists, StatesAndDays) {
  PresetList states = BuildPresetList(L"lvStates:", L"TX:ID:States", Context());
  ASSERT_EQ(states.entries.size(), 51u);
  EXPECT_TRUE(states.slow);
  EXPECT_EQ(Checked(states), std::vector<std::wstring>{L"Texas"});
  EXPECT_EQ(Tag(states.entries[43], L"lvID:"), L"States");
  EXPECT_EQ(states.entries.back().id, 32449u);
  EXPECT_EQ(Checked(BuildPresetList(L"lvStates:", L"ny", Context())), std::vector<std::wstring>{L"New York"});
  EXPECT_TRUE(Checked(BuildPresetList(L"lvStates:", L"T", Context())).empty());

  PresetList days = BuildPresetList(L"lvDays:", L"", Context());
  ASSERT_EQ(days.entries.size(), 7u);
  EXPECT_EQ(Text(days.entries[0]), L"Sunday");
  EXPECT_EQ(Checked(days), std::vector<std::wstring>{L"Sunday"});
  EXPECT_TRUE(BuildPresetList(L"lvFonts:", L"x", Context()).entries.empty());
}

TEST(ControlLists, EntryCaptionsAndTheIdFloor) {
  const std::wstring tags = ControlEntryTags(0x1234567890ULL, 2, 1);
  EXPECT_EQ(tags, L"gControl:78187493520|LIndex:2|gType:1");
  struct Case {
    std::wstring text, caption;
  } cases[] = {
      {L"Tom & Jerry", L"Tom && Jerry{" + tags + L"}"},
      {L"A&B{IMG:i3}", L"A&&B{" + tags + L"|IMG:i3}"},
      {L"x{gEXE:C:\\A&B\\}y&", L"x{" + tags + L"|gEXE:C:\\A&B\\}y&&"},
      {L"half{open", L"half{open{" + tags + L"}"},
  };
  for (const auto& c : cases) EXPECT_EQ(ControlEntryCaption(c.text, tags), c.caption) << c.text;
  // The choice of an entry whose "{" opens no block still reaches its control.
  ListChoice half = DecodeListChoice(ControlEntryCaption(L"half{open", tags));
  EXPECT_EQ(half.kind, ListChoice::Kind::Control);
  EXPECT_EQ(half.index, 2);

  EXPECT_EQ(ControlEntryId(0), 32500u);
  EXPECT_EQ(ControlEntryId(32499), 1u);
  EXPECT_FALSE(ControlEntryId(32500));
  EXPECT_FALSE(ControlEntryId(-1));

  ListEntries entries;
  int added = 0;
  while (entries.Add(0, L"x")) ASSERT_LE(++added, 40000);
  EXPECT_EQ(added, 32500);
  EXPECT_EQ(entries.Entries().front().id, 32500u);
  EXPECT_EQ(entries.Entries().back().id, 1u);
}

TEST(ListChoices, Decoded) {
  using Kind = ListChoice::Kind;
  ListChoice control = DecodeListChoice(L"Item{gControl:18446744073709551615|LIndex:2|gType:2}");
  EXPECT_EQ(control.kind, Kind::Control);
  EXPECT_EQ(control.control, 0xFFFFFFFFFFFFFFFFULL);
  EXPECT_EQ(control.listType, 2);
  EXPECT_EQ(control.index, 2);

  ListChoice colour = DecodeListChoice(L"Rouge{gControl:0|lvID:ink|LColor:255}");
  EXPECT_EQ(colour.kind, Kind::Colour);
  EXPECT_EQ(colour.userId, L"ink");
  EXPECT_EQ(colour.category, L"Color");
  EXPECT_EQ(colour.number, 255);
  EXPECT_EQ(colour.text, L"255");

  ListChoice custom = DecodeListChoice(L"S{gControl:0|lvID:|LDefClr:65280|LColor:-1}");
  EXPECT_EQ(custom.kind, Kind::CustomColour);
  EXPECT_EQ(custom.defaultColour, 65280);

  struct Case {
    std::wstring caption;
    Kind kind;
    std::wstring category;
  } cases[] = {
      {L"May{gControl:0|lvID:m|LMonth:5}", Kind::Month, L"Month"},
      {L"Texas{gControl:0|lvID:s|LState:TX}", Kind::State, L"State"},
      {L"Monday{gControl:0|lvID:d|LDay:2}", Kind::WeekDay, L"WeekDay"},
      {L"Feb 1{gControl:0|lvID:d|LDate:38018}", Kind::Date, L"DayOfMonth"},
      {L"Arial{gControl:0|LFont:Arial}", Kind::Font, L"Font"},
      {L"C:{gControl:0|LDrv:C:\\}", Kind::Drive, L"Drive"},
      {L"Bouton{gControl:0|LColor:-2147483633}", Kind::Colour, L"Color"},  // a system colour is no custom one
      {L"plain", Kind::None, L""},
  };
  for (const auto& c : cases) {
    ListChoice choice = DecodeListChoice(c.caption);
    EXPECT_EQ(choice.kind, c.kind) << c.caption;
    EXPECT_EQ(choice.category, c.category) << c.caption;
  }
  EXPECT_EQ(MakeLong(0x8001, 1), 0x00018001u);
}
