#pragma once
// The text form of a registry value (key text, name text, value text) and the display
// conversion the problem lists show.
#include <string>

#include "platform/Win32Types.h"

namespace engine {

struct ValueTexts {
    std::string key;    // "[" full key path "]"
    std::string name;   // "@" or the escaped name in double quotes
    std::string value;  // type and data in text form
};

ValueTexts TextForm(const std::string& fullKeyPath, const std::string& valueName,
                    platform::DWORD type, const platform::BYTE* data, platform::DWORD length);

struct ShownTexts {
    std::string key;    // shown key
    std::string value;  // shown value
    std::string mark;   // "0" or "1"
};

ShownTexts DisplayConversion(const std::string& keyText, const std::string& nameText,
                             const std::string& valueText, const std::string& mark);

}  // namespace engine
