#pragma once
// The vocabulary of a scan: sections, problem records, found lists, counters, repair lists.
#include <array>
#include <string>
#include <vector>

namespace engine {

using TextList = std::vector<std::string>;

inline constexpr int kSectionCount = 14;
inline constexpr int kFirstDriveRow = 13;
// "Valid Shortcuts ( " is 18 characters: the drive letter and colon follow it.
inline constexpr const char* kDriveRowPrefix = "Valid Shortcuts ( ";

// Section name (progress caption) of section 1 to 14; empty for any other number.
const char* SectionName(int section);
// Label of the section's row in the counter rows of the progress and result screens
// (row 13 reads "Valid Shortcuts").
const char* SectionRowName(int row);

// Run state of a walk.
enum RunState : int {
    kIdle = 0,
    kRunning = 1,
    kPaused = 2,
    kCancelRequested = 3,
    kResumeRequested = 4,
    kPauseRequested = 5,
};

// Repair marks.
inline constexpr const char* kMarkDelete = "0";
inline constexpr const char* kMarkLeave = "1";

// One section's results: four texts per problem (key text, name text, value text, mark).
struct SectionResult {
    TextList found;
    int count = 0;
};

struct ScanResults {
    std::array<SectionResult, kSectionCount> sections;  // index = section number - 1
    int total = 0;
    SectionResult& Section(int number) { return sections[number - 1]; }
    const SectionResult& Section(int number) const { return sections[number - 1]; }
    void Clear() {
        for (auto& s : sections) s = {};
        total = 0;
    }
};

// What repair works from, rebuilt from the found lists before every repair.
struct RepairLists {
    int registryCount = 0;
    TextList registry;  // key line, value line per entry
    int shortcutCount = 0;
    TextList shortcuts;  // one file path per entry
    TextList repaired;   // four texts per entry, registry entries first
    void Clear() { *this = {}; }
};

// Rows of the section list: 13 sections, then one per fixed drive, with their flags.
struct SectionRows {
    std::vector<std::string> labels;
    std::vector<int> selected;  // 1 chosen, 0 not, one per row
};

}  // namespace engine
