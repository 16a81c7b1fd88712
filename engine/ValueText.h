#pragma once
// The text form of a registry value (key text, name text, value text) and the display
// conversion the problem lists show.
#include <string>

#include "engine/ScanModel.h"
#include "platform/Win32Types.h"

namespace engine {

struct ValueTexts {
    std::string key;    // "[" full key path "]"
    std::string name;   // "@" or the escaped name in double quotes
    std::string value;  // type and data in text form
};

ValueTexts TextForm(const std::string& fullKeyPath, const std::string& valueName,
                    platform::DWORD type, const platform::BYTE* data, platform::DWORD length);

// The key line and value line that name `exact` exactly, as the backup keeps them and repair
// and restore read them. Where every character of a text survives the A code page they are
// the record's own texts. Otherwise a unit that does not is written "\uXXXX" inside a quoted
// text (which otherwise only ever holds the escapes \\ \" \r \n); a key line then takes the
// quoted form ["ROOT\\sub\\key"] and a REG_EXPAND_SZ text the form str(2):"...", neither of
// which any earlier backup holds. `valueText` is the record's value text.
std::string ExactKeyLine(const ExactValue& exact);
std::string ExactValueLine(const ExactValue& exact, const std::string& valueText);

// Key, name and value text of a record in UTF-8, exact where the record's ANSI texts are not.
ValueTexts Utf8Texts(const ExactValue& exact, const std::string& valueText);

struct ShownTexts {
    std::string key;    // shown key
    std::string value;  // shown value
    std::string mark;   // "0" or "1"
};

ShownTexts DisplayConversion(const std::string& keyText, const std::string& nameText,
                             const std::string& valueText, const std::string& mark);
inline ShownTexts DisplayConversion(const Problem& problem) {
    return DisplayConversion(problem.key, problem.name, problem.value, problem.Mark());
}

}  // namespace engine
