#include "cli/Options.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include <fmt/format.h>

#include "engine/Sections.h"
#include "platform/codepage/Ascii.h"

namespace cli {
namespace {

std::vector<std::string> SplitCommas(const std::string& list) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string piece(
            platform::codepage::TrimAscii(std::string_view(list).substr(start, comma - start)));
        if (!piece.empty()) pieces.push_back(piece);
        start = comma + 1;
    }
    return pieces;
}

}  // namespace

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void AddSelectionOptions(CLI::App& command, SelectionOptions& options) {
    command.add_option("--sections", options.sections,
                       fmt::format("Sections to scan: numbers 1 to {} or names, comma-separated "
                                   "(default: all)",
                                   engine::kSectionCount));
    command.add_option("--drives", options.drives,
                       "Fixed drives to search for dead shortcuts, such as C:,D: (default: all)");
}

bool ParseSections(const std::string& list, std::vector<int>& sections, std::string& error) {
    sections.clear();
    for (const std::string& piece : SplitCommas(list)) {
        int number = 0;
        if (std::all_of(piece.begin(), piece.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            number = piece.size() <= 2 ? std::stoi(piece) : 0;
        } else {
            for (const engine::Section& section : engine::Sections())
                if (number == 0 && (platform::codepage::EqualsNoCase(piece, section.name) ||
                                    platform::codepage::EqualsNoCase(piece, section.rowName)))
                    number = section.number;
        }
        if (number < 1 || number > engine::kSectionCount) {
            error =
                fmt::format("Unknown section \"{}\": use a number from 1 to {} or a section name.",
                            piece, engine::kSectionCount);
            return false;
        }
        if (std::find(sections.begin(), sections.end(), number) == sections.end())
            sections.push_back(number);
    }
    if (sections.empty()) {
        error = "--sections names no section.";
        return false;
    }
    return true;
}

bool ParseDrives(const std::string& list, std::vector<std::string>& drives, std::string& error) {
    drives.clear();
    for (std::string piece : SplitCommas(list)) {
        if (piece.size() == 3 && piece[2] == '\\') piece.pop_back();
        if (piece.size() != 2 || piece[1] != ':' ||
            !std::isalpha(static_cast<unsigned char>(piece[0]))) {
            error = "Bad drive \"" + piece + "\": write a drive letter and a colon, such as C:.";
            return false;
        }
        piece[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(piece[0])));
        if (std::find(drives.begin(), drives.end(), piece) == drives.end()) drives.push_back(piece);
    }
    if (drives.empty()) {
        error = "--drives names no drive.";
        return false;
    }
    return true;
}

bool ChooseRows(const SelectionOptions& options, platform::Services& services,
                engine::SectionRows& rows, std::string& error) {
    std::vector<int> sections;
    if (options.sections.empty()) {
        for (const engine::Section& section : engine::Sections())
            sections.push_back(section.number);
    } else if (!ParseSections(options.sections, sections, error)) {
        return false;
    }
    std::vector<std::string> drives;
    if (!options.drives.empty() && !ParseDrives(options.drives, drives, error)) return false;

    rows = engine::BuildSectionRows(services);
    auto wanted = [&sections](int section) {
        return std::find(sections.begin(), sections.end(), section) != sections.end();
    };
    for (engine::SectionRow& row : rows)
        if (row.drive.empty()) row.selected = wanted(row.section);

    auto isDrive = [&rows](const std::string& drive) {
        return std::any_of(rows.begin(), rows.end(),
                           [&drive](const engine::SectionRow& row) { return row.drive == drive; });
    };
    for (const std::string& drive : drives) {
        if (!isDrive(drive)) {
            error = drive + " is not a fixed drive of this prefix.";
            return false;
        }
    }
    for (engine::SectionRow& row : rows) {
        if (row.drive.empty()) continue;
        row.selected = drives.empty()
                           ? wanted(row.section)
                           : std::find(drives.begin(), drives.end(), row.drive) != drives.end();
    }
    return true;
}

}  // namespace cli
