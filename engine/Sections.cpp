#include "engine/Sections.h"

#include "engine/KeyViews.h"
#include "engine/PathTest.h"

namespace engine {

const Section& SectionByNumber(int number) {
    static constexpr Section kNone{};
    if (number < 1 || number > kSectionCount) return kNone;
    return kSections[static_cast<std::size_t>(number - 1)];
}

Verdict CheckSectionValue(int section, ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type) && value.type != platform::REG_DWORD) return Verdict::Fine;
    const ValueChecker checker = SectionByNumber(section).checker;
    if (!checker) return Verdict::Fine;
    // A 32-bit program's value is judged as that program reads it. Any other value may have
    // been written by either kind of program through a key both share, and the hive does not
    // say which: it is a problem only when it is one in both views.
    if (IsWow64KeyPath(value.keyPath)) {
        ViewScope wow64(paths, View::Wow64);
        return checker(paths, value);
    }
    const Verdict native = checker(paths, value);
    if (native == Verdict::Fine || paths.Services().GetSystemWow64DirectoryA(nullptr, 0) == 0)
        return native;
    ViewScope wow64(paths, View::Wow64);
    return checker(paths, value);
}

Verdict CheckSectionValue(int section, platform::Services& services, const ValueInput& value) {
    ExistenceTest paths(services);
    return CheckSectionValue(section, paths, value);
}

}  // namespace engine
