#pragma once
// The sizes and templates both desktop programs build their windows from: the frame's sizes,
// and each dialog control's id, kind, text and place in dialog units, as a resource script
// would give them.
#include <span>

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
    Text,           // a static text, no prefix
    Icon,           // a static showing the application icon
    Link,           // a static that notifies its clicks, drawn as a link
    DefaultButton,  // the push button Enter presses
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;
    int x, y, width, height;  // dialog units
};

struct DialogTemplate {
    int id;
    const char* caption;
    int width, height;  // dialog units
    std::span<const ControlTemplate> controls;
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

}  // namespace ui::res
