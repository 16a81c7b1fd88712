// The writer against the Windows-shaped layout of the format notes, and round trips.
#include <gtest/gtest.h>

#include "tests/platform/shelllink/LinkBytes.h"

namespace {
using namespace linkbytes;
using platform::shelllink::ShellLinkRecipe;
using platform::shelllink::WriteShellLink;

std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16(b, at) | (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}

// Offsets and sizes from the worked example for C:\test\a.txt.
TEST(ShellLinkWriter, LaysOutTheWorkedExample) {
    ShellLinkRecipe wanted;
    wanted.target = "C:\\test\\a.txt";
    const auto b = WriteShellLink(wanted);
    ASSERT_EQ(b.size(), 0x127u);
    EXPECT_EQ(U32(b, 0x00), 0x4Cu);
    EXPECT_EQ(U32(b, 0x14), 0x83u);  // ID list, LinkInfo, Unicode
    EXPECT_EQ(U32(b, 0x18), 0x20u);  // archive
    EXPECT_EQ(U32(b, 0x3C), 1u);     // SW_SHOWNORMAL
    EXPECT_EQ(U16(b, 0x4C), 0x99u);  // IDListSize
    EXPECT_EQ(U16(b, 0x4E), 0x14u);
    EXPECT_EQ(b[0x50], 0x1F);
    EXPECT_EQ(U16(b, 0x62), 0x19u);
    EXPECT_EQ(b[0x64], 0x2F);
    EXPECT_EQ(std::string(b.begin() + 0x65, b.begin() + 0x68), "C:\\");
    EXPECT_EQ(U16(b, 0x7B), 0x34u);
    EXPECT_EQ(b[0x7D], 0x31);
    EXPECT_EQ(U16(b, 0x7B + 0x14), 0x20u);  // extension block size
    EXPECT_EQ(U32(b, 0x7B + 0x18), 0xBEEF0004u);
    EXPECT_EQ(U16(b, 0x7B + 0x32), 0x14u);  // block offset, last word of the item
    EXPECT_EQ(U16(b, 0xAF), 0x36u);
    EXPECT_EQ(b[0xB1], 0x32);
    EXPECT_EQ(U16(b, 0xE5), 0u);     // TerminalID
    EXPECT_EQ(U32(b, 0xE7), 0x3Cu);  // LinkInfoSize
    EXPECT_EQ(U32(b, 0xE7 + 0x10), 0x2Du);
    EXPECT_EQ(U32(b, 0xE7 + 0x18), 0x3Bu);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[0xE7 + 0x2D])), "C:\\test\\a.txt");
    EXPECT_EQ(U32(b, 0x123), 0u);  // TerminalBlock

    // Variant without the ID list: 140 bytes, LinkInfo straight after the header.
    wanted.withIdList = false;
    const auto a = WriteShellLink(wanted);
    EXPECT_EQ(a.size(), 140u);
    EXPECT_EQ(U32(a, 0x14), 0x82u);
    EXPECT_EQ(U32(a, 0x4C), 0x3Cu);
}

TEST(ShellLinkWriter, RoundTripsThroughTheReader) {
    struct Case {
        std::string target;
        bool folder;
        std::u16string idListPath;
    } cases[] = {
        {"C:\\test\\a.txt", false, u"C:\\test\\a.txt"},
        {"C:\\Program Files\\My App", true, u"C:\\Program Files\\My App"},
        {"D:\\Caf\xe9\\\x80uro.txt", false, u"D:\\Caf\u00e9\\\u20acuro.txt"},
        {"c:\\", true, u"C:\\"},
    };
    for (const auto& c : cases) {
        ShellLinkRecipe wanted;
        wanted.target = c.target;
        wanted.targetIsFolder = c.folder;
        wanted.workingDir = u"C:\\work";
        wanted.arguments = u"--flag \u00e9";
        wanted.description = u"Desc";
        wanted.relativePath = u"..\\rel";
        auto link = Parse(WriteShellLink(wanted));
        ASSERT_TRUE(link.valid) << c.target;
        EXPECT_FALSE(link.advertised);
        EXPECT_TRUE(link.hasLocalBasePath);
        EXPECT_EQ(link.localBasePath, c.target);
        EXPECT_EQ(link.idListPath, c.idListPath);
        EXPECT_EQ(link.workingDir, u"C:\\work");
        EXPECT_EQ(link.arguments, u"--flag \u00e9");
        EXPECT_EQ(link.description, u"Desc");
        EXPECT_EQ(link.relativePath, u"..\\rel");
    }
}

TEST(ShellLinkWriter, LeavesOutWhatIsNotAsked) {
    ShellLinkRecipe wanted;
    wanted.target = "C:\\x.txt";
    wanted.withLinkInfo = false;
    auto idOnly = Parse(WriteShellLink(wanted));
    ASSERT_TRUE(idOnly.valid);
    EXPECT_FALSE(idOnly.hasLocalBasePath);
    EXPECT_EQ(idOnly.idListPath, u"C:\\x.txt");

    // A path with no drive gets no ID list, only the strings asked for.
    ShellLinkRecipe relative;
    relative.relativePath = u"sub\\x.txt";
    relative.withLinkInfo = false;
    auto rel = Parse(WriteShellLink(relative));
    ASSERT_TRUE(rel.valid);
    EXPECT_EQ(rel.idListPath, u"");
    EXPECT_EQ(rel.relativePath, u"sub\\x.txt");
    EXPECT_EQ(U32(WriteShellLink(relative), 0x14), 0x88u);
}

}  // namespace
