// The icons of the link buttons: an icon file shows itself, any other plain
// file the icon the shell associates with it, passed through the icon cache
// beside the program; anything else, or any failure, the default link icon.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "ui/handles.h"
#include "ui/picture.h"

namespace tolvane {

// `ExtraireIcone`: the icon the shell associates with `target`, also drawn
// at the top left of a 37 x 37 square of `back` and saved as a bitmap file at `cachePath`
// (the cache holds bitmaps whatever their names say); `cached` tells whether
// that file was written. Null when the shell gives no icon; a cache that
// cannot be written (a read-only install) still gives the icon.
ui::OwnedIcon ExtraireIcone(const std::wstring& target, const std::wstring& cachePath, COLORREF back,
                            bool* cached = nullptr);

// The icons of one load of a group, kept for the next load: a reload takes
// an icon again, and writes its cache file, only for a target whose file
// changed (its write time or size) or when the pane's colour did.
class LinkIcons {
 public:
  // Between these two, icons asked for are kept; the others are let go.
  void BeginLoad();
  void EndLoad();
  // Never null. `back` is the colour the cached bitmap is drawn on.
  ui::PicturePtr IconFor(const std::wstring& target, COLORREF back);
  // The icon when it is known without asking the shell (the default icon,
  // or one taken before); null when it has to be extracted.
  ui::PicturePtr Known(const std::wstring& target, COLORREF back);

 private:
  // A target as it stood when its icon was taken (write time, size), and the
  // colour its cache file was drawn on.
  using Key = std::tuple<std::wstring, ULONGLONG, ULONGLONG, COLORREF>;
  // None for what is no plain file.
  static std::optional<Key> KeyOf(const std::wstring& target, COLORREF back);
  ui::PicturePtr Load(const std::wstring& target, COLORREF back, bool& keep);

  std::map<Key, ui::PicturePtr> current_, previous_;
};

}  // namespace tolvane
