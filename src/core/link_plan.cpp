#include "core/link_plan.h"

#include <algorithm>
#include <array>

#include "core/catalogue.h"

namespace tolvane {
namespace {

// ASCII and Latin-1 capitals, as the system's ANSI lower-casing treats them
// on a Western code page; the same on every build.
wchar_t LowerChar(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
  return c;
}

bool RefusedInFileName(wchar_t c) {
  return c < 32 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos;
}

// Names Windows keeps for devices, whatever extension follows them.
bool IsDeviceName(std::wstring_view name) {
  std::wstring stem(name.substr(0, name.find(L'.')));
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  for (wchar_t& c : stem) c = LowerChar(c);
  static const std::array<std::wstring_view, 6> kFixed = {L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$"};
  if (std::find(kFixed.begin(), kFixed.end(), stem) != kFixed.end()) return true;
  return stem.size() == 4 && (stem.starts_with(L"com") || stem.starts_with(L"lpt")) && stem[3] >= L'1' &&
         stem[3] <= L'9';
}

constexpr std::size_t kMaxCacheStem = 200;  // leaves room for ".ico" under every file system's limit

}  // namespace

std::vector<LinkButtonPlan> PlanLinkButtons(const SettingsStore& store, int group, double firstTop,
                                            double buttonHeight) {
  std::vector<LinkButtonPlan> plan;
  // The links stored stand for a count that reads below 1. With none, a
  // count that is a number still shows one button, one that is none none.
  int count = LinkCountOrStored(store, group);
  if (count == 0) {
    if (!ReadLinkCount(store, group)) return plan;
    count = 1;
  }
  // A reader's bound: nothing stored changes.
  const int m = std::min(count, MostLinkButtons(firstTop, buttonHeight));
  plan.reserve(static_cast<std::size_t>(m));
  for (int i = 0; i < m; ++i) {
    const int k = i + 1;
    const double top = firstTop + i * (buttonHeight + kLinkButtonGap);
    plan.push_back({ReadLinkCaption(store, group, k), LinkKey(group, k), ReadLinkTarget(store, group, k), top});
  }
  return plan;
}

std::wstring ExtensionFichier(std::wstring_view path) {
  const std::size_t dot = path.rfind(L'.');
  if (dot == std::wstring_view::npos || dot + 1 >= path.size()) return L"";
  std::wstring ext(path.substr(dot + 1));
  for (wchar_t& c : ext) c = LowerChar(c);
  return ext;
}

std::optional<std::wstring> IconCacheFileName(std::wstring_view target) {
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::wstring_view base = slash == std::wstring_view::npos ? target : target.substr(slash + 1);
  const std::size_t dot = base.rfind(L'.');
  if (dot == std::wstring_view::npos) return std::nullopt;
  std::wstring name(base.substr(0, std::min(dot, kMaxCacheStem)));
  for (wchar_t& c : name)
    if (RefusedInFileName(c)) c = L'_';
  while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
  if (name.empty() || IsDeviceName(name)) name.insert(0, 1, L'_');
  return name + L".ico";
}

}  // namespace tolvane
