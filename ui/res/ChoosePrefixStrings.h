#pragma once
// The texts of the Choose Prefix dialog and its menu item.
namespace ui::text {

inline constexpr const char* kMenuChoosePrefix = "Choose Prefix...";
inline constexpr const char* kChoosePrefixCaption = "Choose Prefix";
inline constexpr const char* kChoosePrefixHeading = "Wine prefixes found on this computer";
inline constexpr const char* kColumnPrefixName = "Name";
inline constexpr const char* kColumnPrefixKind = "Kind";
inline constexpr const char* kColumnPrefixPath = "Path";
inline constexpr const char* kColumnPrefixServer = "Wineserver";
inline constexpr const char* kServerRuns = "running";
inline constexpr const char* kColumnPrefixOwner = "Owner";
inline constexpr const char* kOwnerTip =
    "Another user's prefix: it can be scanned, but only %1 "
    "can repair it";
inline constexpr const char* kButtonOpenPrefix = "&Open";
inline constexpr const char* kButtonOtherFolder = "Other &Folder...";
inline constexpr const char* kButtonDemoPrefix = "&Demo Prefix";
inline constexpr const char* kChooseFolderCaption = "Choose a Wine prefix folder";

}  // namespace ui::text
