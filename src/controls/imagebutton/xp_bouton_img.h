// `XpBoutonImg`, the dialogs' push button with a picture and a caption. One
// object per window: the dialog owns it, fills its design values into
// CreateArgs::properties and handles its events (usually only `Click`). A
// host that adds a new button instead asks for Setup::NewInstance, hears of
// each property written through PropertyChanged and saves the button with
// WriteProperties.
//
//   auto btn = XpBoutonImg::Create(parent, {.left = 960, .top = 100, .width = 1215, .height = 495,
//       .ambient = form, .properties = {{L"Caption", std::wstring(L"Valider")}, ...}});
//   btn->Click = [this] { Btn_Click(); };
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "controls/imagebutton/faces.h"
#include "controls/imagebutton/logic/input.h"
#include "controls/imagebutton/logic/properties.h"
#include "ui/handles.h"
#include "ui/picture.h"

namespace imagebutton {

class XpBoutonImg final : public ButtonEvents, private InputHost {
 public:
  // Loading takes the stored values with their defaults; a new instance
  // takes only the host's font and name.
  enum class Setup { Loading, NewInstance };

  struct CreateArgs {
    int id = 0;
    // Twips, in the parent's client area.
    int left = 0;
    int top = 0;
    int width = 1185;
    int height = 765;
    Ambient ambient{};
    // The stored design values, read with their defaults.
    PropertyStore properties{};
    bool tabStop = true;
    Setup setup = Setup::Loading;
  };

  // Null when the window cannot be made.
  static std::unique_ptr<XpBoutonImg> Create(HWND parent, const CreateArgs& args);
  ~XpBoutonImg() override;
  XpBoutonImg(const XpBoutonImg&) = delete;
  XpBoutonImg& operator=(const XpBoutonImg&) = delete;

  HWND Hwnd() const { return hwnd_; }

  bool Enabled() const { return props_.enabled; }
  void SetEnabled(bool enabled);
  const FontSpec& Font() const { return props_.font; }
  void SetFont(const FontSpec& font);
  const std::wstring& Caption() const { return props_.caption; }
  void SetCaption(const std::wstring& caption);
  Colour ForeColor() const { return props_.foreColor; }
  void SetForeColor(Colour colour);
  Colour ForeHover() const { return props_.foreHover; }
  void SetForeHover(Colour colour);  // used from the next hover
  PicturePtr Picture() const { return props_.picture; }
  void SetPicture(PicturePtr picture);

  // As stored (a number or a numeric text), or the default when empty.
  Value XPicture() const { return ValueOrDefault(Numeric::XPicture, props_.xPicture); }
  Value YPicture() const { return ValueOrDefault(Numeric::YPicture, props_.yPicture); }
  Value WPicture() const { return ValueOrDefault(Numeric::WPicture, props_.wPicture); }
  Value HPicture() const { return ValueOrDefault(Numeric::HPicture, props_.hPicture); }
  // Draws the caption again, with the blanks in force.
  Value XTexte();
  // Each refuses a value that is not a number in range with the control's
  // message, keeps the old value and returns false.
  bool SetXPicture(const Value& v) { return SetNumeric(Numeric::XPicture, v); }
  bool SetYPicture(const Value& v) { return SetNumeric(Numeric::YPicture, v); }
  bool SetWPicture(const Value& v) { return SetNumeric(Numeric::WPicture, v); }
  bool SetHPicture(const Value& v) { return SetNumeric(Numeric::HPicture, v); }
  bool SetXTexte(const Value& v) { return SetNumeric(Numeric::XTexte, v); }

  // The caption's access key in lower case (0 for none). The forms find it
  // in the window text and send BM_CLICK; other hosts call PressAccessKey
  // when the key is pressed. A disabled button ignores both.
  wchar_t AccessKey() const;
  void PressAccessKey() { input_.AccessKeyPress(); }

  // Saves what differs from the defaults, as a designer writes its form.
  void WriteProperties(PropertyStore& store) const { imagebutton::WriteProperties(props_, ambient_, store); }
  // Told the key of each property written ("Enabled", "Font", "Caption",
  // "ForeColor", "ForeHover", "Image", "XPicture", "YPicture", "WPicture",
  // "HPicture", "XTexte"), after the effects that come before it; a refused
  // value tells nothing.
  std::function<void(std::wstring_view key)> PropertyChanged;

  // How the control shows its message; tests put their own here.
  static inline std::function<void(HWND owner, const std::wstring& text)> ShowMessage;
  static inline std::wstring MessageTitle = L"Tolvane";

 private:
  explicit XpBoutonImg(const CreateArgs& args);
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // InputHost
  void Draw(Face face, bool hoverCaption) override;
  bool CursorOver() override;
  void SetHoverTimer(bool on) override;
  void MoveFocus(bool backward) override;

  LRESULT OnSize();
  LRESULT OnButtonDown(std::int16_t button, WPARAM wp, LPARAM lp);
  LRESULT OnButtonUp(std::int16_t button, WPARAM wp, LPARAM lp);
  LRESULT OnEnable(bool enabled);
  LRESULT OnGetDlgCode(const MSG* msg) const;
  void CopySurface(HDC target) const;
  Look LookOf(Face face, bool hoverCaption) const;
  void PaintSurface(const std::function<void(HDC)>& paint);
  bool SetNumeric(Numeric which, const Value& value);
  // The host may do anything in its notice, even destroy the button: whether
  // the button still exists.
  [[nodiscard]] bool Notify(std::wstring_view key);

  Ambient ambient_;
  Properties props_;
  InputMachine input_{*this, *this};
  HWND hwnd_ = nullptr;
  HFONT font_;  // shared, kept by the font cache
  ui::OwnedBitmap surface_;  // the last look, copied to the window on paint
  int width_ = 0;
  int height_ = 0;
  bool releasingCapture_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // false once destroyed
};

}  // namespace imagebutton
