#include "core/menu_caption.h"

#include <array>
#include <optional>

#include "core/text.h"
#include "core/text_case.h"

namespace tolvane {
namespace {

// A tag opened by the delimiter at `delim` runs to the next "|" or, failing
// that, the next "}"; the search starts past the tag's first character.
std::optional<std::wstring_view> TagAt(std::wstring_view w, std::size_t delim) {
  std::size_t end = w.find(L'|', delim + 2);
  if (end == std::wstring_view::npos) end = w.find(L'}', delim + 2);
  if (end == std::wstring_view::npos) return std::nullopt;
  return w.substr(delim + 1, end - delim - 1);
}

constexpr std::array<std::wstring_view, 9> kKeywords = {L"Raised",      L"Bold",   L"Italic",
                                                        L"Underline",   L"NoScroll", L"Transparent",
                                                        L"ImgBkg",      L"Default", L"Sidebar"};

}  // namespace

CaptionParts SplitCaption(std::wstring_view caption, const CaptionSwitches& switches) {
  CaptionParts out;
  std::wstring_view s = caption;
  if (std::size_t tab = s.find(L'\t'); tab != std::wstring_view::npos) {
    out.accelerator = std::wstring(s.substr(tab + 1));
    s = s.substr(0, tab);
  }
  out.text = Trim(s);
  std::size_t open = s.find(L'{');
  if (open == std::wstring_view::npos) return out;
  std::size_t close = s.find(L'}', open);
  if (close == std::wstring_view::npos) return out;  // no block: all of it is text
  std::wstring_view block = s.substr(open, close - open + 1);
  out.text = Trim(RemoveAllNoCase(s, block));
  out.tags = std::wstring(block.substr(0, block.size() - 1)) + L"|";
  if (switches.restoreOnExit) {
    if (std::size_t img = FindNoCase(out.tags, L"IMG:"); img != std::wstring::npos) {
      std::size_t end = out.tags.find(L'|', img);  // always found: the tags end in "|"
      std::wstring old = out.tags.substr(img, end - img);
      out.tags = ReplaceAllNoCase(out.tags, old, L"IMG:" + Digits(switches.imageTagOverride));
    }
  }
  return out;
}

CaptionParts LiteralCaption(std::wstring_view text, std::wstring_view tags, const CaptionSwitches& switches) {
  CaptionParts out;
  out.text = std::wstring(text);
  if (!tags.empty()) out.tags = SplitCaption(tags, switches).tags;
  return out;
}

std::wstring GetCaptionTag(std::wstring_view tags, std::wstring_view key) {
  if (tags.size() < 3) return L"";
  std::wstring w(tags);
  constexpr std::wstring_view kTip = L"Tip:";
  std::optional<std::wstring_view> tip;
  std::size_t p = FindNoCase(tags, L"|Tip:");
  if (p == std::wstring_view::npos) p = FindNoCase(tags, L"{Tip:");
  if (p != std::wstring_view::npos) tip = TagAt(tags, p);

  std::optional<std::wstring_view> tag;
  if (EqualNoCase(key, kTip)) {
    tag = tip;
  } else {
    // A tip's text may look like a tag: it must not be found as one.
    if (tip) w = RemoveAllNoCase(w, *tip);
    for (wchar_t delim : {L'|', L'{', L':'}) {
      std::wstring form = delim + std::wstring(key);
      if (std::size_t k = FindNoCase(w, form); k != std::wstring::npos) {
        tag = TagAt(w, k);
        break;
      }
    }
  }
  if (!tag) return L"";
  std::wstring value = tag->size() > key.size() ? std::wstring(tag->substr(key.size())) : std::wstring();
  if (!value.empty()) {
    if (EqualNoCase(value, L"vbAlignBottom")) return L"Bot";
    if (EqualNoCase(value, L"vbAlignTop")) return L"Top";
    if (EqualNoCase(value, L"vbNull")) return L"1";
    return value;
  }
  for (std::wstring_view keyword : kKeywords)
    if (EqualNoCase(key, keyword)) return L"True";
  return L"0";
}

std::wstring CaptionText(std::wstring_view caption) {
  if (!caption.empty() && caption.back() == L'}') {
    std::size_t open = caption.rfind(L"{IMG:");
    if (open != std::wstring_view::npos) return std::wstring(caption.substr(0, open));
  }
  return std::wstring(caption);
}

}  // namespace tolvane
