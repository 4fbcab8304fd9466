// Fonts as the designs name them ("Verdana", 8.25 points, bold or not). The
// handles are made once per distinct font and kept for the whole run, so a
// control changing between bold and plain on hover creates nothing.
#pragma once

#include <windows.h>

#include <string>

#include "core/font_spec.h"

namespace ui {

using FontSpec = tolvane::FontSpec;

// The shared handle for a font; owned by the cache, never deleted by callers.
HFONT GetFont(const FontSpec& spec);

}  // namespace ui
