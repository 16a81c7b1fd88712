#pragma once
// The sizes and templates both desktop programs build their windows from: the frame's sizes,
// and each dialog control's id, kind, text and place in dialog units, as a resource script
// would give them.
#include <span>

#include "ui/res/IgnoreStrings.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"

namespace ui::res {

// The main frame: opened at this size, centred on the primary screen, never smaller than the
// minimum.
inline constexpr int kFrameWidth = 780;
inline constexpr int kFrameHeight = 570;
inline constexpr int kFrameMinWidth = 640;
inline constexpr int kFrameMinHeight = 500;

enum class ControlKind {
    Text,             // a static text, no prefix, wrapped
    Icon,             // a static showing the application icon
    Link,             // a static that notifies its clicks, drawn as a link
    DefaultButton,    // the push button Enter presses
    Button,           // a push button
    CheckBox,         // a check box that ticks itself
    Radio,            // a radio button that starts a group of its own, so it clears no other
    Edit,             // a one-line edit that scrolls across
    GroupBox,         // a frame around controls, without a title
    EtchedLine,       // an etched horizontal line
    GradientCaption,  // a static drawn by the gradient caption control
    List,             // a list of rows in report view: one whole row chosen at a time
    ProblemList,      // the problem list control, which the dialog creates itself
};

// A rectangle in pixels: where the Qt program puts a control whose template was derived from
// pixels, and a dialog's client size.
struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;
    int x, y, width, height;  // dialog units
    Place pixels{};           // empty when the units are the template's own
};

// The window around the controls: a caption with a close box; no system menu (so no close
// box, and Escape, Alt+F4 and the close box never end the dialog: only its buttons do); or a
// close box and a maximise box with a border that resizes.
enum class DialogFrame { Fixed, NoCloseBox, Resizable };

struct DialogTemplate {
    int id;
    const char* caption;
    int width, height;  // dialog units of the client area
    std::span<const ControlTemplate> controls;
    DialogFrame frame = DialogFrame::Fixed;
    Place pixels{};  // the client size in pixels, when derived from pixels
};

constexpr bool EscapeCloses(const DialogTemplate& dialog) {
    return dialog.frame != DialogFrame::NoCloseBox;
}

// The dialogs below were laid out in pixels of "MS Shell Dlg" 8 pt at 96 dpi, whose base
// units are 6 x 13 pixels: each number in pixels becomes the nearest number of dialog units,
// 1.5 pixels across and 1.625 down, so the Win32 templates scale with the font while the Qt
// program keeps the pixels.
constexpr int PixelsToUnitsX(int pixels) { return (2 * pixels + 1) / 3; }
constexpr int PixelsToUnitsY(int pixels) { return (8 * pixels + 6) / 13; }

constexpr ControlTemplate InPixels(int id, ControlKind kind, const char* text, Place place) {
    return {id,
            kind,
            text,
            PixelsToUnitsX(place.x),
            PixelsToUnitsY(place.y),
            PixelsToUnitsX(place.width),
            PixelsToUnitsY(place.height),
            place};
}

constexpr DialogTemplate DialogInPixels(int id, const char* caption, int width, int height,
                                        std::span<const ControlTemplate> controls,
                                        DialogFrame frame) {
    return {id,       caption, PixelsToUnitsX(width), PixelsToUnitsY(height),
            controls, frame,   {0, 0, width, height}};
}

// The control of this id; null when the dialog has none.
constexpr const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
    for (const ControlTemplate& control : dialog.controls)
        if (control.id == id) return &control;
    return nullptr;
}

// A list's column: its title, width in pixels (0: the rest of the list's width) and whether
// its texts stand right-aligned.
struct ListColumn {
    const char* title;
    int width;
    bool right = false;
};

inline constexpr ControlTemplate kAboutControls[] = {
    {kAboutIcon, ControlKind::Icon, "", 11, 17, 20, 20},
    {kAboutVersion, ControlKind::Text, text::kAboutVersion, 40, 10, 188, 8},
    {kAboutMakerLine, ControlKind::Text, text::kAboutMakerLine, 40, 25, 188, 8},
    {kAboutWebLink, ControlKind::Link, text::kWebSite, 40, 42, 188, 8},
    {kAboutMailLink, ControlKind::Link, text::kSupportMail, 40, 58, 188, 8},
    {1, ControlKind::DefaultButton, text::kOk, 96, 83, 50, 16},
};
inline constexpr DialogTemplate kAboutDialog = {kDialogAbout, text::kAboutCaption, 235, 106,
                                                kAboutControls};

// A modal frame's client area: the dialogs given a window size of 500 x 350 pixels (3 pixel
// borders, a 23 pixel caption) end their controls where the window ends.
inline constexpr int kModalClientWidth = 494;
inline constexpr int kModalClientHeight = 321;

// Clean Restore (dialog 103): the backups, and Detail, Restore and Delete for the one chosen.
inline constexpr ControlTemplate kCleanRestoreControls[] = {
    InPixels(kCleanRestoreCaption, ControlKind::GradientCaption, text::kCleanRestoreHeading,
             {12, 6, 250, 18}),
    InPixels(kCleanRestoreList, ControlKind::List, "", {12, 30, 390, 240}),
    InPixels(kCleanRestoreDetail, ControlKind::Button, text::kButtonDetail, {410, 30, 73, 25}),
    InPixels(kCleanRestoreRestore, ControlKind::Button, text::kButtonRestore, {410, 70, 73, 25}),
    InPixels(kCleanRestoreDelete, ControlKind::Button, text::kButtonDelete, {410, 110, 73, 25}),
    InPixels(kCleanRestoreLine, ControlKind::EtchedLine, "", {0, 280, kModalClientWidth, 2}),
    InPixels(kCleanRestoreClose, ControlKind::DefaultButton, text::kButtonClose,
             {410, 290, 73, 25}),
};
inline constexpr DialogTemplate kCleanRestoreDialog =
    DialogInPixels(kDialogCleanRestore, text::kCleanRestoreCaption, kModalClientWidth,
                   kModalClientHeight, kCleanRestoreControls, DialogFrame::NoCloseBox);
inline constexpr ListColumn kBackupColumns[] = {
    {text::kColumnBackupTime, 250},
    {text::kColumnBackupCounts, 100, true},
};

// Clean Restore - Detail (dialog 104): one backup's entries. The dialog can be resized and
// maximised: for a client area of width x height pixels the list fills it but for the
// margins, and the line, the note and Close keep to its foot.
struct DetailPlaces {
    Place list, line, note, close;
};
constexpr DetailPlaces DetailLayout(int width, int height) {
    return {{12, 6, width - 24, height - 60},
            {0, height - 45, width, 2},
            {12, height - 31, width - 109, 18},
            {width - 85, height - 35, 73, 25}};
}
// The place of a detail control, by its id, in a layout.
constexpr Place DetailPlace(const DetailPlaces& places, int id) {
    switch (id) {
    case kDetailList: return places.list;
    case kDetailLine: return places.line;
    case kDetailNote: return places.note;
    case kDetailClose: return places.close;
    default: return {};
    }
}
inline constexpr int kDetailWidth = 460;
inline constexpr int kDetailHeight = 330;
inline constexpr DetailPlaces kDetailOpening = DetailLayout(kDetailWidth, kDetailHeight);
inline constexpr ControlTemplate kDetailControls[] = {
    InPixels(kDetailClose, ControlKind::DefaultButton, text::kButtonClose, kDetailOpening.close),
    InPixels(kDetailLine, ControlKind::EtchedLine, "", kDetailOpening.line),
    InPixels(kDetailNote, ControlKind::Text, "", kDetailOpening.note),
    InPixels(kDetailList, ControlKind::ProblemList, "", kDetailOpening.list),
};
inline constexpr DialogTemplate kDetailDialog =
    DialogInPixels(kDialogCleanRestoreDetail, text::kCleanRestoreDetailCaption, kDetailWidth,
                   kDetailHeight, kDetailControls, DialogFrame::Resizable);

// IE Restore (dialog 164): the browser's start page and window title, and the registry
// editor's lock.
inline constexpr ControlTemplate kIERestoreControls[] = {
    InPixels(kIECaption, ControlKind::GradientCaption, text::kIERestoreCaption, {8, 4, 200, 18}),
    InPixels(kIEExplanation, ControlKind::Text, text::kIERestoreExplanation, {12, 24, 470, 56}),
    InPixels(kIEGroup, ControlKind::GroupBox, "", {12, 80, 470, 190}),
    InPixels(kIEHomeBox, ControlKind::CheckBox, text::kIEHomeBox, {22, 100, 400, 18}),
    InPixels(kIEHomeEdit, ControlKind::Edit, "", {40, 120, 350, 21}),
    InPixels(kIEHomeApply, ControlKind::Button, text::kButtonApply, {400, 118, 73, 25}),
    InPixels(kIETitleBox, ControlKind::CheckBox, text::kIETitleBox, {22, 150, 400, 18}),
    InPixels(kIETitleEdit, ControlKind::Edit, "", {40, 170, 350, 21}),
    InPixels(kIETitleApply, ControlKind::Button, text::kButtonApply, {400, 168, 73, 25}),
    InPixels(kIELock, ControlKind::Radio, text::kIELock, {22, 220, 170, 18}),
    InPixels(kIEUnlock, ControlKind::Radio, text::kIEUnlock, {200, 220, 180, 18}),
    InPixels(kIELockApply, ControlKind::Button, text::kButtonApply, {400, 218, 73, 25}),
    InPixels(kIELine, ControlKind::EtchedLine, "", {0, 280, 500, 2}),
    InPixels(kIEClose, ControlKind::Button, text::kButtonPlainClose, {400, 290, 73, 25}),
};
inline constexpr DialogTemplate kIERestoreDialog =
    DialogInPixels(kDialogIERestore, text::kIERestoreCaption, kModalClientWidth, kModalClientHeight,
                   kIERestoreControls, DialogFrame::Fixed);

// Ignored Entries: the places of Clean Restore, the list and the dialog wider for the keys.
inline constexpr ControlTemplate kIgnoredControls[] = {
    InPixels(kIgnoredCaption, ControlKind::GradientCaption, text::kIgnoredEntriesHeading,
             {12, 6, 250, 18}),
    InPixels(kIgnoredList, ControlKind::List, "", {12, 30, 505, 240}),
    InPixels(kIgnoredRemove, ControlKind::Button, text::kButtonRemove, {527, 30, 80, 25}),
    InPixels(kIgnoredRemoveAll, ControlKind::Button, text::kButtonRemoveAll, {527, 70, 80, 25}),
    InPixels(kIgnoredLine, ControlKind::EtchedLine, "", {0, 280, 620, 2}),
    InPixels(kIgnoredClose, ControlKind::DefaultButton, text::kButtonClose, {527, 290, 80, 25}),
};
inline constexpr DialogTemplate kIgnoredDialog =
    DialogInPixels(kDialogIgnoredEntries, text::kIgnoredEntriesCaption, 620, 350, kIgnoredControls,
                   DialogFrame::NoCloseBox);
inline constexpr ListColumn kIgnoredColumns[] = {
    {text::kColumnIgnoredSection, 120},
    {text::kColumnIgnoredKey, 250},
    {text::kColumnIgnoredName, 0},
};

}  // namespace ui::res
