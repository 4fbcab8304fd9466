#include "launcher/link_icons.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "base/skin.h"
#include "core/link_plan.h"
#include "launcher/globals.h"

namespace tolvane {
namespace {

constexpr int kIconSize = 32;  // as the default link icon, so captions line up
// The cache holds the whole drawing surface, 555 twips square, with the icon
// in its top-left corner.
constexpr int kCacheSize = 37;

bool WriteAll(HANDLE file, const void* data, DWORD bytes) {
  DWORD written = 0;
  return ::WriteFile(file, data, bytes, &written, nullptr) && written == bytes;
}

// The icon on a square of `back`, saved as a 24-bit bitmap file.
bool SaveIconBitmap(HICON icon, COLORREF back, const std::wstring& path) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kCacheSize;
  info.bmiHeader.biHeight = kCacheSize;  // bottom-up, as bitmap files are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ui::OwnedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ui::OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!bitmap || !dc || !bits) return false;
  {
    ui::ScopedSelect select(dc.get(), bitmap.get());
    ui::OwnedBrush brush(::CreateSolidBrush(back));
    RECT all{0, 0, kCacheSize, kCacheSize};
    ::FillRect(dc.get(), &all, brush.get());
    if (!::DrawIconEx(dc.get(), 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL)) return false;
    ::GdiFlush();
  }
  const DWORD stride = (kCacheSize * 3 + 3) & ~3u;
  const DWORD pixels = stride * kCacheSize;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + pixels;

  HANDLE raw = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return false;
  ui::OwnedHandle file(raw);
  bool ok = WriteAll(file.get(), &header, sizeof header) &&
            WriteAll(file.get(), &info.bmiHeader, sizeof info.bmiHeader) && WriteAll(file.get(), bits, pixels);
  file.reset();
  if (!ok) ::DeleteFileW(path.c_str());  // no half-written bitmap left behind
  return ok;
}

std::wstring ModulePath(HINSTANCE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) return path.substr(0, n);
    path.resize(path.size() * 2);
  }
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

ULONGLONG Join(DWORD high, DWORD low) { return (static_cast<ULONGLONG>(high) << 32) | low; }

// A plain file: not a folder, not hidden, not a system file. Wildcards, which
// would make a file listing match other files, match nothing here.
bool PlainFile(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
  if (path.empty() || !::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  return (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

}  // namespace

ui::OwnedIcon ExtraireIcone(const std::wstring& target, const std::wstring& cachePath, COLORREF back,
                            bool* cached) {
  if (cached) *cached = false;
  if (target.empty()) return {};
  // The shell may write the path of the icon's file back into the buffer.
  std::vector<wchar_t> buffer(std::max<std::size_t>(MAX_PATH, target.size() + 1), L'\0');
  std::copy(target.begin(), target.end(), buffer.begin());
  WORD index = 0;
  static const std::wstring self = ModulePath(::GetModuleHandleW(nullptr));
  ui::OwnedIcon icon(::ExtractAssociatedIconW(::GetModuleHandleW(nullptr), buffer.data(), &index));
  // Finding nothing, some shells fall back on a numbered icon of the calling
  // program, which here would be one of its own pictures: no icon found.
  if (icon && SamePath(buffer.data(), self) && !SamePath(target, self)) icon.reset();
  if (icon && SaveIconBitmap(icon.get(), back, cachePath) && cached) *cached = true;
  return icon;
}

void LinkIcons::BeginLoad() {
  previous_.merge(current_);
  current_.clear();
}

void LinkIcons::EndLoad() { previous_.clear(); }

std::optional<LinkIcons::Key> LinkIcons::KeyOf(const std::wstring& target, COLORREF back) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!PlainFile(target, data)) return std::nullopt;
  return Key{target, Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
             Join(data.nFileSizeHigh, data.nFileSizeLow), back};
}

ui::PicturePtr LinkIcons::IconFor(const std::wstring& target, COLORREF back) {
  if (ui::PicturePtr known = Known(target, back)) return known;
  // Taken before the icon: a file that changes meanwhile is taken again next time.
  std::optional<Key> key = KeyOf(target, back);
  bool keep = true;
  ui::PicturePtr picture = Load(target, back, keep);
  if (!picture) picture = TheSkin().defaultLinkIcon;
  if (keep && key) current_.emplace(std::move(*key), picture);
  return picture;
}

ui::PicturePtr LinkIcons::Known(const std::wstring& target, COLORREF back) {
  std::optional<Key> key = KeyOf(target, back);
  if (!key) return TheSkin().defaultLinkIcon;
  if (auto it = current_.find(*key); it != current_.end()) return it->second;
  if (auto it = previous_.find(*key); it != previous_.end()) {
    ui::PicturePtr kept = it->second;
    current_.emplace(std::move(*key), kept);
    return kept;
  }
  return nullptr;
}

ui::PicturePtr LinkIcons::Load(const std::wstring& target, COLORREF back, bool& keep) {
  if (ExtensionFichier(target) == L"ico") {
    // A file that is no icon stays what it is until it changes: kept.
    return ui::Picture::FromIcon(static_cast<HICON>(
        ::LoadImageW(nullptr, target.c_str(), IMAGE_ICON, kIconSize, kIconSize, LR_LOADFROMFILE)));
  }
  const std::optional<std::wstring> name = IconCacheFileName(target);
  if (!name) return nullptr;
  bool cached = false;
  ui::OwnedIcon icon = ExtraireIcone(target, ProgramFolder() + L"\\temp\\" + *name, back, &cached);
  // A cache that cannot be written now may be writable at the next load; the
  // icon shows meanwhile.
  keep = cached;
  return ui::Picture::FromIcon(icon.release());
}

}  // namespace tolvane
