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

  // Each reader has its own default, but a value the preferences window
  // shows as off turns off every reader of that option.
  FUZZ_CHECK(!HideAfterLaunch(store) || OptionShownOn(store, kOptionHideAfterLaunch));
  FUZZ_CHECK(!AutoMoveDialogs(store) || OptionShownOn(store, kOptionAutoMoveDialogs));
  FUZZ_CHECK(!StartHidden(store) || OptionShownOn(store, kOptionStartHidden));
  FUZZ_CHECK(!RebuildDesktop(store) || OptionShownOn(store, kOptionRebuildDesktop));
  FUZZ_CHECK(!AnimateIcon(store) || OptionShownOn(store, kOptionAnimateIcon));
  for (int option = 0; option < kOptionCount; ++option) {
    const auto stored = store.Get(kSectionSettings, OptionKey(option), L"1");
    FUZZ_CHECK(OptionShownOn(store, option) == (ParseNumber(stored) != 0.0));
  }

  const InterfaceValues v = ReadInterface(store, L"Verdana", L"16765860");
  const double points = InterfaceFontSize(v.size);
  FUZZ_CHECK(points > 0 && points <= 72);
  for (const auto& text : {v.textColour, v.backColour}) {
    const std::uint32_t colour = InterfaceColour(text, 0x00ABCDEF);
    // What the colour window would store for it reads back the same.
    FUZZ_CHECK(InterfaceColour(Digits(static_cast<std::int32_t>(colour)), 1) == colour);
    if (const auto whole = CLng(Val(text)); whole && *whole == Val(text))
      FUZZ_CHECK(colour == static_cast<std::uint32_t>(*whole));
  }

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
