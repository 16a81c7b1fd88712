// Which target a shortcut gives, in Wine's order, over real files of a test prefix.
#include <gtest/gtest.h>

#include "tests/fixtures/TestPrefix.h"
#include "tests/platform/shelllink/LinkBytes.h"

namespace {
using namespace linkbytes;
using fixtures::TestPrefix;
using platform::shelllink::ChooseTarget;
using platform::shelllink::ShellLinkData;
using platform::shelllink::ShellLinkRecipe;
using platform::shelllink::WriteShellLink;

std::string Utf8(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

class ShellLinkTarget : public ::testing::Test {
protected:
    std::u16string Target(const ShellLinkRecipe& wanted,
                          std::u16string_view linkFolder = u"C:\\links") {
        ShellLinkData link = Parse(WriteShellLink(wanted));
        EXPECT_TRUE(link.valid);
        std::u16string localW(link.localBasePath.begin(), link.localBasePath.end());
        return ChooseTarget(link, localW, linkFolder,
                            [this](std::u16string_view path) { return prefix.Exists(Utf8(path)); });
    }
    TestPrefix prefix;
};

TEST_F(ShellLinkTarget, LinkInfoPathComesFirst) {
    ShellLinkRecipe wanted;
    wanted.target = "C:\\gone\\app.exe";  // neither this nor the relative path exists...
    wanted.relativePath = u"..\\here.txt";
    prefix.CreateFile("C:\\here.txt");  // ...except the relative one, which Wine ignores here
    EXPECT_EQ(Target(wanted), u"C:\\gone\\app.exe");
}

TEST_F(ShellLinkTarget, RelativePathBesideTheLinkThenInTheWorkingFolder) {
    prefix.CreateFile("C:\\links\\sub\\beside.txt");
    prefix.CreateFile("C:\\work\\sub\\inwork.txt");
    prefix.CreateFile("C:\\both.txt");
    prefix.CreateFile("C:\\work\\both.txt");
    ShellLinkRecipe wanted;
    wanted.withLinkInfo = false;
    wanted.withIdList = false;
    wanted.workingDir = u"C:\\work";

    wanted.relativePath = u".\\sub\\beside.txt";
    EXPECT_EQ(Target(wanted), u"C:\\links\\sub\\beside.txt");
    wanted.relativePath = u"sub\\inwork.txt";
    EXPECT_EQ(Target(wanted), u"C:\\work\\sub\\inwork.txt");
    wanted.relativePath = u"..\\both.txt";  // beside the link wins over the working folder
    EXPECT_EQ(Target(wanted), u"C:\\both.txt");
    wanted.relativePath = u"..\\..\\..\\both.txt";  // ".." stops at the root
    EXPECT_EQ(Target(wanted), u"C:\\both.txt");
    wanted.relativePath = u"nowhere\\x.txt";  // found nowhere: the string as it is
    EXPECT_EQ(Target(wanted), u"nowhere\\x.txt");
}

TEST_F(ShellLinkTarget, IdListPathWhenNothingElseNamesOne) {
    ShellLinkRecipe wanted;
    wanted.target = "C:\\Program Files\\App\\app.exe";
    wanted.withLinkInfo = false;
    EXPECT_EQ(Target(wanted), u"C:\\Program Files\\App\\app.exe");
    // A relative path, even one that is found nowhere, is taken before the ID list.
    wanted.relativePath = u"app.exe";
    EXPECT_EQ(Target(wanted), u"app.exe");
}

TEST_F(ShellLinkTarget, EmptyForEmptyLinkInfoPathAdvertisedAndInvalidLinks) {
    ShellLinkRecipe wanted;
    wanted.target = "C:\\x.exe";
    Bytes emptyPath = Header(0x83);
    emptyPath.append(IdList({RootItem(), DriveItem(), PlainItem("x.exe", 0x32)}))
        .append(LinkInfo(""))
        .append(Terminal());
    ShellLinkData link = Parse(emptyPath);
    ASSERT_TRUE(link.valid);
    // Wine holds the empty LinkInfo path, so neither the relative path nor the ID list is
    // consulted.
    EXPECT_EQ(ChooseTarget(link, u"", u"C:\\", [](std::u16string_view) { return true; }), u"");

    link.localBasePath = "C:\\x.exe";
    link.advertised = true;
    EXPECT_EQ(ChooseTarget(link, u"C:\\x.exe", u"C:\\", nullptr), u"");
    link.advertised = false;
    link.valid = false;
    EXPECT_EQ(ChooseTarget(link, u"C:\\x.exe", u"C:\\", nullptr), u"");
}

}  // namespace
