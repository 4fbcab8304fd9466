#pragma once

namespace bench {

// Median milliseconds for the group menu of `groups` groups to be prepared,
// measured and drawn with its sub-menu, over `runs` pop-ups after a first.
double TimeGroupMenuPopup(int groups, int runs);

}  // namespace bench
