#include "core/list_menu_rules.h"

#include <optional>

#include "core/menu_caption.h"
#include "core/menu_lookup_rules.h"
#include "core/text.h"
#include "core/text_case.h"

namespace tolvane {
namespace {

struct NamedColour {
  std::wstring_view name;
  ColorValue value;
};
constexpr NamedColour kColours[] = {
    {L"Couleur par D\u00e9faut", 0xFFC0C0}, {L"Noir", 0},
    {L"Bleu", 0xFF0000},                    {L"Marron", 0x4466},
    {L"Cyan", 0xFFFF00},                    {L"Dor\u00e9", 0xAACC},
    {L"Gris", 0x808080},                    {L"Vert Clair", 0xFF00},
    {L"Vert Fonc\u00e9", 0x8080},           {L"Ivoire", 0xF0FFFF},
    {L"Magenta", 0xFF00FF},                 {L"Bordeau", 0x80},
    {L"Bleu Fonc\u00e9", 0x800000},         {L"Orange", 0xA5FF},
    {L"P\u00eache", 0xB9DAFF},              {L"Pourpre", 0x800080},
    {L"Rouge", 0xFF},                       {L"Gris Clair", 0xC0C0C0},
    {L"P\u00eache Fonc\u00e9", 0x8CB4D2},   {L"Vert", 0x808000},
    {L"Turquoise", 0xD1CE00},               {L"Violet", 0x9020D0},
    {L"Blanc", 0xFFFFFF},                   {L"Jaune", 0xFFFF},
};

struct State {
  std::wstring_view name, code;
};
constexpr State kStates[] = {
    {L"Alabama", L"AL"},        {L"Alaska", L"AK"},         {L"Arizona", L"AZ"},
    {L"Arkansas", L"AR"},       {L"California", L"CA"},     {L"Colorado", L"CO"},
    {L"Connecticut", L"CT"},    {L"Delaware", L"DE"},       {L"District of Columbia", L"DC"},
    {L"Florida", L"FL"},        {L"Georgia", L"GA"},        {L"Hawaii", L"HI"},
    {L"Idaho", L"ID"},          {L"Illinois", L"IL"},       {L"Indiana", L"IN"},
    {L"Iowa", L"IA"},           {L"Kansas", L"KS"},         {L"Kentucky", L"KY"},
    {L"Louisiana", L"LA"},      {L"Maine", L"ME"},          {L"Maryland", L"MD"},
    {L"Massachusettes", L"MA"}, {L"Michigan", L"MI"},       {L"Minnesota", L"MN"},
    {L"Mississippi", L"MS"},    {L"Missouri", L"MO"},       {L"Montana", L"MT"},
    {L"Nebraska", L"NE"},       {L"Nevada", L"NV"},         {L"New Hampshire", L"NH"},
    {L"New Jersey", L"NJ"},     {L"New Mexico", L"NM"},     {L"New York", L"NY"},
    {L"North Carolina", L"NC"}, {L"North Dakota", L"ND"},   {L"Ohio", L"OH"},
    {L"Oklahoma", L"OK"},       {L"Oregon", L"OR"},         {L"Pennsylvania", L"PA"},
    {L"Rhode Island", L"RI"},   {L"South Carolina", L"SC"}, {L"South Dakota", L"SD"},
    {L"Tennessee", L"TN"},      {L"Texas", L"TX"},          {L"Utah", L"UT"},
    {L"Vermont", L"VT"},        {L"Virginia", L"VA"},       {L"Washington", L"WA"},
    {L"West Virginia", L"WV"},  {L"Wisconsin", L"WI"},      {L"Wyoming", L"WY"},
};

constexpr std::wstring_view kQuarters[] = {L"First", L"Second", L"Third", L"Fourth"};
constexpr std::wstring_view kFiscalQuarters[] = {L"1st", L"2nd", L"3rd", L"4th"};

// A whole number from text; nothing when there is none in the 32-bit range.
std::optional<long long> Whole(std::wstring_view text) {
  if (auto v = CLng(Val(text))) return *v;
  return std::nullopt;
}

// A sub-value of a list's value ("Group:FYQtr", "Year:2004"), up to its
// first ":". Looked for after a leading "|" too, so a value that starts with
// the sub-value finds it.
std::wstring SubValue(std::wstring_view value, std::wstring_view key) {
  std::wstring v = GetCaptionTag(L"|" + std::wstring(value) + L"|", key);
  if (std::size_t colon = v.find(L':'); colon != std::wstring::npos) v.erase(colon);
  return v;
}

std::wstring Decimal(HandleValue v) { return std::to_wstring(v); }

void Colours(ListEntries& out, std::wstring_view value, const std::wstring& base, const ListContext& context) {
  long long selected = -1;
  if (!value.empty() && Val(value) != -1) {
    if (auto c = ColorValueFromName(value)) selected = context.translate(*c);
  }
  for (const auto& colour : kColours) {
    out.Add(colour.value == context.fontColour ? kEntryChecked : 0,
            std::wstring(colour.name) + base + L"|LColor:" + Digits(colour.value) + L"}");
  }
  out.Add(kEntryDisabled, L"-{Raised}");
  out.Add(0, L"S\u00e9lectionner une couleur Personnalis\u00e9e" + base + L"|LDefClr:" + Digits(selected) +
                 L"|LColor:-1}");
}

void Months(ListEntries& out, std::wstring_view value, const std::wstring& base, const ListContext& context) {
  long long selected = Whole(value).value_or(0);
  if (selected == 0) selected = context.today.month;
  const std::wstring group = SubValue(value, L"Group:");
  const bool calendar = EqualNoCase(group, L"CYQtr");
  const bool fiscal = EqualNoCase(group, L"FYQtr");
  auto header = [&](int quarter) {
    return L"-" + std::wstring(fiscal ? kFiscalQuarters[quarter] : kQuarters[quarter]) +
           (fiscal ? L" Fiscal Quarter{Raised}" : L" Quarter{Raised}");
  };
  if (calendar || fiscal) {
    out.SkipTo(kFirstListId);
    out.Add(kEntryDisabled, header(0));
  }
  for (int n = 1; n <= 12; ++n) {
    if ((calendar || fiscal) && (n == 4 || n == 7 || n == 10)) out.Add(kEntryDisabled, header((n - 1) / 3));
    const int month = fiscal ? (n + 8) % 12 + 1 : n;
    out.Add(month == selected ? kEntryChecked : 0,
            context.names.months[month - 1] + base + L"|LMonth:" + Digits(month) + L"}");
  }
}

void Days(ListEntries& out, std::wstring_view value, const std::wstring& base, const ListContext& context) {
  long long selected = Whole(value).value_or(0);
  if (selected == 0) selected = WeekDay(context.today);
  for (int n = 1; n <= 7; ++n)
    out.Add(n == selected ? kEntryChecked : 0, context.names.days[n - 1] + base + L"|LDay:" + Digits(n) + L"}");
}

void States(ListEntries& out, std::wstring_view value, const std::wstring& base) {
  // A code of two letters is checked, followed by anything or not.
  const std::wstring_view selected = value.size() >= 2 ? value.substr(0, 2) : std::wstring_view();
  for (const auto& state : kStates) {
    out.Add(!selected.empty() && EqualNoCase(state.code, selected) ? kEntryChecked : 0,
            std::wstring(state.name) + base + L"|LState:" + std::wstring(state.code) + L"}");
  }
}

void MonthDays(ListEntries& out, std::wstring_view value, const std::wstring& base, const ListContext& context) {
  long long month = Whole(value).value_or(-1);
  if (month == 0) month = context.today.month;
  if (month < 1 || month > 12) return;
  // Outside the years dates can hold, the current year stands in.
  long long year = Whole(SubValue(value, L"Year:")).value_or(0);
  if (year < 1 || year > 9999) year = context.today.year;
  long long day = Whole(SubValue(value, L"Day:")).value_or(0);
  if (day == 0) day = context.today.day;
  const int y = static_cast<int>(year), m = static_cast<int>(month);
  for (int d = 1; d <= DaysInMonth(y, m); ++d) {
    const CivilDate date{y, m, d};
    out.Add(d == day ? kEntryChecked : 0, context.names.shortMonths[m - 1] + L" " + Digits(d) + L", " +
                                              context.names.days[WeekDay(date) - 1] + base + L"|LDate:" +
                                              Digits(DateSerial(date)) + L"}");
  }
}

long long DaysFromCivil(long long y, long long m, long long d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

bool ListEntries::Add(unsigned flags, std::wstring caption) {
  if (next_ < 1) return false;
  entries_.push_back({next_, flags, std::move(caption)});
  --next_;
  return true;
}

std::optional<unsigned> ControlEntryId(long long index) {
  if (index < 0 || index >= static_cast<long long>(kFirstListId)) return std::nullopt;
  return kFirstListId - static_cast<unsigned>(index);
}

long long DateSerial(CivilDate date) {
  return DaysFromCivil(date.year, date.month, date.day) - DaysFromCivil(1899, 12, 30);
}

int WeekDay(CivilDate date) {
  // 30 December 1899 was a Saturday.
  long long r = (DateSerial(date) + 6) % 7;
  if (r < 0) r += 7;
  return static_cast<int>(r) + 1;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

PresetList BuildPresetList(std::wstring_view key, std::wstring_view value, const ListContext& context) {
  PresetList list;
  std::wstring rest(value);
  const std::wstring listId = SubValue(value, L"ID:");
  if (!listId.empty()) {
    // "TX:ID:States" leaves "TX"; "ID:States" leaves nothing.
    if (std::size_t k = FindNoCase(rest, L":ID:" + listId); k != std::wstring::npos)
      rest.erase(k, 4 + listId.size());
    else if (FindNoCase(rest, L"ID:" + listId) == 0)
      rest.erase(0, 3 + listId.size());
  }
  // The ID goes back into a tag block: nothing of it may end the block.
  std::wstring id;
  for (wchar_t c : listId)
    if (c != L'\t' && c != L'{' && c != L'}' && c != L'|') id += c;
  const std::wstring base = L"{gControl:0|lvID:" + id;
  ListEntries out(kFirstListId - 1);
  if (EqualNoCase(key, L"lvColors:")) {
    Colours(out, rest, base, context);
  } else if (EqualNoCase(key, L"lvMonths:")) {
    Months(out, rest, base, context);
  } else if (EqualNoCase(key, L"lvDays:")) {
    Days(out, rest, base, context);
  } else if (EqualNoCase(key, L"lvStates:")) {
    States(out, rest, base);
    list.slow = true;
  } else if (EqualNoCase(key, L"lvMonth:")) {
    MonthDays(out, rest, base, context);
  }
  list.entries = out.Entries();
  return list;
}

std::wstring ControlEntryTags(HandleValue control, long long index, int listType, std::wstring_view extra) {
  return L"gControl:" + Decimal(control) + L"|LIndex:" + Digits(index) + std::wstring(extra) + L"|gType:" +
         Digits(listType);
}

std::wstring DoubleAmpersands(std::wstring_view text) {
  std::wstring out;
  for (wchar_t c : text) {
    out += c;
    if (c == L'&') out += L'&';
  }
  return out;
}

std::wstring ControlEntryCaption(std::wstring_view text, std::wstring_view tags) {
  const std::size_t open = text.find(L'{');
  const std::size_t close = open == std::wstring_view::npos ? open : text.find(L'}', open);
  if (close == std::wstring_view::npos) return DoubleAmpersands(text) + L"{" + std::wstring(tags) + L"}";
  // Its own mark-up: only the text around the block is shown.
  return DoubleAmpersands(text.substr(0, open)) + L"{" + std::wstring(tags) + L"|" +
         std::wstring(text.substr(open + 1, close - open)) + DoubleAmpersands(text.substr(close + 1));
}

std::wstring EmptyControlListCaption(std::wstring_view tags) {
  return L"-No Selections Available{" + std::wstring(tags) + L"|Raised}";
}

ListChoice DecodeListChoice(std::wstring_view caption) {
  ListChoice choice;
  const std::wstring tags = SplitCaption(caption).tags;
  if (tags.empty()) return choice;
  using Kind = ListChoice::Kind;
  struct Entry {
    std::wstring_view key;
    Kind kind;
    std::wstring_view category;
  };
  static constexpr Entry kKinds[] = {
      {L"LColor:", Kind::Colour, L"Color"}, {L"LMonth:", Kind::Month, L"Month"},
      {L"LState:", Kind::State, L"State"},  {L"LDay:", Kind::WeekDay, L"WeekDay"},
      {L"LDate:", Kind::Date, L"DayOfMonth"}, {L"LFont:", Kind::Font, L"Font"},
      {L"LDrv:", Kind::Drive, L"Drive"},
  };
  for (const Entry& e : kKinds) {
    std::wstring value = GetCaptionTag(tags, e.key);
    if (value.empty()) continue;
    choice.kind = e.kind;
    choice.category = std::wstring(e.category);
    choice.userId = GetCaptionTag(tags, L"lvID:");
    choice.text = value;
    choice.number = Whole(value).value_or(0);
    if (e.kind == Kind::Colour && Val(value) == -1) {
      choice.kind = Kind::CustomColour;
      choice.defaultColour = Whole(GetCaptionTag(tags, L"LDefClr:")).value_or(-1);
    }
    return choice;
  }
  const std::wstring control = GetCaptionTag(tags, L"gControl:");
  if (control.empty()) return choice;
  choice.kind = Kind::Control;
  choice.control = HandleFromText(control).value_or(0);
  choice.listType = static_cast<int>(Whole(GetCaptionTag(tags, L"gType:")).value_or(0));
  choice.index = Whole(GetCaptionTag(tags, L"LIndex:")).value_or(0);
  return choice;
}

}  // namespace tolvane
