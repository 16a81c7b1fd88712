// Wildcard match and pattern-list match.
#include <gtest/gtest.h>

#include "engine/Wildcard.h"

using engine::PatternListMatch;
using engine::WildcardMatch;

TEST(WildcardMatch, EmptyTextAndEmptyPattern) {
    EXPECT_TRUE(WildcardMatch("", ""));
    EXPECT_TRUE(WildcardMatch("", "*"));
    EXPECT_TRUE(WildcardMatch("", "***"));
    EXPECT_FALSE(WildcardMatch("", "?"));
    EXPECT_FALSE(WildcardMatch("a", ""));
}

TEST(WildcardMatch, PathShapesTheCheckersUse) {
    EXPECT_TRUE(WildcardMatch("C:\\Program Files\\Tool\\tool.exe", "*\\*.exe"));
    EXPECT_FALSE(WildcardMatch("tool.exe", "*\\*.exe"));
    EXPECT_TRUE(WildcardMatch("tool.exe", "*.exe"));
    EXPECT_FALSE(WildcardMatch("tool.exe.bak", "*.exe"));
    EXPECT_TRUE(WildcardMatch("c:\\x", "?:\\*"));
    EXPECT_FALSE(WildcardMatch("c:x", "?:\\*"));
    EXPECT_FALSE(WildcardMatch("C:\\windows", "?:\\*.*"));
    EXPECT_TRUE(WildcardMatch("C:\\windows\\a.b\\c", "?:\\*.*"));
    EXPECT_FALSE(WildcardMatch("\"C:\\a.exe\"", "?:\\*.*"));
}

TEST(WildcardMatch, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(WildcardMatch("C:\\DATA\\BACKUP.TXT", "*backup*"));
    EXPECT_TRUE(WildcardMatch("SHORTCUT.LNK", "*.lnk"));
    // 0xC9 (É) and 0xE9 (é) are different bytes: only A to Z fold.
    EXPECT_FALSE(WildcardMatch("\xC9", "\xE9"));
    EXPECT_TRUE(WildcardMatch("\xE9", "\xE9"));
    // '[' and '{' sit next to the letters in ASCII and must not fold into each other.
    EXPECT_FALSE(WildcardMatch("[", "{"));
}

TEST(WildcardMatch, StarsAndQuestionMarks) {
    EXPECT_TRUE(WildcardMatch("abcabd", "*abd"));  // earliest "ab" is not the one that fits
    EXPECT_TRUE(WildcardMatch("abc", "a**c"));
    EXPECT_TRUE(WildcardMatch("aXbYc", "a?b?c"));
    EXPECT_FALSE(WildcardMatch("ab", "a?b"));
    EXPECT_TRUE(WildcardMatch("a.b.c", "*.*"));
    EXPECT_FALSE(WildcardMatch("abc", "*.*"));
    EXPECT_TRUE(WildcardMatch("C:\\windows\\system32\\config\\security", "?:\\win*\\security"));
    EXPECT_FALSE(WildcardMatch("C:\\users\\security", "?:\\win*\\security"));
    EXPECT_FALSE(WildcardMatch("C:\\windows\\security\\sub", "?:\\win*\\security"));
    EXPECT_TRUE(WildcardMatch("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Advanced INF Setup\\IE",
                              "*microsoft\\advanced inf setup*"));
}

TEST(PatternListMatch, PiecesAndEmptyPieces) {
    constexpr const char* kList = "?:\\win*\\security,?:\\recycle?,?:\\_restore";
    EXPECT_TRUE(PatternListMatch("C:\\recycled", kList));
    EXPECT_TRUE(PatternListMatch("d:\\RECYCLER", kList));
    EXPECT_FALSE(PatternListMatch("C:\\recycle", kList));
    EXPECT_FALSE(PatternListMatch("C:\\recycled\\sub", kList));
    EXPECT_TRUE(PatternListMatch("C:\\_Restore", kList));
    EXPECT_TRUE(PatternListMatch("x", ",,x,"));
    EXPECT_FALSE(PatternListMatch("", ",,"));
    EXPECT_FALSE(PatternListMatch("", ""));
    EXPECT_TRUE(PatternListMatch("D:\\a.exe", "C:\\*,D:\\*"));
    EXPECT_FALSE(PatternListMatch("E:\\a.exe", "C:\\*,D:\\*"));
}
