// The catalogue edits against their model: the bytes pick the catalogue an
// earlier version left and the edits made on it, one byte a choice.
#include "../tests/core/catalogue_model.h"
#include "fuzz_support.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t next = 0;
  auto pick = [&](int low, int high) {
    const int byte = next < size ? data[next++] : 0;
    return low + byte % (high - low + 1);
  };
  auto fail = [](const std::string& what) {
    std::fprintf(stderr, "edit plans: %s\n", what.c_str());
    std::abort();
  };
  // Short sequences: each delete is checked cut after every change.
  tolvane::model::Sequence(pick, fail).Run(static_cast<int>(std::min<std::size_t>(size / 4, 12)) + 1);
  return 0;
}
