#include "base/bar.h"

namespace tolvane {
namespace {
Bar* theBar = nullptr;
}

Bar* TheBar() { return theBar; }

void SetBar(Bar* bar) { theBar = bar; }

}  // namespace tolvane
