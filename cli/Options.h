#pragma once
// Choosing the prefix (--prefix, --demo, $WINEPREFIX, ~/.wine) and the section rows
// (--sections, --drives).
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/Cli.h"
#include "engine/ScanModel.h"
#include "engine/ScanSession.h"
#include "platform/Services.h"

namespace cli {

// A folder under the system's temporary folder, removed with everything in it on destruction.
class TempFolder {
public:
    static std::unique_ptr<TempFolder> Create(const std::string& stem, std::string& error);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    explicit TempFolder(std::filesystem::path path) : path_(std::move(path)) {}
    std::filesystem::path path_;
};

struct OpenedPrefix {
    std::string dir;                   // absolute path of the prefix folder
    std::unique_ptr<TempFolder> temp;  // holds the demo copy, when --demo
    std::unique_ptr<platform::Services> services;
    std::string wine;  // root of the Wine installation whose own entries are passed over, or empty
    std::string note;  // which installation that is, or why there is none
};

// The prefix folder the options choose: --prefix DIR, the demo prefix, $WINEPREFIX, ~/.wine.
std::string ChosenPrefixDir(const GlobalOptions& options);
// Opens the chosen prefix (a fresh copy of the demo prefix with --demo, symbolic links kept).
// False with a message when it is missing or unreadable.
bool OpenChosenPrefix(const GlobalOptions& options, OpenedPrefix& opened, std::string& error);

struct SelectionOptions {
    std::string sections;  // "1,3,Startup Programs"
    std::string drives;    // "C:,D:"
};

// Adds --sections and --drives to a command.
void AddSelectionOptions(CLI::App& command, SelectionOptions& options);

// Section numbers (from 1, as the section table numbers them) from numbers or names, in the order
// given; false with a message on an unknown piece.
bool ParseSections(const std::string& list, std::vector<int>& sections, std::string& error);
// Drive letters with colons ("C:"), upper-cased; false with a message on a malformed piece.
bool ParseDrives(const std::string& list, std::vector<std::string>& drives, std::string& error);

// The section rows of the machine with the chosen ones ticked. No --sections: every section;
// 14 without --drives: every fixed drive; --drives alone adds section 14 for those drives.
// False with a message when a drive is not a fixed drive of the prefix.
bool ChooseRows(const SelectionOptions& options, platform::Services& services,
                engine::SectionRows& rows, std::string& error);

}  // namespace cli
