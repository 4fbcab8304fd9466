// A font as the designs name it: "Verdana", 8.25 points, bold or not,
// underlined or not.
#pragma once

#include <string>

namespace tolvane {

struct FontSpec {
  std::wstring name = L"MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const FontSpec&) const = default;
};

}  // namespace tolvane
