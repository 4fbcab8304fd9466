// Fonts as the designs name them ("Verdana", 8.25 points, bold or not). The
// handles are made once per distinct font and kept for the whole run, so a
// control changing between bold and plain on hover creates nothing.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "core/font_spec.h"
#include "ui/handles.h"

namespace ui {

using FontSpec = tolvane::FontSpec;

// The shared handle for a font; owned by the cache, never deleted by callers.
HFONT GetFont(const FontSpec& spec);
// How many shared handles the run holds (each kept to its end).
std::size_t SharedFontCount();

// A font of one control's own, for a control whose font the user steps
// through (a preview): one handle at a time, deleted when replaced or with
// the holder, so that stepping through every installed font keeps nothing.
class FontHolder {
 public:
  HFONT Get(const FontSpec& spec);

 private:
  FontSpec spec_;
  OwnedFont font_;
};

}  // namespace ui
