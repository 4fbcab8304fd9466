// The entries of the sub-menus the menu engine fills by itself: the entries
// of a list box or combo box, and the built-in lists (colours, months, week
// days, states, the days of one month). Each entry is an ID, its menu flags
// and a caption whose tag block says what choosing it means.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/menu_draw_rules.h"
#include "core/menu_store.h"

namespace tolvane {

// Menu flags of an entry, as the menu functions take them.
inline constexpr unsigned kEntryGrayed = 0x1;
inline constexpr unsigned kEntryDisabled = 0x2;
inline constexpr unsigned kEntryChecked = 0x8;

inline constexpr unsigned kFirstListId = 32500;

struct ListEntry {
  unsigned id = 0;
  unsigned flags = 0;
  std::wstring caption;
};

// Entries numbered down from 32500. IDs stop at 1: past that an entry is
// not added, so no ID reaches 0 or wraps into the system's command range.
class ListEntries {
 public:
  explicit ListEntries(unsigned first = kFirstListId) : next_(first) {}
  // False when no ID is left.
  bool Add(unsigned flags, std::wstring caption);
  // The next entry takes `id` (quarter headers and built-in entries count
  // from their own starting places).
  void SkipTo(unsigned id) { next_ = id; }
  const std::vector<ListEntry>& Entries() const { return entries_; }

 private:
  unsigned next_;
  std::vector<ListEntry> entries_;
};

// The ID of a list control's entry `index` (from 0): 32500 down to 1;
// nothing past the 32,500th entry.
std::optional<unsigned> ControlEntryId(long long index);

// The keys of the built-in lists, in the order they are looked for.
inline constexpr std::array<std::wstring_view, 7> kPresetListKeys = {
    L"lvColors:", L"lvMonths:", L"lvDays:", L"lvStates:", L"lvMonth:", L"lvFonts:", L"lvDrives:"};

struct CivilDate {
  int year = 2000, month = 1, day = 1;
};
// Days since 30 December 1899, as dates are numbered.
long long DateSerial(CivilDate date);
// 1 for Sunday to 7 for Saturday.
int WeekDay(CivilDate date);
int DaysInMonth(int year, int month);

// Names of the user's language; days from Sunday.
struct DateNames {
  std::array<std::wstring, 12> months;
  std::array<std::wstring, 12> shortMonths;
  std::array<std::wstring, 7> days;
};

struct ListContext {
  CivilDate today;
  DateNames names;
  long long fontColour = 0;  // "FontColor" of "Font"
  std::function<ColorValue(ColorValue)> translate = [](ColorValue c) { return c; };
};

struct PresetList {
  std::vector<ListEntry> entries;
  bool slow = false;
};
// The built-in list `key` names, from its tag's `value`.
PresetList BuildPresetList(std::wstring_view key, std::wstring_view value, const ListContext& context);

// gType of a control list: 0 combo box, 1 list box, 2 list box with several selections.
std::wstring ControlEntryTags(HandleValue control, long long index, int listType, std::wstring_view extra = {});
// An entry's caption: its text, "&" doubled so that it shows as written,
// with `tags` put at the start of its own tag block, or in a block of their
// own when it has none.
std::wstring ControlEntryCaption(std::wstring_view text, std::wstring_view tags);
// The one entry of an empty control list.
std::wstring EmptyControlListCaption(std::wstring_view tags);

std::wstring DoubleAmpersands(std::wstring_view text);

// What choosing an entry means.
struct ListChoice {
  enum class Kind { None, Control, Colour, CustomColour, Month, State, WeekDay, Date, Font, Drive };
  Kind kind = Kind::None;
  std::wstring userId;    // "lvID:"
  std::wstring category;  // as reported to the client
  long long number = 0;   // colour, month, week day, date serial
  std::wstring text;      // the value as written (colour, state, face, drive)
  HandleValue control = 0;
  int listType = 0;
  long long index = 0;
  long long defaultColour = -1;  // where the colour dialog starts, -1 for none
};
ListChoice DecodeListChoice(std::wstring_view caption);

// Lo in the low 16 bits, Hi in the high ones.
constexpr std::uint32_t MakeLong(std::uint16_t lo, std::uint16_t hi) {
  return static_cast<std::uint32_t>(lo) | (static_cast<std::uint32_t>(hi) << 16);
}

}  // namespace tolvane
