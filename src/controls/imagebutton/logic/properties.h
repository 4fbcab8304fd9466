// The image button's stored properties: the store a dialog fills from its
// design, the values read from it with their defaults, and the rules for the
// picture offsets and the caption's leading blanks.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "core/font_spec.h"

namespace ui {
class Picture;  // the runtime's picture: an icon or a bitmap
}  // namespace ui

namespace imagebutton {

// A colour as the designs give it: 0x00BBGGRR, or 0x80000000 plus the index
// of a system colour.
struct Colour {
  std::uint32_t value = 0;
  bool operator==(const Colour&) const = default;
};

inline constexpr Colour kWindowBackground{0x80000005};
inline constexpr Colour kWindowFrame{0x80000006};
inline constexpr Colour kButtonText{0x80000012};

using FontSpec = tolvane::FontSpec;

// The picture is owned by the window side; here it is only shared
// and compared.
using PicturePtr = std::shared_ptr<const ui::Picture>;

// One stored value: nothing, a flag, a number, a text, a colour, a font or a
// picture. A number and the text of that number are different values.
using Value = std::variant<std::monostate, bool, double, std::wstring, Colour, FontSpec, PicturePtr>;

// Named values; names compare without case.
class PropertyStore {
 public:
  PropertyStore() = default;
  PropertyStore(std::initializer_list<std::pair<std::wstring_view, Value>> design);

  // The stored value, or `fallback` when the name is missing.
  Value Read(std::wstring_view name, const Value& fallback) const;
  // Stores the value; one equal to `defaultValue` is left out (and an older
  // value of that name removed), so only the changes from the defaults remain.
  void Write(std::wstring_view name, const Value& value, const Value& defaultValue);
  // Stores the value whatever it is.
  void Set(std::wstring_view name, const Value& value);
  bool Has(std::wstring_view name) const;
  std::size_t Size() const { return values_.size(); }

 private:
  static std::wstring Key(std::wstring_view name);
  std::map<std::wstring, Value> values_;
};

// What the hosting form hands to the control: the defaults of its font, its
// text colour and its caption.
struct Ambient {
  FontSpec font;
  Colour foreColor = kButtonText;
  std::wstring displayName;
};

struct Properties {
  bool enabled = true;
  FontSpec font;
  std::wstring caption;
  PicturePtr picture;
  // As stored: a number, a text that reads as one, or nothing.
  Value xPicture, yPicture, wPicture, hPicture, xTexte;
  Colour foreColor = kButtonText;
  Colour foreHover = kButtonText;
  bool operator==(const Properties&) const = default;
};

// A button its host has just added, with no stored values: the host's font
// and name, enabled, and the design's colours. Offsets and XTexte stay
// empty, so its caption has no blanks before it.
Properties NewInstanceProperties(const Ambient& ambient);
Properties ReadProperties(const PropertyStore& store, const Ambient& ambient);
// Stores only what differs from what reading gives back.
void WriteProperties(const Properties& properties, const Ambient& ambient, PropertyStore& store);

// The properties that take a number, stored as given.
enum class Numeric { XPicture, YPicture, WPicture, HPicture, XTexte };

// The number a value holds: a number, or a text that reads as one in the
// invariant notation whatever the locale. Nothing for anything else.
std::optional<double> NumberOf(const Value& value);
// The stored value, or the property's default (8, 8, 33, 33, 16) when empty.
Value ValueOrDefault(Numeric which, const Value& stored);
// Whether a value may be written: numeric, and for the picture box a whole
// number of pixels the window system can take (no negative size).
bool Accepts(Numeric which, const Value& value);

// The picture box in pixels; a stored value that is not acceptable counts as
// the default.
struct PictureBox {
  int left = 8, top = 8, width = 33, height = 33;
  bool operator==(const PictureBox&) const = default;
};
PictureBox PictureBoxOf(const Properties& properties);

// The blanks drawn before the caption: XTexte rounded, from 0 to 255. None
// while it holds nothing at all, as a new button's does and as one saved so
// loads; an empty text takes the default.
int BlanksOf(const Value& xTexte);

}  // namespace imagebutton
