#pragma once
// The entries the user chose to leave for good: a scan neither reports nor counts a problem
// one of them covers, so neither can a repair delete it. What they are and how they match;
// the file that keeps them is repair/IgnoreFile.h.
#include <string>
#include <vector>

#include "engine/ScanModel.h"
#include "platform/Win32Types.h"

namespace engine {

enum class IgnoreKind {
    Value,     // one value: root, key path and name as stored
    Key,       // a key and everything below it
    Shortcut,  // a shortcut file, or a folder and every shortcut file below it
};

struct IgnoreEntry {
    IgnoreKind kind = IgnoreKind::Value;
    int section = 0;          // the section it was ignored from by number; 0 when not known
    platform::HKEY root = 0;  // Value and Key
    std::u16string path;      // key path below the root, or the shortcut's Windows path
    std::u16string name;      // the value's name (empty: the default value)
    bool operator==(const IgnoreEntry&) const = default;
};

// Whether the entry covers the problem. Registry names and paths compare as Windows compares
// them, ignoring letter case.
bool Covers(const IgnoreEntry& entry, const Problem& problem);

// Whether both name the same thing (the section aside), letter case ignored.
bool SameTarget(const IgnoreEntry& a, const IgnoreEntry& b);

class IgnoreList {
public:
    IgnoreList() = default;
    explicit IgnoreList(std::vector<IgnoreEntry> entries) : entries_(std::move(entries)) {}
    const std::vector<IgnoreEntry>& Entries() const { return entries_; }
    bool Ignores(const Problem& problem) const;

private:
    std::vector<IgnoreEntry> entries_;
};

// The entry that leaves this one problem, or its whole key (for a shortcut: the file either
// way), as the result screen's context menu adds them.
IgnoreEntry EntryForProblem(const Problem& problem, bool wholeKey);

// Takes every problem the entry covers out of the results (every section), counting it as
// ignored; returns how many went.
int DropCovered(ScanResults& results, const IgnoreEntry& entry);

// The problem's shortcut file path in UTF-16 (its key text without the brackets); empty for a
// registry problem.
std::u16string ShortcutPathOf(const Problem& problem);

}  // namespace engine
