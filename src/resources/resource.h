// Resource ids of Tolvane.exe, shared by the C++ code and the resource script.
// Runs of related pictures have consecutive ids so that code can add an index.
#pragma once

// Icons. The application icon keeps the lowest id: the shell shows it.
#define IDI_APP 1
#define IDI_ANIM0 2  // ImgTemp(0..3): IDI_ANIM0 + frame
#define IDI_ANIM1 3
#define IDI_ANIM2 4
#define IDI_ANIM3 5
#define IDI_TOOL0 6  // Gestion(0..4): IDI_TOOL0 + entry
#define IDI_TOOL1 7
#define IDI_TOOL2 8
#define IDI_TOOL3 9
#define IDI_TOOL4 10
#define IDI_DEFAULT_LINK 11  // IcoDef(0)

// The dialogs' image buttons (icons 40 to 49).
#define IDI_BUTTON 40  // the picture of every one: a pencil over a sheet

// Bitmaps.
#define IDB_MINITOOLBAR 101  // 10 images of 16x16, mask RGB(192,192,192); image 0 unused
#define IDB_BTNMIN_UP 102
#define IDB_BTNMIN_DOWN 103
#define IDB_BTNCLOSE_UP 104
#define IDB_BTNCLOSE_DOWN 105
#define IDB_IMGUP 106    // pane header while open
#define IDB_IMGDOWN 107  // pane header while closed
#define IDB_SKIN_TITLE 108
#define IDB_SKIN_BORDER 109

// Help window and about box.
#define IDB_HELP_BACK_UP 200
#define IDB_HELP_BACK_DOWN 201
#define IDB_ABOUT_BANNER 202
#define IDB_HELP_TOOLS 203      // screenshots of the bar, taken by scripts/make-help-pictures
#define IDB_HELP_LINKS 204
#define IDB_HELP_GROUP_MENU 205
#define IDB_HELP_LINK_MENU 206

// The editors' pictures (bitmaps 250 to 279).
#define IDB_EDITOR_BACK 250  // 898 x 153, behind the input strip
// The options' state pictures, `ImpCompress(0..3)`: IDB_STATE_OFF + picture.
#define IDB_STATE_OFF 280
#define IDB_STATE_ON 281
#define IDB_STATE_OFF_HOVER 282
#define IDB_STATE_ON_HOVER 283
