#pragma once
// The vocabulary of a scan: sections, problem records, found lists, counters, repair lists.
#include <array>
#include <string>
#include <vector>

#include "engine/Sections.h"
#include "platform/Win32Types.h"

namespace engine {

using TextList = std::vector<std::string>;

// The section list's first drive row: the registry sections' rows come first.
inline constexpr std::size_t kFirstDriveRow = kSectionCount - 1;

// How many rows of the section list are chosen.
enum class Selection { All = 0, None = 1, Some = 2 };

// Run state of a walk: what it does now, or what the front end asked of it.
enum class RunState { Idle, Running, Paused, CancelRequested, ResumeRequested, PauseRequested };

// Repair marks.
inline constexpr const char* kMarkDelete = "0";
inline constexpr const char* kMarkLeave = "1";

// What a problem names.
enum class ProblemKind {
    RegistryValue,  // a value of a registry key
    ShortcutFile,   // a .lnk file whose target is gone; its key text is the file's "[path]"
};

// A registry problem as stored: root, key path and value name in UTF-16. The record's texts
// are ANSI, where a name outside the code page shows with best-fit letters or "?" and may
// spell another value's name ("T\u014Dol" shows as "Tool"); repair and backup go by this.
struct ExactValue {
    platform::HKEY root = 0;  // 0: not known (a shortcut file, or an entry read from its texts)
    std::u16string subKey;
    std::u16string name;
    platform::DWORD type = 0;
    std::u16string text;  // string data up to its first zero unit
};

// One path a problem's judgement looked for, and where that is on the host.
struct CheckedPath {
    std::string path;    // the Windows path as asked, after cleaning, expansion and redirection
    bool wow64 = false;  // asked in a 32-bit program's view
    bool found = false;
    std::string host;  // UTF-8; empty when the path lies nowhere on the host
    std::string why;   // why there is no host path, or a note beside it
};

// One problem a scan found. The three texts are the record's display form (Windows-1252, as
// the lists and backup lines spell it); `exact` names the registry value as stored, and is
// what repair deletes and backs up.
struct Problem {
    int section = 0;    // its number in the section table
    std::string key;    // "[HKEY_...\\...]", or the shortcut file's "[path]"
    std::string name;   // "@" or "\"name\""
    std::string value;  // the data as the backup file writes it
    ExactValue exact;
    bool repair = true;  // ticked for deletion (the record's mark "0")
    // What the scan looked for before it called this a problem; empty when it was not
    // recorded (a backup's entries).
    std::vector<CheckedPath> checked = {};
    ProblemKind kind = ProblemKind::RegistryValue;

    const char* Mark() const { return repair ? kMarkDelete : kMarkLeave; }
    // Whether `exact` names the registry value (every registry problem a scan finds).
    bool ExactKnown() const { return kind == ProblemKind::RegistryValue && exact.root != 0; }
};
using ProblemList = std::vector<Problem>;

struct SectionResult {
    ProblemList problems;
    int ignored = 0;  // problems the ignore list covered, neither listed nor counted
    int Count() const { return static_cast<int>(problems.size()); }
};

struct ScanResults {
    std::array<SectionResult, kSectionCount> sections;  // index = section number - 1
    int total = 0;
    int ignored = 0;  // of every section
    SectionResult& Section(int number) { return sections[static_cast<std::size_t>(number - 1)]; }
    const SectionResult& Section(int number) const {
        return sections[static_cast<std::size_t>(number - 1)];
    }
    void Clear() {
        for (auto& s : sections) s = {};
        total = 0;
        ignored = 0;
    }
};

// One registry entry of a repair, as the backup file keeps it and the deletion reads it.
struct RepairEntry {
    std::string keyLine;    // "[HKEY_...\\...]"
    std::string valueLine;  // name text "=" data text
    bool operator==(const RepairEntry&) const = default;
};

// What repair works from, rebuilt from the found lists before every repair.
struct RepairLists {
    std::vector<RepairEntry> registry;
    TextList shortcuts;    // one file path per entry
    ProblemList repaired;  // registry entries first, then the shortcut files
    void Clear() { *this = {}; }
};

// One row of the section list: a registry section, or the shortcut section on one fixed drive.
struct SectionRow {
    std::string label;
    bool selected = false;
    std::string drive;  // "C:" for a drive row, empty for a section's row
    int section = 0;    // the section the row scans
};
// The registry sections' rows, then one per fixed drive (from kFirstDriveRow on).
using SectionRows = std::vector<SectionRow>;

}  // namespace engine
