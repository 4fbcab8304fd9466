// What every fuzz target shares: bytes turned into wide text, a settings
// store filled from tagged lines, and a check that stops the run loudly.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue.h"
#include "core/settings_store.h"

// Unlike assert, kept in every build: a broken rule must end the run so that
// libFuzzer saves the input.
#define FUZZ_CHECK(cond)                                                           \
  do {                                                                             \
    if (!(cond)) {                                                                 \
      std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      std::abort();                                                                \
    }                                                                              \
  } while (0)

namespace fuzz {

// Well-formed UTF-8 sequences become their character and any other byte its
// Latin-1 character, so plain ASCII, accented captions ("é" either way) and
// far code points all reach the parsers from short inputs.
inline std::wstring Wide(const std::uint8_t* data, std::size_t size) {
  std::wstring out;
  out.reserve(size);
  std::size_t i = 0;
  while (i < size) {
    const std::uint8_t b = data[i];
    const int extra = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : 0;
    char32_t c = extra == 3 ? b & 0x07 : extra == 2 ? b & 0x0F : b & 0x1F;
    bool ok = extra > 0;
    for (int k = 1; ok && k <= extra; ++k) {
      if (i + k >= size || (data[i + k] & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (data[i + k] & 0x3F);
    }
    if (ok && c <= 0x10FFFF && c >= (extra == 1 ? 0x80u : extra == 2 ? 0x800u : 0x10000u)) {
      out += static_cast<wchar_t>(c);
      i += static_cast<std::size_t>(extra) + 1;
    } else {
      out += static_cast<wchar_t>(b);
      ++i;
    }
  }
  return out;
}

inline std::vector<std::wstring> Lines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// One line per stored value or free item, by its first character:
//   D key=value   into "Data"       S key=value   into "Settings"
//   I key=value   into "Interface"  > text        a free item (a file name...)
// Other lines are ignored; a value without "=" is stored empty under the key.
// A value ends at its first NUL, as the registry-backed store reads it.
struct Fields {
  tolvane::MemoryStore store;
  std::vector<std::wstring> items;
};

inline Fields ParseFields(std::wstring_view text) {
  Fields f;
  for (const auto& line : Lines(text)) {
    if (line.empty()) continue;
    const std::wstring rest = line.substr(1);
    std::wstring_view section;
    switch (line[0]) {
      case L'D': section = tolvane::kSectionData; break;
      case L'S': section = tolvane::kSectionSettings; break;
      case L'I': section = tolvane::kSectionInterface; break;
      case L'>': f.items.push_back(rest); continue;
      default: continue;
    }
    const std::size_t eq = rest.find(L'=');
    if (eq == std::wstring::npos) f.store.Save(section, rest, L"");
    else f.store.Save(section, rest.substr(0, eq), rest.substr(eq + 1, rest.find(L'\0', eq + 1) - (eq + 1)));
  }
  f.store.ClearWrites();
  return f;
}

inline bool StartsWith(std::wstring_view s, std::wstring_view prefix) { return s.substr(0, prefix.size()) == prefix; }
inline bool EndsWith(std::wstring_view s, std::wstring_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

}  // namespace fuzz
