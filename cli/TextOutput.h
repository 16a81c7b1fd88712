#pragma once
// Registry and file texts are Windows-1252 bytes; terminals and JSON want UTF-8.
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "engine/ScanModel.h"

namespace cli {

std::string AnsiToUtf8(std::string_view ansi);

// Puts "key", "name" and "value" of a problem into `json`: exact UTF-8 when it names a
// registry value, else its texts converted.
void PutProblemTexts(nlohmann::ordered_json& json, const engine::Problem& problem);

}  // namespace cli
