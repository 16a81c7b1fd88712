#include "cli/TextOutput.h"

#include "engine/ValueText.h"
#include "platform/codepage/Codepage.h"

namespace cli {

std::string AnsiToUtf8(std::string_view ansi) {
    return platform::codepage::Utf16ToUtf8(platform::codepage::AnsiToUtf16(ansi));
}

void PutRecordTexts(nlohmann::ordered_json& json, const engine::TextList& list, std::size_t at,
                    const std::vector<engine::ExactValue>& exact) {
    const std::size_t record = at / 4;
    if (record < exact.size() && exact[record].root != 0) {
        const engine::ValueTexts texts = engine::Utf8Texts(exact[record], list[at + 2]);
        json["key"] = texts.key;
        json["name"] = texts.name;
        json["value"] = texts.value;  // data texts other than strings are ASCII
        return;
    }
    json["key"] = AnsiToUtf8(list[at]);
    json["name"] = AnsiToUtf8(list[at + 1]);
    json["value"] = AnsiToUtf8(list[at + 2]);
}

}  // namespace cli
