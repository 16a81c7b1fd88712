// Every line of a damaged backup file goes through the readers a restore uses: the value-line
// split, the name text, the key line and the data decoding. None may crash or read out of
// bounds, and what they accept must be consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "repair/EntryText.h"
#include "repair/ValueDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string line = repair::Trim(text.substr(start, end - start));
        repair::ParseKeyLine(line);
        if (const auto parts = repair::SplitValueLine(line)) {
            // The split never loses or adds a character.
            if (parts->nameText.size() + 1 + parts->dataText.size() != line.size()) std::abort();
            std::string_view rest;
            if (!repair::ParseNameText(parts->nameText, &rest) || !rest.empty()) std::abort();
            std::string error;
            const auto value = repair::DecodeData(parts->dataText, &error);
            if (!value && error.empty()) std::abort();
            if (value && value->type == 4 && value->bytes.size() != 4) std::abort();
        }
        start = end + 1;
    }
    return 0;
}
