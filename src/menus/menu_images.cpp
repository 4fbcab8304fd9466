#include "menus/menu_images.h"

#include <shellapi.h>

#include <climits>
#include <map>
#include <memory>
#include <tuple>

#include "menus/gdi_count.h"
#include "menus/lookups.h"
#include "ui/picture.h"

namespace menus {
namespace {

constexpr DWORD kAndNotSource = 0x220326;   // destination AND NOT source
constexpr DWORD kBrushWhereDark = 0xB8074A;  // the brush where the source is 0, the destination where 1
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct Prepared {
  bool bitmap = false;   // made from a bitmap (else an icon)
  CountedBitmap colour;  // the picture, black where transparent (32 bits a pixel: quick to blit)
  CountedBitmap mask;    // one bit a pixel: 1 where transparent
  CountedBitmap shape;   // one bit a pixel: 0 where the picture is not white
};

using Key = std::tuple<std::uint64_t, int, int, bool>;

// Past this many pictures or file icons, all are made again as needed:
// menus whose pictures keep changing never make the cache grow for good.
constexpr std::size_t kMostPictures = 512;

struct Cache {
  std::map<Key, std::unique_ptr<Prepared>> pictures;
  std::map<std::wstring, CountedIcon> fileIcons;
  CountedMemoryDc dc;  // the one DC pictures are selected into to be drawn
};

// Whether a handle still names a bitmap (or an icon) as it did.
bool Live(std::uint64_t value, bool bitmap) {
  const auto h = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value));
  if (bitmap) return ::GetObjectType(h) == OBJ_BITMAP;
  ICONINFO info{};
  if (!::GetIconInfo(static_cast<HICON>(h), &info)) return false;
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  return true;
}

Cache& TheCache() {
  static auto* cache = new Cache;
  return *cache;
}

// A bitmap selected into a DC for as long as this lives.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  ~Selected() {
    if (old_) ::SelectObject(dc_, old_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  bool ok() const { return old_ != nullptr; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Colours for blits between one-bit and colour bitmaps: 1 is white, 0 black.
class MonoColours {
 public:
  explicit MonoColours(HDC dc) : dc_(dc), text_(::SetTextColor(dc, kBlack)), back_(::SetBkColor(dc, kWhite)) {}
  ~MonoColours() {
    ::SetTextColor(dc_, text_);
    ::SetBkColor(dc_, back_);
  }
  MonoColours(const MonoColours&) = delete;
  MonoColours& operator=(const MonoColours&) = delete;

 private:
  HDC dc_;
  COLORREF text_, back_;
};

std::unique_ptr<Prepared> Prepare(std::uint64_t value, int w, int h, bool opaque) {
  const ResolvedImage image = ExamineImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value)));
  if (!image.handle || image.width <= 0 || image.height <= 0) return nullptr;
  ScreenDc screen;
  auto p = std::make_unique<Prepared>();
  p->bitmap = image.bitmap;
  p->colour.reset(Made(ui::CreateDib(w, h, 32).release()));
  p->mask.reset(Made(::CreateBitmap(w, h, 1, 1, nullptr)));
  p->shape.reset(Made(::CreateBitmap(w, h, 1, 1, nullptr)));
  CountedBitmap white(Made(::CreateCompatibleBitmap(screen.get(), w, h)));
  CountedMemoryDc a(Made(::CreateCompatibleDC(screen.get()))), b(Made(::CreateCompatibleDC(screen.get())));
  screen.Release();
  if (!p->colour || !p->mask || !p->shape || !white || !a || !b) return nullptr;
  {
    Selected colour(a.get(), p->colour.get());
    Selected mask(b.get(), p->mask.get());
    if (!colour.ok() || !mask.ok()) return nullptr;
    if (image.bitmap) {
      CountedMemoryDc source(Made(::CreateCompatibleDC(a.get())));
      Selected original(source.get(), image.handle);
      if (!original.ok()) return nullptr;  // selected elsewhere: nothing to read
      const int oldMode = ::SetStretchBltMode(a.get(), COLORONCOLOR);
      ::StretchBlt(a.get(), 0, 0, w, h, source.get(), 0, 0, image.width, image.height, SRCCOPY);
      ::SetStretchBltMode(a.get(), oldMode);
      if (opaque) {
        ::PatBlt(b.get(), 0, 0, w, h, BLACKNESS);
      } else {
        // 1 where the picture has its top-left colour; those pixels go black.
        const COLORREF transparent = ::GetPixel(source.get(), 0, 0);
        const COLORREF oldBack = ::SetBkColor(a.get(), transparent);
        ::BitBlt(b.get(), 0, 0, w, h, a.get(), 0, 0, SRCCOPY);
        ::SetBkColor(a.get(), oldBack);
        MonoColours mono(a.get());
        ::BitBlt(a.get(), 0, 0, w, h, b.get(), 0, 0, kAndNotSource);
      }
    } else {
      auto icon = static_cast<HICON>(image.handle);
      ::PatBlt(a.get(), 0, 0, w, h, BLACKNESS);
      ::DrawIconEx(a.get(), 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
      ::PatBlt(b.get(), 0, 0, w, h, WHITENESS);
      ::DrawIconEx(b.get(), 0, 0, icon, w, h, 0, nullptr, DI_MASK);
    }
  }
  // The picture over white, read back as one bit a pixel: its shape.
  {
    Selected over(a.get(), white.get());
    Selected mask(b.get(), p->mask.get());
    {
      MonoColours mono(a.get());
      ::BitBlt(a.get(), 0, 0, w, h, b.get(), 0, 0, SRCCOPY);
    }
    {
      Selected colour(b.get(), p->colour.get());
      ::BitBlt(a.get(), 0, 0, w, h, b.get(), 0, 0, SRCPAINT);
    }
    Selected shape(b.get(), p->shape.get());
    const COLORREF oldBack = ::SetBkColor(a.get(), kWhite);
    ::BitBlt(b.get(), 0, 0, w, h, a.get(), 0, 0, SRCCOPY);
    ::SetBkColor(a.get(), oldBack);
  }
  return p;
}

void Blit(HDC hDC, int x, int y, int w, int h, HBITMAP from, DWORD rop) {
  Cache& cache = TheCache();
  Selected source(cache.dc.get(), from);
  if (source.ok()) ::BitBlt(hDC, x, y, w, h, cache.dc.get(), 0, 0, rop);
}

// The shape painted in one colour.
void Silhouette(HDC hDC, int x, int y, int w, int h, const Prepared& p, COLORREF colour) {
  HGDIOBJ oldBrush = ::SelectObject(hDC, ::GetStockObject(DC_BRUSH));
  const COLORREF oldColour = ::SetDCBrushColor(hDC, colour);
  Blit(hDC, x, y, w, h, p.shape.get(), kBrushWhereDark);
  ::SetDCBrushColor(hDC, oldColour);
  ::SelectObject(hDC, oldBrush);
}

}  // namespace

bool DrawMenuPicture(HDC hDC, std::uint64_t handle, int x, int y, int width, int height, bool greyed, bool embossed,
                     bool opaque) {
  if (!hDC || !handle || width <= 0 || height <= 0) return false;
  Cache& cache = TheCache();
  if (!cache.dc) {
    cache.dc.reset(Made(::CreateCompatibleDC(nullptr)));
    if (!cache.dc) return false;
  }
  const Key key{handle, width, height, opaque};
  auto it = cache.pictures.find(key);
  // A picture made from a bitmap that was deleted since is made again.
  if (it != cache.pictures.end() && it->second && it->second->bitmap && !Live(handle, true)) {
    cache.pictures.erase(it);
    it = cache.pictures.end();
  }
  if (it == cache.pictures.end()) {
    if (cache.pictures.size() >= kMostPictures) cache.pictures.clear();
    it = cache.pictures.emplace(key, Prepare(handle, width, height, opaque)).first;
  }
  const Prepared* p = it->second.get();
  if (!p) return false;  // not a picture: remembered, so not asked again
  const COLORREF background = ::GetBkColor(hDC);
  MonoColours mono(hDC);
  if (!greyed) {
    Blit(hDC, x, y, width, height, p->mask.get(), SRCAND);
    Blit(hDC, x, y, width, height, p->colour.get(), SRCPAINT);
  } else if (embossed) {
    Silhouette(hDC, x + 1, y + 1, width, height, *p, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    Silhouette(hDC, x, y, width, height, *p, ::GetSysColor(COLOR_BTNSHADOW));
  } else {
    Silhouette(hDC, x + 1, y + 1, width, height, *p, ::GetSysColor(COLOR_BTNSHADOW));
    Silhouette(hDC, x, y, width, height, *p, background);
  }
  return true;
}

HICON FileIcon(const std::wstring& path) {
  Cache& cache = TheCache();
  auto it = cache.fileIcons.find(path);
  if (it == cache.fileIcons.end()) {
    if (cache.fileIcons.size() >= kMostPictures) {
      // The pictures made from these icons go with them: their handles may come back.
      cache.pictures.clear();
      cache.fileIcons.clear();
    }
    SHFILEINFOW info{};
    ::SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON);
    it = cache.fileIcons.emplace(path, CountedIcon(Made(info.hIcon))).first;
  }
  return it->second.get();
}

void ForgetPicturesOf(std::uint64_t handle) {
  Cache& cache = TheCache();
  auto it = cache.pictures.lower_bound(Key{handle, INT_MIN, INT_MIN, false});
  while (it != cache.pictures.end() && std::get<0>(it->first) == handle) it = cache.pictures.erase(it);
}

void ForgetStalePictures() {
  Cache& cache = TheCache();
  std::erase_if(cache.pictures, [](const auto& entry) {
    return !entry.second || !Live(std::get<0>(entry.first), entry.second->bitmap);
  });
}

void ReleaseMenuPictures() {
  Cache& cache = TheCache();
  cache.pictures.clear();
  cache.fileIcons.clear();
  cache.dc.reset();
}

std::size_t MenuPicturesHeld() { return TheCache().pictures.size(); }

}  // namespace menus
