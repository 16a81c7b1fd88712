// Which problems an ignore entry covers.
#include <gtest/gtest.h>

#include "engine/IgnoreList.h"

namespace engine {
namespace {

using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;

Problem Value(platform::HKEY root, std::u16string key, std::u16string name) {
    return {8, "[key]", "\"name\"", "value", {root, std::move(key), std::move(name), 1, {}}};
}

Problem Shortcut(const char* path) {
    Problem problem{14, std::string("[") + path + "]", "@", "x", {}};
    problem.kind = ProblemKind::ShortcutFile;
    return problem;
}

TEST(IgnoreList, EachEntryCoversWhatItNamesAndNothingBeside) {
    const IgnoreEntry value{IgnoreKind::Value, 8, HKEY_LOCAL_MACHINE, u"Software\\T\u014Dol",
                            u"Path"};
    const IgnoreEntry key{IgnoreKind::Key, 0, HKEY_LOCAL_MACHINE, u"Software\\Gone", {}};
    const IgnoreEntry link{IgnoreKind::Shortcut, 14, 0, u"C:\\users\\Public\\Desktop", {}};
    const struct {
        const IgnoreEntry& entry;
        Problem problem;
        bool covered;
    } cases[] = {
        {value, Value(HKEY_LOCAL_MACHINE, u"SOFTWARE\\T\u014Col", u"path"), true},
        {value, Value(HKEY_LOCAL_MACHINE, u"Software\\Tool", u"Path"), false},  // best fit
        {value, Value(HKEY_CURRENT_USER, u"Software\\T\u014Dol", u"Path"), false},
        {value, Value(HKEY_LOCAL_MACHINE, u"Software\\T\u014Dol", u"Path2"), false},
        {key, Value(HKEY_LOCAL_MACHINE, u"Software\\Gone", u""), true},
        {key, Value(HKEY_LOCAL_MACHINE, u"software\\gone\\Deep\\Er", u"x"), true},
        {key, Value(HKEY_LOCAL_MACHINE, u"Software\\GoneToo", u"x"), false},
        {key, Shortcut("C:\\Software\\Gone\\x.lnk"), false},
        {link, Shortcut("C:\\users\\Public\\Desktop\\Gone.lnk"), true},
        {link, Shortcut("c:\\USERS\\public\\desktop\\Sub\\Gone.lnk"), true},
        {link, Shortcut("C:\\users\\Public\\DesktopOld\\Gone.lnk"), false},
        {link, Value(HKEY_LOCAL_MACHINE, u"C:\\users\\Public\\Desktop", u""), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Covers(c.entry, c.problem), c.covered)
            << c.problem.key << " " << c.problem.exact.subKey.size();
}

TEST(IgnoreList, EntriesMadeFromAProblemCoverIt) {
    const Problem value = Value(HKEY_CURRENT_USER, u"Software\\A\\B", u"N");
    const Problem beside = Value(HKEY_CURRENT_USER, u"Software\\A\\B", u"Other");
    const Problem link = Shortcut("C:\\x\\y.lnk");
    EXPECT_TRUE(Covers(EntryForProblem(value, false), value));
    EXPECT_FALSE(Covers(EntryForProblem(value, false), beside));
    EXPECT_TRUE(Covers(EntryForProblem(value, true), beside));
    EXPECT_EQ(EntryForProblem(value, true).section, 8);
    EXPECT_EQ(EntryForProblem(link, true).kind, IgnoreKind::Shortcut);
    EXPECT_TRUE(IgnoreList({EntryForProblem(link, false)}).Ignores(link));
}

}  // namespace
}  // namespace engine
