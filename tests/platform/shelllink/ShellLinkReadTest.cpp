// The reader on hand-made layouts of each structure.
#include <gtest/gtest.h>

#include "tests/platform/shelllink/LinkBytes.h"

namespace {
using namespace linkbytes;

constexpr std::uint32_t kIdList = 0x1, kLinkInfo = 0x2, kName = 0x4, kRelative = 0x8,
                        kWorkDir = 0x10, kArgs = 0x20, kIcon = 0x40, kUnicode = 0x80;

Bytes Link(std::uint32_t flags, std::initializer_list<Bytes> parts, bool terminal = true) {
    Bytes b = Header(flags);
    for (const auto& p : parts) b.append(p);
    if (terminal) b.append(Terminal());
    return b;
}

TEST(ShellLinkHeader, NeedsSizeAndClsid) {
    EXPECT_TRUE(Parse(Link(kUnicode, {})).valid);
    Bytes wrongSize = Link(kUnicode, {});
    wrongSize.b[0] = 0x4D;
    EXPECT_FALSE(Parse(wrongSize).valid);
    Bytes wrongClsid = Link(kUnicode, {});
    wrongClsid.b[4] = 0x02;
    EXPECT_FALSE(Parse(wrongClsid).valid);
    EXPECT_FALSE(platform::shelllink::ParseShellLink(nullptr, 0).valid);
    // Unknown flag bits do not matter.
    EXPECT_TRUE(Parse(Link(kUnicode | 0x08000000 | 0x00040000, {})).valid);
}

TEST(ShellLinkIdList, RendersXpItemsWithTheirLongNames) {
    auto link =
        Parse(Link(kIdList | kUnicode,
                   {IdList({RootItem(), DriveItem(), XpItem("PROGRA~1", u"Program Files", 0x31),
                            XpItem("APPLIC~1.EXE", u"Application \u00e9t\u00e9.exe", 0x32)})}));
    ASSERT_TRUE(link.valid);
    EXPECT_EQ(link.idListPath, u"C:\\Program Files\\Application \u00e9t\u00e9.exe");
    EXPECT_FALSE(link.hasLocalBasePath);
}

TEST(ShellLinkIdList, FindsTheLongNameOfLaterWindowsVersions) {
    for (std::uint16_t version : {std::uint16_t{7}, std::uint16_t{8}, std::uint16_t{9}}) {
        auto link =
            Parse(Link(kIdList | kUnicode,
                       {IdList({RootItem(), DriveItem(),
                                LaterItem("PROGRA~1", u"Program Files", 0x31, version),
                                LaterItem("LONGNA~1.TXT", u"long name.txt", 0x32, version)})}));
        ASSERT_TRUE(link.valid);
        EXPECT_EQ(link.idListPath, u"C:\\Program Files\\long name.txt") << version;
    }
}

TEST(ShellLinkIdList, FallsBackToThePrimaryNameWhenTheTrailerDoesNotCheckOut) {
    // Pre-XP items: the ANSI name (Windows-1252) is all there is.
    auto plain = Parse(Link(kIdList | kUnicode,
                            {IdList({RootItem(), DriveItem("D:\\", 0x23),
                                     PlainItem("Caf\xe9", 0x31), PlainItem("menu.txt", 0x32)})}));
    ASSERT_TRUE(plain.valid);
    EXPECT_EQ(plain.idListPath, u"D:\\Caf\u00e9\\menu.txt");

    // A trailer offset that is odd, or whose block size does not reach the item end.
    Bytes odd = XpItem("SHORT.TXT", u"long name.txt", 0x32);
    odd.b[odd.size() - 2] += 1;
    Bytes badSize = XpItem("SHORT.TXT", u"long name.txt", 0x32);
    badSize.b[0x0E + 10] += 2;  // the block's size field
    for (const Bytes& item : {odd, badSize}) {
        auto link = Parse(Link(kIdList | kUnicode, {IdList({RootItem(), DriveItem(), item})}));
        ASSERT_TRUE(link.valid);
        EXPECT_EQ(link.idListPath, u"C:\\SHORT.TXT");
    }
}

TEST(ShellLinkIdList, TakesWineStyleItemsAndUnicodeItems) {
    // Wine's own items: drive type 0x23, no sort index, a trailer with zero version and
    // signature, the long name in the primary slot.
    Bytes root = RootItem();
    root.b[3] = 0;
    Bytes wineItem = XpItem("My Documents", u"My Documents", 0x31);
    for (std::size_t i = 0; i < 6; ++i) wineItem.b[0x0E + 14 + 2 + i] = 0;
    Bytes unicodeItem;  // type 0x34: UTF-16 primary name
    unicodeItem.u16(0x0E + 12).u8(0x34).u8(0).u32(0).u32(0).u16(0x20).wtext(u"\u0416.txt").u16(0);
    auto link = Parse(
        Link(kIdList | kUnicode, {IdList({root, DriveItem("C:\\", 0x23), wineItem, unicodeItem})}));
    ASSERT_TRUE(link.valid);
    EXPECT_EQ(link.idListPath, u"C:\\My Documents\\\u0416.txt");

    // A list that starts with the drive.
    auto noRoot =
        Parse(Link(kIdList | kUnicode, {IdList({DriveItem("E:\\"), PlainItem("x", 0x31)})}));
    EXPECT_EQ(noRoot.idListPath, u"E:\\x");
    // Just a drive.
    EXPECT_EQ(Parse(Link(kIdList | kUnicode, {IdList({RootItem(), DriveItem()})})).idListPath,
              u"C:\\");
}

TEST(ShellLinkIdList, NamesNoPathOutsideTheFileSystem) {
    Bytes network = RootItem();
    network.b[4] = 0x60;  // {208D2C60-...}, Network
    for (const Bytes& list : {IdList({network, PlainItem("x", 0x31)}), IdList({RootItem()}),
                              IdList({RootItem(), PlainItem("x", 0x31)}),
                              IdList({RootItem(), DriveItem(), PlainItem("", 0x32)})}) {
        auto link = Parse(Link(kIdList | kUnicode, {list}));
        EXPECT_TRUE(link.valid);
        EXPECT_EQ(link.idListPath, u"");
    }
}

TEST(ShellLinkIdList, WineDropsAListWithAnItemTypeItDoesNotKnow) {
    // 0x35 (Unicode file entry) is not among Wine's types: the list goes, the link loads.
    Bytes item = XpItem("A.TXT", u"a.txt", 0x32);
    item.b[2] = 0x35;
    Bytes link = Link(kIdList | kLinkInfo | kUnicode,
                      {IdList({RootItem(), DriveItem(), item}), LinkInfo("C:\\a.txt")});
    auto parsed = Parse(link);
    ASSERT_TRUE(parsed.valid);
    EXPECT_EQ(parsed.idListPath, u"");
    EXPECT_EQ(parsed.localBasePath, "C:\\a.txt");
}

TEST(ShellLinkIdList, SizeZeroMeansNoListAndBadItemsMakeTheFileInvalid) {
    EXPECT_TRUE(Parse(Link(kIdList | kUnicode, {Bytes().u16(0)})).valid);

    Bytes tiny;  // an item of 2 bytes has no type byte
    tiny.u16(6).u16(2).u16(0);
    EXPECT_FALSE(Parse(Link(kIdList | kUnicode, {tiny})).valid);

    Bytes noTerminator;  // the last item ends exactly at the list end
    Bytes item = PlainItem("x", 0x31);
    noTerminator.u16(static_cast<std::uint16_t>(item.size())).append(item);
    EXPECT_FALSE(Parse(Link(kIdList | kUnicode, {noTerminator})).valid);

    Bytes overrun;  // an item longer than the list
    overrun.u16(8).u16(0x40).u8(0x31).u8(0).u16(0).u16(0);
    EXPECT_FALSE(Parse(Link(kIdList | kUnicode, {overrun})).valid);
}

TEST(ShellLinkInfo, GivesTheAnsiLocalBasePath) {
    auto link = Parse(Link(kLinkInfo | kUnicode, {LinkInfo("C:\\Caf\xe9\\x.exe")}));
    ASSERT_TRUE(link.valid);
    EXPECT_TRUE(link.hasLocalBasePath);
    EXPECT_EQ(link.localBasePath, "C:\\Caf\xe9\\x.exe");

    // The flags say no local path, but Wine reads it whenever the offset is set.
    Bytes noFlag = LinkInfo("C:\\x");
    noFlag.b[8] = 0;
    EXPECT_EQ(Parse(Link(kLinkInfo | kUnicode, {noFlag})).localBasePath, "C:\\x");

    // No local path offset: no path (a network-only LinkInfo).
    Bytes network = LinkInfo("C:\\x");
    for (std::size_t i = 0; i < 4; ++i) network.b[0x10 + i] = 0;
    auto none = Parse(Link(kLinkInfo | kUnicode, {network}));
    EXPECT_TRUE(none.valid);
    EXPECT_FALSE(none.hasLocalBasePath);

    // Present but empty.
    auto empty = Parse(Link(kLinkInfo | kUnicode, {LinkInfo("")}));
    EXPECT_TRUE(empty.hasLocalBasePath);
    EXPECT_EQ(empty.localBasePath, "");
}

TEST(ShellLinkInfo, RejectsSizesAndOffsetsOutsideIt) {
    auto withField = [](std::size_t offset, std::uint32_t value) {
        Bytes info = LinkInfo("C:\\x.txt");
        for (std::size_t i = 0; i < 4; ++i)
            info.b[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
        return Link(kLinkInfo | kUnicode, {info});
    };
    const std::uint32_t size = static_cast<std::uint32_t>(LinkInfo("C:\\x.txt").size());
    EXPECT_TRUE(Parse(withField(0x10, 0x2D)).valid);
    EXPECT_FALSE(Parse(withField(0x00, 0x1B)).valid);  // smaller than its header
    EXPECT_FALSE(Parse(withField(0x00, 3)).valid);
    EXPECT_FALSE(Parse(withField(0x00, size + 100)).valid);  // past the file end
    EXPECT_FALSE(Parse(withField(0x00, 0xFFFFFFFF)).valid);
    EXPECT_FALSE(Parse(withField(0x04, size + 1)).valid);  // header larger than the block
    EXPECT_FALSE(Parse(withField(0x10, size)).valid);      // local path offset at the end
    EXPECT_FALSE(Parse(withField(0x10, 0xFFFFFFFF)).valid);
    EXPECT_FALSE(Parse(withField(0x0C, size + 7)).valid);    // volume offset outside
    EXPECT_FALSE(Parse(withField(0x18, 0x80000000)).valid);  // suffix offset outside

    Bytes unterminated = LinkInfo("C:\\x.txt");
    unterminated.b.resize(unterminated.size() - 2);  // drop the NUL and the suffix
    unterminated.b[0] = static_cast<std::uint8_t>(unterminated.size());
    for (std::size_t i = 0; i < 4; ++i) unterminated.b[0x18 + i] = 0;
    EXPECT_FALSE(Parse(Link(kLinkInfo | kUnicode, {unterminated})).valid);
}

TEST(ShellLinkStrings, ReadsTheFiveInOrderAndStripsNuls) {
    Bytes withNul;  // Wine counts and writes a NUL
    withNul.u16(5).wtext(u"..\\a").u16(0);
    auto link = Parse(Link(kName | kRelative | kWorkDir | kArgs | kIcon | kUnicode,
                           {CountedW(u"A description"), withNul, CountedW(u"C:\\work"),
                            CountedW(u"/x \"y z\""), CountedW(u"C:\\icon.ico")}));
    ASSERT_TRUE(link.valid);
    EXPECT_EQ(link.description, u"A description");
    EXPECT_EQ(link.relativePath, u"..\\a");
    EXPECT_EQ(link.workingDir, u"C:\\work");
    EXPECT_EQ(link.arguments, u"/x \"y z\"");
}

TEST(ShellLinkStrings, AnsiStringsAreWindows1252) {
    Bytes ansi;
    ansi.u16(9).text(std::string_view("\x80 caf\xe9 \x9c\0", 9));
    auto link = Parse(Link(kArgs, {ansi}));
    ASSERT_TRUE(link.valid);
    EXPECT_EQ(link.arguments, u"\u20ac caf\u00e9 \u0153");
}

TEST(ShellLinkStrings, LongCountsAreReadInFullAndMustFit) {
    // 0x8000 characters: 64 KiB of text, beyond what a 16-bit byte count holds.
    std::u16string longArgs(0x8000, u'a');
    auto link = Parse(Link(kArgs | kUnicode, {CountedW(longArgs)}));
    ASSERT_TRUE(link.valid);
    EXPECT_EQ(link.arguments.size(), 0x8000u);

    Bytes huge;
    huge.u16(0xFFFF).wtext(u"short");
    EXPECT_FALSE(Parse(Link(kArgs | kUnicode, {huge})).valid);
    // A flag announcing a string that is not there.
    EXPECT_FALSE(Parse(Link(kName | kUnicode, {}, false)).valid);
}

Bytes AdvertiseBlock(std::uint32_t size, std::uint32_t signature) {
    Bytes b;
    b.u32(size).u32(signature).zeros(260).wtext(u"[ProductCode]>Feature").zeros(520 - 42);
    b.b.resize(size < 8 ? 8 : size);
    return b;
}

TEST(ShellLinkExtraData, InstallerBlocksMakeTheLinkAdvertised) {
    for (std::uint32_t flag : {0x800u, 0x1000u}) {
        auto link = Parse(Link(kLinkInfo | kUnicode | flag,
                               {LinkInfo("C:\\x.exe"), AdvertiseBlock(0x314, 0xA0000006)}));
        ASSERT_TRUE(link.valid) << flag;
        EXPECT_TRUE(link.advertised);
    }
    auto both = Parse(Link(kUnicode | 0x1800,
                           {AdvertiseBlock(0x314, 0xA0000006), AdvertiseBlock(0x314, 0xA0000006)}));
    EXPECT_TRUE(both.valid && both.advertised);
    // Wine's load fails when the block is not where and what it expects.
    EXPECT_FALSE(Parse(Link(kUnicode | 0x1000, {AdvertiseBlock(0x310, 0xA0000006)})).valid);
    EXPECT_FALSE(Parse(Link(kUnicode | 0x1000, {AdvertiseBlock(0x314, 0x12345678)})).valid);
    EXPECT_FALSE(Parse(Link(kUnicode | 0x1800, {AdvertiseBlock(0x314, 0xA0000006)})).valid);
}

TEST(ShellLinkExtraData, BlocksAreWalkedToTheTerminal) {
    Bytes tracker;
    tracker.u32(0x60).u32(0xA0000003).u32(0x58).u32(0).zeros(0x50);
    Bytes special;
    special.u32(0x10).u32(0xA0000005).u32(0x24).u32(0x14);
    Bytes good = Link(kLinkInfo | kUnicode, {LinkInfo("C:\\x"), tracker, special});
    EXPECT_TRUE(Parse(good).valid);

    auto withBlock = [&](Bytes block, bool terminal = true) {
        return Parse(Link(kLinkInfo | kUnicode, {LinkInfo("C:\\x"), block}, terminal)).valid;
    };
    EXPECT_FALSE(withBlock(Bytes().u32(5).u8(0)));                       // no room for a signature
    EXPECT_FALSE(withBlock(Bytes().u32(0x200).u32(0xA0000002), false));  // past the end
    EXPECT_FALSE(withBlock(Bytes().u32(0xFFFFFFFF).u32(0xA0000002)));
    EXPECT_FALSE(withBlock(tracker, false));  // no terminal block
    EXPECT_TRUE(withBlock(Bytes().u32(3)));   // a terminal below 4

    Bytes many;
    for (int i = 0; i < 65; ++i) many.u32(8).u32(0xA0000099);
    EXPECT_FALSE(withBlock(many));
}

}  // namespace
