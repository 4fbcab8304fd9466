// Text rules of the menus' lookups that need no window: the parts of a path,
// the string blocks a file's version table names, and what an image value
// written in a caption refers to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// One part of a path, chosen by a letter of "DPNEm" in any case: "D" the
// drive ("C:\", "\\server\"), "P" the folder with its last backslash, "N" the
// file name, "E" the extension, "m" the file name without its extension.
// Empty when the path has no such part, the path is empty, or the letter is
// none of these. An empty letter chooses the drive.
std::wstring GetPathPart(std::wstring_view path, std::wstring_view letter);

// The text before its first NUL character (all of it when it has none).
std::wstring StripNull(std::wstring_view text);

// The string blocks a version resource's translation table names, in its
// order: "\StringFileInfo\" then language and code page, four upper-case
// hexadecimal digits each. Only whole 4-byte entries are read.
std::vector<std::wstring> TranslationBlockPaths(const std::uint8_t* table, std::size_t size);

// The block tried when no listed translation has one.
inline constexpr std::wstring_view kFallbackStringBlock = L"\\StringFileInfo\\040904E4";

// A handle written as text: decimal digits or "&H" and up to 16 hexadecimal
// digits, blanks around allowed, the full 64 bits. Nothing for other text.
std::optional<std::uint64_t> HandleFromText(std::wstring_view text);

// What a caption's image value refers to: a handle ("12345", "&H3039"), a
// picture of the menu's image list numbered from 1 ("i3"), or a control of
// the menu's window by name.
struct ImageRef {
  enum class Kind { None, Handle, ListImage, Control };
  Kind kind = Kind::None;
  std::uint64_t handle = 0;
  long long listIndex = 0;  // 0 when the number is not a whole one
  std::wstring control;
};
ImageRef ParseImageRef(std::wstring_view value);

}  // namespace tolvane
