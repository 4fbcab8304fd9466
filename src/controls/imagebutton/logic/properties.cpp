#include "controls/imagebutton/logic/properties.h"

#include <algorithm>
#include <cmath>

#include "core/text.h"

namespace imagebutton {
namespace {

constexpr double kMaxPictureCoordinate = 32767;  // what a window coordinate holds
constexpr int kMaxBlanks = 255;

double DefaultOf(Numeric which) {
  switch (which) {
    case Numeric::XPicture:
    case Numeric::YPicture: return 8;
    case Numeric::WPicture:
    case Numeric::HPicture: return 33;
    case Numeric::XTexte: return 16;
  }
  return 0;
}

bool IsEmpty(const Value& v) {
  if (std::holds_alternative<std::monostate>(v)) return true;
  const auto* text = std::get_if<std::wstring>(&v);
  return text && text->empty();
}

template <typename T>
T As(const Value& v, const T& fallback) {
  const T* p = std::get_if<T>(&v);
  return p ? *p : fallback;
}

int PixelsOf(Numeric which, const Value& stored) {
  const Value value = ValueOrDefault(which, stored);
  const double n = Accepts(which, value) ? *NumberOf(value) : DefaultOf(which);
  return tolvane::CLng(n).value_or(0);
}

}  // namespace

PropertyStore::PropertyStore(std::initializer_list<std::pair<std::wstring_view, Value>> design) {
  for (const auto& [name, value] : design) Set(name, value);
}

std::wstring PropertyStore::Key(std::wstring_view name) {
  std::wstring key(name);
  for (wchar_t& c : key) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
  }
  return key;
}

Value PropertyStore::Read(std::wstring_view name, const Value& fallback) const {
  const auto it = values_.find(Key(name));
  return it == values_.end() ? fallback : it->second;
}

void PropertyStore::Write(std::wstring_view name, const Value& value, const Value& defaultValue) {
  if (value == defaultValue) {
    values_.erase(Key(name));
  } else {
    Set(name, value);
  }
}

void PropertyStore::Set(std::wstring_view name, const Value& value) { values_[Key(name)] = value; }

bool PropertyStore::Has(std::wstring_view name) const { return values_.count(Key(name)) != 0; }

Properties NewInstanceProperties(const Ambient& ambient) {
  Properties p;
  p.enabled = true;
  p.font = ambient.font;
  p.caption = ambient.displayName;
  p.foreColor = kWindowFrame;  // the design's text colour, which nothing replaces yet
  p.foreHover = Colour{0};
  return p;
}

Properties ReadProperties(const PropertyStore& store, const Ambient& ambient) {
  Properties p;
  p.enabled = As(store.Read(L"Enabled", true), true);
  p.font = As(store.Read(L"Font", ambient.font), ambient.font);
  p.caption = As(store.Read(L"Caption", ambient.displayName), ambient.displayName);
  p.picture = As(store.Read(L"Image", PicturePtr{}), PicturePtr{});
  p.xPicture = store.Read(L"XPicture", 8.0);
  p.yPicture = store.Read(L"YPicture", 8.0);
  p.wPicture = store.Read(L"WPicture", 33.0);
  p.hPicture = store.Read(L"HPicture", 33.0);
  p.xTexte = store.Read(L"XTexte", 16.0);
  p.foreColor = As(store.Read(L"ForeColor", ambient.foreColor), ambient.foreColor);
  p.foreHover = As(store.Read(L"ForeHover", p.foreColor), p.foreColor);
  return p;
}

void WriteProperties(const Properties& p, const Ambient& ambient, PropertyStore& store) {
  store.Write(L"Enabled", p.enabled, true);
  store.Write(L"Font", p.font, ambient.font);
  store.Write(L"Caption", p.caption, ambient.displayName);
  store.Write(L"Image", p.picture, PicturePtr{});
  store.Write(L"YPicture", p.yPicture, 8.0);
  store.Write(L"XPicture", p.xPicture, 8.0);
  store.Write(L"WPicture", p.wPicture, 33.0);
  store.Write(L"HPicture", p.hPicture, 33.0);
  store.Write(L"XTexte", p.xTexte, 16.0);
  store.Set(L"ForeColor", p.foreColor);
  // A missing hover colour reads as the text colour: one equal to the host's
  // but not to the text colour would come back changed.
  if (p.foreHover == p.foreColor) {
    store.Write(L"ForeHover", p.foreHover, ambient.foreColor);
  } else {
    store.Set(L"ForeHover", p.foreHover);
  }
}

std::optional<double> NumberOf(const Value& value) {
  if (const double* n = std::get_if<double>(&value)) {
    if (std::isfinite(*n)) return *n;
  }
  if (const auto* text = std::get_if<std::wstring>(&value)) {
    const auto n = tolvane::ParseNumber(*text);
    if (n && std::isfinite(*n)) return n;
  }
  return std::nullopt;
}

Value ValueOrDefault(Numeric which, const Value& stored) {
  return IsEmpty(stored) ? Value(DefaultOf(which)) : stored;
}

bool Accepts(Numeric which, const Value& value) {
  const auto n = NumberOf(value);
  if (!n) return false;
  switch (which) {
    case Numeric::XPicture:
    case Numeric::YPicture: return std::abs(*n) <= kMaxPictureCoordinate;
    case Numeric::WPicture:
    case Numeric::HPicture: return *n >= 0 && *n <= kMaxPictureCoordinate;
    case Numeric::XTexte: return true;
  }
  return false;
}

PictureBox PictureBoxOf(const Properties& p) {
  return {PixelsOf(Numeric::XPicture, p.xPicture), PixelsOf(Numeric::YPicture, p.yPicture),
          PixelsOf(Numeric::WPicture, p.wPicture), PixelsOf(Numeric::HPicture, p.hPicture)};
}

int BlanksOf(const Value& xTexte) {
  if (std::holds_alternative<std::monostate>(xTexte)) return 0;
  const auto n = NumberOf(ValueOrDefault(Numeric::XTexte, xTexte));
  if (!n) return 0;
  const double clamped = std::clamp(*n, 0.0, static_cast<double>(kMaxBlanks));
  return tolvane::CLng(clamped).value_or(0);
}

}  // namespace imagebutton
