// Lookups the menus make while they prepare items: the picture an image
// value names, with its kind and size; a file's short path and the
// description in its version resource; the icon the shell shows for a file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class ImageList;
}

namespace menus {

// A picture found for an item: a bitmap or an icon, with its size in pixels.
// The handle still belongs to whoever gave it.
struct ResolvedImage {
  HANDLE handle = nullptr;  // null when nothing usable was found
  bool bitmap = false;
  int width = 0;
  int height = 0;
};

// Where image values that are not handles are looked up. `listPicture` gives
// picture n (1 to `listCount`) of the menu's image list and is empty when the
// menu has none; `controlPicture` gives the picture of a control of the
// menu's window by name, or null.
struct ImageSources {
  std::function<HANDLE(long long)> listPicture;
  long long listCount = 0;
  std::function<HANDLE(const std::wstring&)> controlPicture;
};

// The pictures of an image list, numbered from 1 as captions number them;
// no list gives no list pictures. With a form's window, the pictures of its
// controls by name too.
ImageSources ListImageSources(const ui::ImageList* list, HWND form = nullptr);

// The window of the control called `name` on the loaded form whose window is
// `form`, or null. A control hosting a list box or combo box gives that list.
HWND FindControlWindow(HWND form, const std::wstring& name);

// Whether a handle is a bitmap or an icon, and its size; anything else
// (a stale number, another kind of object) resolves to nothing.
ResolvedImage ExamineImage(HANDLE h);

// The picture an "IMG:" value names: a handle written in decimal or "&H",
// "iN" for image N of the list, or a control's name.
ResolvedImage ResolveImageHandle(std::wstring_view imageValue, const ImageSources& sources);

// The short (8.3) form of a path; the path itself when it has none (a path
// that does not exist, say).
std::wstring GetShortFileName(const std::wstring& strLongPath);

// The string block of a version resource to read values from, or "".
std::wstring GetVersionLanguage(const std::vector<BYTE>& block);

// The description a file's version resource gives, or "".
std::wstring GetFileDescription(const std::wstring& sFile);

// The icon the shell shows for a file, extracted once and then shared by
// every later call whatever its path; null when it could not be had.
HICON GetAssociatedIcon(const std::wstring& path);
// Frees the shared icon (when the last menu owner goes).
void ReleaseAssociatedIcon();

}  // namespace menus
