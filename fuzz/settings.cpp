// The "Settings" and "Interface" values read as numbers: the seven options,
// the interface font size and colours, and the saved window positions.
#include <cmath>

#include "core/catalogue.h"
#include "core/geometry.h"
#include "core/options.h"
#include "core/text.h"
#include "fuzz_support.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Fields f = fuzz::ParseFields(fuzz::Wide(data, size));
  const MemoryStore& store = f.store;

  // The preferences window shows each option as the code acting on it takes
  // it, and what it stores for that state reads back the same.
  FUZZ_CHECK(OptionOn(store, kOptionHideAfterLaunch) == HideAfterLaunch(store));
  FUZZ_CHECK(OptionOn(store, kOptionAutoMoveDialogs) == AutoMoveDialogs(store));
  FUZZ_CHECK(OptionOn(store, kOptionStartHidden) == StartHidden(store));
  FUZZ_CHECK(OptionOn(store, kOptionRebuildDesktop) == RebuildDesktop(store));
  FUZZ_CHECK(OptionOn(store, kOptionAnimateIcon) == AnimateIcon(store));
  MemoryStore confirmed;
  for (int option = 0; option < kOptionCount; ++option) {
    confirmed.Save(kSectionSettings, OptionKey(option), OptionText(OptionOn(store, option)));
    FUZZ_CHECK(OptionOn(confirmed, option) == OptionOn(store, option));
  }

  const InterfaceValues v = ReadInterface(store, L"Verdana", L"16765860");
  const double points = InterfaceFontSize(v.size);
  FUZZ_CHECK(points > 0 && points <= 72);
  for (const auto& text : {v.textColour, v.backColour}) {
    const std::uint32_t colour = InterfaceColour(text, 0x00ABCDEF);
    // What the colour window would store for it reads back the same.
    FUZZ_CHECK(InterfaceColour(Digits(static_cast<std::int32_t>(colour)), 1) == colour);
    // Only a colour a display shows, the same the colour window reads.
    FUZZ_CHECK(colour == ColourFromText(text).value_or(0x00ABCDEF));
    if (colour != 0x00ABCDEF) FUZZ_CHECK(ColourFromText(ColourText(colour)) == colour);
  }
  if (const auto size = FontSizeFromText(v.size)) FUZZ_CHECK(*size >= 1 && *size <= 72);

  auto get = [&](const wchar_t* key, const wchar_t* fallback) { return store.Get(kSectionSettings, key, fallback); };
  const double screenW = 1024 * 15, screenH = 768 * 15;
  const Point main = MainWindowPosition(get(L"MainLeft", L""), get(L"MainTop", L""), kNarrowWindowWidth, 9000,
                                        {}, screenW, screenH);
  FUZZ_CHECK(std::isfinite(main.left) && std::isfinite(main.top));
  // Wherever it was saved, the title bar can be grabbed on the screen.
  FUZZ_CHECK(main.left + kNarrowWindowWidth > 0 && main.left < screenW && main.top + kTitleBarHeight > 0 &&
             main.top < screenH);
  const Point dialog = DialogPosition(get(L"PrefLeft", L"-1"), get(L"PrefTop", L"-1"), 3630, 2000,
                                      {main.left, main.top, kNarrowWindowWidth, 9000}, screenW, screenH);
  FUZZ_CHECK(std::isfinite(dialog.left) && std::isfinite(dialog.top));
  return 0;
}
