// The escapes of the text form: what the writer escapes, each reader reads back.
#include <gtest/gtest.h>

#include "engine/Escapes.h"

namespace engine {
namespace {

std::string_view Inner(const std::string& quoted) {
    return std::string_view(quoted).substr(1, quoted.size() - 2);
}

TEST(Escapes, EveryTextReadsBackAsWrittenAndShowsOnOneLine) {
    struct Case {
        std::u16string stored;
        const char* written;  // between the quotes, as the exact writer spells it
        const char* shown;    // as the lists show it
    };
    const Case cases[] = {
        {u"", "", ""},
        {u"c:\\old\\tool.exe", R"(c:\\old\\tool.exe)", R"(c:\old\tool.exe)"},
        {u"say \"hi\"", R"(say \"hi\")", R"(say "hi")"},
        {u"a\rb\nc", R"(a\rb\nc)", "a b c"},
        // A literal backslash before n, r, u or a quote: one pass reads the pair first.
        {u"c:\\new\\\"\\r\\u0041", R"(c:\\new\\\"\\r\\u0041)", R"(c:\new\"\r\u0041)"},
        {u" spaced \t", " spaced \t", " spaced \t"},
        {u"\u00e9t\u00e9", "\xe9t\xe9", "\xe9t\xe9"},
        // Units outside the A code page: only the exact form holds them.
        {u"K\u014Dol \u0414\U0001F600", R"(K\u014dol \u0414\ud83d\ude00)", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        const std::string exact = QuotedExact(c.stored);
        EXPECT_EQ(Inner(exact), c.written);
        EXPECT_EQ(UnescapeExact(Inner(exact)), c.stored);
        if (!c.shown) continue;
        // Within the code page the plain writer writes the same, and the plain reader reads
        // the bytes back; the display form only turns CR and LF into spaces.
        const std::string ansi(Unescape(c.written));
        EXPECT_EQ(Quoted(ansi), exact);
        EXPECT_EQ(Unescape(Inner(Quoted(ansi))), ansi);
        EXPECT_EQ(Unescape(c.written, LineBreaks::AsSpaces), c.shown);
    }
}

TEST(Escapes, UndoesEveryEscapeInOnePass) {
    EXPECT_EQ(Unescape(R"(c:\\old\\tool.exe)"), R"(c:\old\tool.exe)");
    EXPECT_EQ(Unescape(R"(say \"hi\")"), R"(say "hi")");
    EXPECT_EQ(Unescape(R"(a\rb\nc)"), "a\rb\nc");
    // A literal backslash before n or a quote stays a backslash: the pair is read first.
    EXPECT_EQ(Unescape(R"(c:\\new)"), R"(c:\new)");
    EXPECT_EQ(Unescape(R"(\\\")"), R"(\")");
    // Anything else after a backslash is kept as written, and so is a last lone backslash;
    // "\u" with four digits is an escape only in the exact form.
    EXPECT_EQ(Unescape(R"(a\tb\)"), R"(a\tb\)");
    EXPECT_EQ(Unescape(R"(\u0041\u00)"), R"(\u0041\u00)");
    EXPECT_EQ(UnescapeExact(R"(\u0041\u00\x)"), u"A\\u00\\x");
}

}  // namespace
}  // namespace engine
