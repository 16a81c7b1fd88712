#include "cli/TextOutput.h"

#include "engine/ValueText.h"
#include "platform/codepage/Codepage.h"

namespace cli {

std::string AnsiToUtf8(std::string_view ansi) {
    return platform::codepage::Utf16ToUtf8(platform::codepage::AnsiToUtf16(ansi));
}

void PutProblemTexts(nlohmann::ordered_json& json, const engine::Problem& problem) {
    if (problem.ExactKnown()) {
        const engine::ValueTexts texts = engine::Utf8Texts(problem.exact, problem.value);
        json["key"] = texts.key;
        json["name"] = texts.name;
        json["value"] = texts.value;  // data texts other than strings are ASCII
        return;
    }
    json["key"] = AnsiToUtf8(problem.key);
    json["name"] = AnsiToUtf8(problem.name);
    json["value"] = AnsiToUtf8(problem.value);
}

}  // namespace cli
