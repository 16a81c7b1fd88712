#include "engine/IgnoreList.h"

#include <algorithm>

#include "platform/codepage/Codepage.h"

namespace engine {
namespace {

bool SameUnit(char16_t a, char16_t b) {
    return a == b || platform::codepage::ToLower(a) == platform::codepage::ToLower(b);
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameUnit);
}

// `path` is `below` or lies under it ("A\B" under "A"); every path lies under "".
bool Within(std::u16string_view path, std::u16string_view below) {
    while (!below.empty() && below.back() == u'\\') below.remove_suffix(1);
    if (below.empty()) return true;
    if (path.size() < below.size() || !EqualsNoCase(path.substr(0, below.size()), below))
        return false;
    return path.size() == below.size() || path[below.size()] == u'\\';
}

}  // namespace

std::u16string ShortcutPathOf(const Problem& problem) {
    if (problem.kind != ProblemKind::ShortcutFile || problem.key.size() < 2 ||
        problem.key.front() != '[' || problem.key.back() != ']')
        return {};
    return platform::codepage::AnsiToUtf16(
        std::string_view(problem.key).substr(1, problem.key.size() - 2));
}

bool Covers(const IgnoreEntry& entry, const Problem& problem) {
    switch (entry.kind) {
    case IgnoreKind::Value:
        return problem.ExactKnown() && entry.root == problem.exact.root &&
               EqualsNoCase(entry.path, problem.exact.subKey) &&
               EqualsNoCase(entry.name, problem.exact.name);
    case IgnoreKind::Key:
        return problem.ExactKnown() && entry.root == problem.exact.root &&
               Within(problem.exact.subKey, entry.path);
    case IgnoreKind::Shortcut: {
        const std::u16string path = ShortcutPathOf(problem);
        return !path.empty() && !entry.path.empty() && Within(path, entry.path);
    }
    }
    return false;
}

bool SameTarget(const IgnoreEntry& a, const IgnoreEntry& b) {
    return a.kind == b.kind && a.root == b.root && EqualsNoCase(a.path, b.path) &&
           EqualsNoCase(a.name, b.name);
}

bool IgnoreList::Ignores(const Problem& problem) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&problem](const IgnoreEntry& entry) { return Covers(entry, problem); });
}

int DropCovered(ScanResults& results, const IgnoreEntry& entry) {
    int dropped = 0;
    for (SectionResult& section : results.sections) {
        const auto kept = std::remove_if(section.problems.begin(), section.problems.end(),
                                         [&entry](const Problem& p) { return Covers(entry, p); });
        const int gone = static_cast<int>(section.problems.end() - kept);
        section.problems.erase(kept, section.problems.end());
        section.ignored += gone;
        dropped += gone;
    }
    results.total -= dropped;
    results.ignored += dropped;
    return dropped;
}

IgnoreEntry EntryForProblem(const Problem& problem, bool wholeKey) {
    if (problem.kind == ProblemKind::ShortcutFile)
        return {IgnoreKind::Shortcut, problem.section, 0, ShortcutPathOf(problem), {}};
    if (wholeKey)
        return {IgnoreKind::Key, problem.section, problem.exact.root, problem.exact.subKey, {}};
    return {IgnoreKind::Value, problem.section, problem.exact.root, problem.exact.subKey,
            problem.exact.name};
}

}  // namespace engine
