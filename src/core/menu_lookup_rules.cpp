#include "core/menu_lookup_rules.h"

#include <cmath>
#include <limits>

#include "core/access_key.h"
#include "core/text.h"

namespace tolvane {
namespace {

constexpr std::size_t npos = std::wstring_view::npos;

// Where `needle` first occurs in `hay`, letters matched in any case.
std::size_t FindNoCase(std::wstring_view hay, std::wstring_view needle) {
  if (needle.size() > hay.size()) return npos;
  for (std::size_t i = 0; i + needle.size() <= hay.size(); ++i) {
    std::size_t k = 0;
    while (k < needle.size() && KeyToLower(hay[i + k]) == KeyToLower(needle[k])) ++k;
    if (k == needle.size()) return i;
  }
  return npos;
}

std::wstring Drive(std::wstring_view path) {
  if (std::size_t colon = path.find(L':'); colon != npos) return std::wstring(path.substr(0, colon + 1)) + L'\\';
  if (path.starts_with(L"\\\\")) {
    std::size_t slash = path.find(L'\\', 2);
    if (slash == npos) return std::wstring(path) + L'\\';
    return std::wstring(path.substr(0, slash + 1));
  }
  return {};
}

std::wstring Folder(std::wstring_view path) {
  std::size_t q = 0;
  if (std::size_t slash = path.rfind(L'\\'); slash != npos) q = slash;
  else if (std::size_t colon = path.find(L':'); colon != npos) q = colon + 1;
  if (q == 0) return {};
  return std::wstring(path.substr(0, q)) + L'\\';
}

// Where the file name starts: after the last backslash, else after the first
// colon; npos when there is neither.
std::size_t NameStart(std::wstring_view path) {
  if (std::size_t slash = path.rfind(L'\\'); slash != npos) return slash + 1;
  if (std::size_t colon = path.find(L':'); colon != npos) return colon + 1;
  return npos;
}

std::wstring Extension(std::wstring_view path) {
  std::size_t dot = path.rfind(L'.');
  if (dot == npos || path.find(L'\\', dot) != npos) return {};
  return std::wstring(path.substr(dot + 1));
}

std::wstring BareName(std::wstring_view path) {
  std::size_t start = NameStart(path);
  std::wstring_view name = start == npos ? path : path.substr(start);
  std::size_t dot = name.rfind(L'.');
  if (dot == npos || dot == 0) return {};
  return std::wstring(name.substr(0, dot));
}

wchar_t HexDigit(unsigned v) { return L"0123456789ABCDEF"[v & 0xF]; }

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

std::wstring GetPathPart(std::wstring_view path, std::wstring_view letter) {
  std::size_t which = FindNoCase(L"DPNEm", letter);
  if (path.empty() || which == npos) return {};
  switch (which) {
    case 0: return Drive(path);
    case 1: return Folder(path);
    case 2: {
      std::size_t start = NameStart(path);
      return start == npos ? std::wstring() : std::wstring(path.substr(start));
    }
    case 3: return Extension(path);
    default: return BareName(path);
  }
}

std::wstring StripNull(std::wstring_view text) { return std::wstring(text.substr(0, text.find(L'\0'))); }

std::vector<std::wstring> TranslationBlockPaths(const std::uint8_t* table, std::size_t size) {
  std::vector<std::wstring> paths;
  if (!table) return paths;
  for (std::size_t at = 0; at + 4 <= size; at += 4) {
    const unsigned language = table[at] | (table[at + 1] << 8);
    const unsigned codePage = table[at + 2] | (table[at + 3] << 8);
    std::wstring path = L"\\StringFileInfo\\";
    for (unsigned v : {language, codePage})
      for (int shift = 12; shift >= 0; shift -= 4) path += HexDigit(v >> shift);
    paths.push_back(std::move(path));
  }
  return paths;
}

std::optional<std::uint64_t> HandleFromText(std::wstring_view written) {
  const std::wstring trimmed = Trim(written);
  const std::wstring_view text = trimmed;
  if (text.size() > 2 && text[0] == L'&' && KeyToLower(text[1]) == L'h') {
    std::wstring_view digits = text.substr(2);
    if (digits.size() > 16) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
      int v = HexValue(c);
      if (v < 0) return std::nullopt;
      value = (value << 4) | static_cast<std::uint64_t>(v);
    }
    return value;
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    const std::uint64_t digit = static_cast<std::uint64_t>(c - L'0');
    if (value > (kMax - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

ImageRef ParseImageRef(std::wstring_view value) {
  ImageRef ref;
  if (value.empty()) return ref;
  if (auto handle = HandleFromText(value)) {
    ref.kind = ImageRef::Kind::Handle;
    ref.handle = *handle;
    return ref;
  }
  if (KeyToLower(value[0]) == L'i') {
    if (auto n = ParseNumber(value.substr(1))) {
      ref.kind = ImageRef::Kind::ListImage;
      const bool whole = std::floor(*n) == *n && std::fabs(*n) < 1e15;
      ref.listIndex = whole ? static_cast<long long>(*n) : 0;
      return ref;
    }
  }
  ref.kind = ImageRef::Kind::Control;
  ref.control = value;
  return ref;
}

}  // namespace tolvane
