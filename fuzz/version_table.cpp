// The string blocks a file's version translation table names.
#include "core/menu_lookup_rules.h"
#include "fuzz_support.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto paths = TranslationBlockPaths(data, size);
  FUZZ_CHECK(paths.size() == size / 4);
  const std::wstring prefix = L"\\StringFileInfo\\";
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::wstring& path = paths[i];
    FUZZ_CHECK(path.size() == prefix.size() + 8 && fuzz::StartsWith(path, prefix));
    // Language then code page, each read back to the entry's bytes.
    const unsigned language = std::stoul(path.substr(prefix.size(), 4), nullptr, 16);
    const unsigned codePage = std::stoul(path.substr(prefix.size() + 4, 4), nullptr, 16);
    for (wchar_t c : path.substr(prefix.size())) FUZZ_CHECK((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'));
    const std::uint8_t* entry = data + 4 * i;
    FUZZ_CHECK(language == (entry[0] | (entry[1] << 8u)) + 0u && codePage == (entry[2] | (entry[3] << 8u)) + 0u);
  }
  return 0;
}
