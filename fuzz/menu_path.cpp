// The parts of a path the menus show or look up.
#include "core/menu_lookup_rules.h"
#include "fuzz_support.h"

using namespace tolvane;

namespace {
bool HasNoBackslash(const std::wstring& s) { return s.find(L'\\') == std::wstring::npos; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring path = fuzz::Wide(data, size);
  const std::wstring drive = GetPathPart(path, L"D"), folder = GetPathPart(path, L"p");
  const std::wstring name = GetPathPart(path, L"N"), extension = GetPathPart(path, L"e");
  const std::wstring bare = GetPathPart(path, L"m");
  // Drive and folder end in a backslash after a beginning of the path.
  for (const std::wstring& part : {drive, folder})
    if (!part.empty()) FUZZ_CHECK(part.back() == L'\\' && fuzz::StartsWith(path, part.substr(0, part.size() - 1)));
  // Name and extension are what the path ends with, within its last folder.
  FUZZ_CHECK(fuzz::EndsWith(path, name) && HasNoBackslash(name));
  FUZZ_CHECK(fuzz::EndsWith(path, extension) && HasNoBackslash(extension) && extension.find(L'.') == std::wstring::npos);
  if (!extension.empty()) FUZZ_CHECK(fuzz::EndsWith(path, L"." + extension));
  // The bare name comes before a dot of the file name, never empty before it.
  if (!bare.empty()) FUZZ_CHECK(HasNoBackslash(bare) && path.find(bare + L".") != std::wstring::npos);
  FUZZ_CHECK(GetPathPart(path, L"x").empty() && GetPathPart(path, L"") == drive);
  const std::wstring cut = StripNull(path);
  FUZZ_CHECK(fuzz::StartsWith(path, cut) && cut.find(L'\0') == std::wstring::npos);
  return 0;
}
