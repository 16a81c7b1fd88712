#pragma once
// The IE Restore settings without their dialog: the browser's start page and window title,
// and the registry editor's policy lock.
#include <string>

#include "engine/Host.h"
#include "platform/Services.h"

namespace repair {

inline constexpr const char* kBrowserMainKey = "Software\\microsoft\\internet explorer\\main";
inline constexpr const char* kPolicySystemKey =
    "Software\\microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr const char* kDefaultStartPage = "about:blank";
inline constexpr const char* kDefaultWindowTitle = "Microsoft Internet Explorer";
// The edits and the values written hold at most this many characters.
inline constexpr std::size_t kMaxSettingLength = 9999;

struct BrowserSettings {
    std::string startPage;    // empty when the value is missing
    std::string windowTitle;  // "Microsoft Internet Explorer" when missing or empty
};

// Reads the current user's start page and window title. Reading never creates the key.
BrowserSettings ReadBrowserSettings(platform::Services& services);

// Each writes its values under both roots, commits, and tells the user through the host:
// "Apply Successed!" only when everything was written and saved, else what failed.
// Texts are trimmed; an empty start page is written as "about:blank", an empty title as
// "Microsoft Internet Explorer".
platform::Status ApplyHomePage(platform::Services& services, engine::Host& host,
                               const std::string& text);
platform::Status ApplyWindowTitle(platform::Services& services, engine::Host& host,
                                  const std::string& text);
// "DisableRegistryTools" 1 to lock, 0 to unlock.
platform::Status ApplyRegeditLock(platform::Services& services, engine::Host& host, bool lock);

}  // namespace repair
