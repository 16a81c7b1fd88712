#pragma once
// Registry and file texts are Windows-1252 bytes; terminals and JSON want UTF-8.
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "engine/ScanModel.h"

namespace cli {

std::string AnsiToUtf8(std::string_view ansi);

// Puts "key", "name" and "value" of a record (its first three texts at `texts`) into `json`:
// exact UTF-8 from `exact` when it names a registry value, else the texts converted.
void PutRecordTexts(nlohmann::ordered_json& json, const engine::TextList& list, std::size_t at,
                    const std::vector<engine::ExactValue>& exact);

}  // namespace cli
