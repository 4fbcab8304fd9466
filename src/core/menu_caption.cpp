#include "core/menu_caption.h"

#include <array>

#include "core/text.h"

namespace tolvane {
namespace {

// Letter case folded for the mark-up's comparisons: ASCII and Latin-1, which
// is every key and keyword there is; other characters compare as written.
wchar_t Fold(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
  return c;
}

// First position at or after `from` where `what` occurs, letter case ignored.
std::size_t FindNoCase(std::wstring_view in, std::wstring_view what, std::size_t from = 0) {
  if (what.empty()) return from <= in.size() ? from : std::wstring_view::npos;
  if (what.size() > in.size()) return std::wstring_view::npos;
  for (std::size_t i = from; i + what.size() <= in.size(); ++i) {
    std::size_t j = 0;
    while (j < what.size() && Fold(in[i + j]) == Fold(what[j])) ++j;
    if (j == what.size()) return i;
  }
  return std::wstring_view::npos;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && FindNoCase(a, b) == 0;
}

// Every occurrence of `what` removed, letter case ignored.
std::wstring RemoveAllNoCase(std::wstring_view in, std::wstring_view what) {
  if (what.empty()) return std::wstring(in);
  std::wstring out;
  std::size_t at = 0;
  for (std::size_t k; (k = FindNoCase(in, what, at)) != std::wstring_view::npos; at = k + what.size())
    out.append(in.substr(at, k - at));
  out.append(in.substr(at));
  return out;
}

// Every occurrence of `what` replaced by `with`, letter case ignored.
std::wstring ReplaceAllNoCase(std::wstring_view in, std::wstring_view what, std::wstring_view with) {
  std::wstring out;
  std::size_t at = 0;
  for (std::size_t k; (k = FindNoCase(in, what, at)) != std::wstring_view::npos; at = k + what.size()) {
    out.append(in.substr(at, k - at));
    out.append(with);
  }
  out.append(in.substr(at));
  return out;
}

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

CaptionParts SplitCaption(std::wstring_view caption, std::optional<long long> imageOverride) {
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
  if (imageOverride) {
    if (std::size_t img = FindNoCase(out.tags, L"IMG:"); img != std::wstring::npos) {
      std::size_t end = out.tags.find(L'|', img);  // always found: the tags end in "|"
      std::wstring old = out.tags.substr(img, end - img);
      out.tags = ReplaceAllNoCase(out.tags, old, L"IMG:" + Digits(*imageOverride));
    }
  }
  return out;
}

CaptionParts LiteralCaption(std::wstring_view text, std::wstring_view tags) {
  CaptionParts out;
  out.text = std::wstring(text);
  if (!tags.empty()) out.tags = SplitCaption(tags).tags;
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
