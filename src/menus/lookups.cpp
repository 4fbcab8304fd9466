#include "menus/lookups.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>

#include "core/menu_lookup_rules.h"
#include "menus/gdi_count.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/picture.h"
#include "ui/window.h"

namespace menus {
namespace {

HANDLE HandleFromValue(std::uint64_t value) { return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value)); }

CountedIcon sharedIcon;

// A value of a version block, kept inside the block whatever length the
// query reports.
bool QueryVersionValue(const std::vector<BYTE>& block, const std::wstring& path, const BYTE*& value, UINT& bytes) {
  // A block starts with its own length in bytes; one longer than the buffer
  // would be walked past its end.
  if (block.size() < sizeof(WORD) || *reinterpret_cast<const WORD*>(block.data()) > block.size()) return false;
  void* p = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), path.c_str(), &p, &length) || !p) return false;
  const BYTE* at = static_cast<const BYTE*>(p);
  if (at < block.data() || at >= block.data() + block.size()) return false;
  value = at;
  bytes = length;
  return true;
}

}  // namespace

HWND FindControlWindow(HWND form, const std::wstring& name) {
  const ui::Form* loaded = ui::FindFormByHwnd(form);
  const ui::Window* control = loaded ? ui::FindControlByName(*loaded, name) : nullptr;
  HWND hwnd = control ? control->hwnd() : nullptr;
  if (!hwnd) return nullptr;
  for (const wchar_t* kind : {L"ListBox", L"ComboBox"})
    if (HWND list = ::FindWindowExW(hwnd, nullptr, kind, nullptr)) return list;
  return hwnd;
}

ImageSources ListImageSources(const ui::ImageList* list, HWND form) {
  ImageSources sources;
  if (form) {
    sources.controlPicture = [form](const std::wstring& name) -> HANDLE {
      const ui::Form* loaded = ui::FindFormByHwnd(form);
      const ui::Window* control = loaded ? ui::FindControlByName(*loaded, name) : nullptr;
      const ui::PicturePtr& picture = control ? control->GetPicture() : ui::PicturePtr{};
      if (!picture) return nullptr;
      return picture->Bitmap() ? static_cast<HANDLE>(picture->Bitmap()) : static_cast<HANDLE>(picture->Icon());
    };
  }
  if (!list) return sources;
  sources.listCount = list->Count();
  sources.listPicture = [list](long long n) -> HANDLE { return list->Picture(static_cast<int>(n - 1)); };
  return sources;
}

ResolvedImage ExamineImage(HANDLE h) {
  ResolvedImage image;
  if (!h) return image;
  if (::GetObjectType(h) == OBJ_BITMAP) {
    BITMAP bm{};
    if (!::GetObjectW(h, sizeof bm, &bm)) return image;
    return {h, true, bm.bmWidth, bm.bmHeight};
  }
  ICONINFO info{};
  if (!::GetIconInfo(static_cast<HICON>(h), &info)) return image;
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  if (!info.hbmColor) return image;
  BITMAP bm{};
  const bool sized = ::GetObjectW(info.hbmColor, sizeof bm, &bm) != 0;
  ::DeleteObject(info.hbmColor);
  if (!sized) return image;
  return {h, false, bm.bmWidth, bm.bmHeight};
}

ResolvedImage ResolveImageHandle(std::wstring_view imageValue, const ImageSources& sources) {
  const tolvane::ImageRef ref = tolvane::ParseImageRef(imageValue);
  HANDLE h = nullptr;
  try {
    switch (ref.kind) {
      case tolvane::ImageRef::Kind::None: break;
      case tolvane::ImageRef::Kind::Handle: h = HandleFromValue(ref.handle); break;
      case tolvane::ImageRef::Kind::ListImage:
        if (sources.listPicture && ref.listIndex >= 1 && ref.listIndex <= sources.listCount)
          h = sources.listPicture(ref.listIndex);
        break;
      case tolvane::ImageRef::Kind::Control:
        if (sources.controlPicture) h = sources.controlPicture(ref.control);
        break;
    }
  } catch (...) {
    ui::ReportCaughtFailure("a menu picture lookup");
    h = nullptr;  // a failed lookup shows no picture
  }
  return ExamineImage(h);
}

std::wstring GetShortFileName(const std::wstring& strLongPath) {
  std::wstring buffer(300, L'\0');
  DWORD n = ::GetShortPathNameW(strLongPath.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n >= buffer.size()) {  // too long for the buffer: n is the room it needs
    buffer.assign(n, L'\0');
    n = ::GetShortPathNameW(strLongPath.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n >= buffer.size()) return strLongPath;
  }
  if (n == 0) return strLongPath;
  return tolvane::StripNull(buffer);
}

std::wstring GetVersionLanguage(const std::vector<BYTE>& block) {
  const BYTE* table = nullptr;
  UINT bytes = 0;
  if (!QueryVersionValue(block, L"\\VarFileInfo\\Translation", table, bytes)) return L"";
  const std::size_t room = static_cast<std::size_t>(block.data() + block.size() - table);
  const BYTE* value = nullptr;
  UINT length = 0;
  for (const std::wstring& path : tolvane::TranslationBlockPaths(table, std::min<std::size_t>(bytes, room)))
    if (QueryVersionValue(block, path, value, length)) return path;
  const std::wstring fallback(tolvane::kFallbackStringBlock);
  if (QueryVersionValue(block, fallback, value, length)) return fallback;
  return L"";
}

std::wstring GetFileDescription(const std::wstring& sFile) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(sFile.c_str(), &ignored);
  if (size == 0) return L"";
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(sFile.c_str(), 0, size, block.data())) return L"";
  const std::wstring language = GetVersionLanguage(block);
  if (language.empty()) return L"";
  const BYTE* value = nullptr;
  UINT length = 0;
  if (!QueryVersionValue(block, language + L"\\FileDescription", value, length)) return L"";
  // The reported length counts characters; never read past the block.
  const std::size_t room = static_cast<std::size_t>(block.data() + block.size() - value) / sizeof(wchar_t);
  const std::wstring_view text(reinterpret_cast<const wchar_t*>(value), std::min<std::size_t>(length, room));
  return tolvane::StripNull(text);
}

HICON GetAssociatedIcon(const std::wstring& path) {
  if (!sharedIcon && path.size() < MAX_PATH) {
    // The call may write the path of the icon's file back into its buffer.
    wchar_t buffer[MAX_PATH] = {};
    std::wmemcpy(buffer, path.c_str(), path.size());
    WORD index = 0;
    sharedIcon.reset(Made(::ExtractAssociatedIconW(::GetModuleHandleW(nullptr), buffer, &index)));
  }
  return sharedIcon.get();
}

void ReleaseAssociatedIcon() { sharedIcon.reset(); }

}  // namespace menus
