#include "base/skin.h"

#include "resources/resource.h"

namespace tolvane {

const Skin& TheSkin() {
  static const Skin skin = [] {
    using ui::Picture;
    Skin s;
    s.title = Picture::BitmapResource(IDB_SKIN_TITLE);
    s.border = Picture::BitmapResource(IDB_SKIN_BORDER);
    s.headerUp = Picture::BitmapResource(IDB_IMGUP);
    s.headerDown = Picture::BitmapResource(IDB_IMGDOWN);
    s.minUp = Picture::BitmapResource(IDB_BTNMIN_UP);
    s.minDown = Picture::BitmapResource(IDB_BTNMIN_DOWN);
    s.closeUp = Picture::BitmapResource(IDB_BTNCLOSE_UP);
    s.closeDown = Picture::BitmapResource(IDB_BTNCLOSE_DOWN);
    s.appIcon = Picture::IconResource(IDI_APP, 32);
    for (int i = 0; i < 4; ++i) s.frames[i] = Picture::IconResource(IDI_ANIM0 + i, 32);
    for (int i = 0; i < 5; ++i) s.tools[i] = Picture::IconResource(IDI_TOOL0 + i, 32);
    s.defaultLinkIcon = Picture::IconResource(IDI_DEFAULT_LINK, 32);
    s.buttonPicture = Picture::IconResource(IDI_BUTTON, 32);
    for (int i = 0; i < 4; ++i) s.optionStates[i] = Picture::BitmapResource(IDB_STATE_OFF + i);
    return s;
  }();
  return skin;
}

}  // namespace tolvane
