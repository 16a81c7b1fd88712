// A file read in two halves on two threads must give exactly the tree, problems and text of
// one pass, wherever the halves meet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fmt/format.h"
#include "platform/wine/registry/HiveModel.h"

namespace {

using platform::wine::registry::DataBytes;
using platform::wine::registry::Hive;
using platform::wine::registry::Key;
using platform::wine::registry::ParseHiveSplit;
using platform::wine::registry::SerializeHive;

// Everything a loaded key holds, its children's in order.
void Dump(const Key& key, std::string& out, int depth = 0) {
    out += fmt::format("{:{}}{} t={} class={}:{} link={} dirty={} raw=[{}]\n", "", depth,
                       std::string(key.name.begin(), key.name.end()), key.filetime, key.hasClass,
                       std::string(key.className.begin(), key.className.end()), key.isLink,
                       key.dirty, key.raw);
    for (const auto& value : key.values) {
        out += fmt::format("{:{}}  {} type={} data=", "", depth,
                           std::string(value.name.begin(), value.name.end()), value.type);
        for (const auto byte : DataBytes(value)) out += fmt::format("{:02x}", byte);
        out += '\n';
    }
    // Parent links must lead back here, also for keys moved over from the second half.
    for (const auto& child : key.children) {
        if (child->parent != &key) out += "WRONG PARENT\n";
        Dump(*child, out, depth + 1);
    }
}

struct Read {
    bool ok = false;
    std::string error, problem, header, tree, written;
};

Read Parse(const std::string& text, std::size_t splitFrom) {
    Hive hive;
    hive.path = "system.reg";
    hive.text = text;
    Read r;
    r.ok = ParseHiveSplit(hive, r.error, splitFrom);
    r.problem = hive.problem;
    r.header = std::string(hive.header);
    if (r.ok) {
        Dump(*hive.root, r.tree);
        if (hive.problem.empty()) r.written = SerializeHive(hive);
    }
    return r;
}

// Splits at every line start and compares with the one-pass reading.
void ExpectSameAtEverySplit(const std::string& text) {
    const Read whole = Parse(text, std::string::npos);
    ASSERT_TRUE(whole.ok) << whole.error;
    ASSERT_FALSE(whole.tree.empty());
    int splits = 0;
    for (std::size_t at = 1; at < text.size(); ++at) {
        if (text[at - 1] != '\n') continue;
        ++splits;
        const Read split = Parse(text, at);
        SCOPED_TRACE(fmt::format("second half from offset {}: \"{}\"", at,
                                 text.substr(at, text.find('\n', at) - at)));
        EXPECT_EQ(split.ok, whole.ok);
        EXPECT_EQ(split.error, whole.error);
        EXPECT_EQ(split.problem, whole.problem);
        EXPECT_EQ(split.header, whole.header);
        EXPECT_EQ(split.tree, whole.tree);
        EXPECT_EQ(split.written, whole.written);
    }
    EXPECT_GT(splits, 5);
}

constexpr const char* kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";

TEST(HiveSplit, SortedFileWithEveryKindOfLine) {
    ExpectSameAtEverySplit(std::string(kHeader) +
                           "\n[Software] 1700000001\n#time=1d00000000000001\n"
                           "\n[Software\\\\Alpha] 1700000002\n#class=\"cls\"\n"
                           "@=\"default\"\n\"dw\"=dword:0000000a\n"
                           "\"long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,\\\n"
                           "  10,11,12\n"
                           "\"multi\"=str(7):\"a\\0b\\0\"\n"
                           "\n[Software\\\\Alpha\\\\Deep\\\\Er] 1700000003\n\"x\"=\"C:\\\\x.exe\"\n"
                           "\n[Software\\\\Beta] 1700000004\n#link\n"
                           "\"SymbolicLinkValue\"=hex(6):5c,00\n"
                           "\n[Software\\\\Beta\\\\Child] 1700000005\n\"y\"=str(2):\"%Path%\"\n"
                           "\n[System\\\\Other] 1700000006\n\"\\xe9t\\xe9\"=\"caf\\xe9\"\n"
                           "\n[System\\\\Other\\\\Z] 1700000007\n");
}

// Key lines without a time, with the first time below a key only in the second half: the
// keys above take it, as they do in one pass.
TEST(HiveSplit, TimesOfKeysAboveComeFromTheFirstTimedLineBelow) {
    ExpectSameAtEverySplit(std::string(kHeader) +
                           "\n[A\\\\B]\n\"v\"=\"1\"\n"
                           "\n[A\\\\C]\n"
                           "\n[A\\\\D\\\\E] 1700000100\n"
                           "\n[A\\\\D\\\\F] 1700000200\n#time=1d000000000000ff\n"
                           "\n[G] 1700000300\n");
}

// Unsorted files and keys written twice: the halves share keys with blocks, which only one
// pass reads right (the second block merges into the first and the key is written anew).
TEST(HiveSplit, KeysWrittenTwiceOrOutOfOrder) {
    ExpectSameAtEverySplit(std::string(kHeader) +
                           "\n[Z\\\\Late] 1700000001\n\"a\"=\"1\"\n"
                           "\n[A] 1700000002\n\"b\"=\"2\"\n"
                           "\n[Z] 1700000003\n\"c\"=\"3\"\n"
                           "\n[A] 1700000004\n\"b\"=\"again\"\n\"d\"=\"4\"\n"
                           "\n[a\\\\Lower] 1700000005\n");
    // A key spelt otherwise in the second half than where the first half met it.
    ExpectSameAtEverySplit(std::string(kHeader) +
                           "\n[s\\\\W] 1700000001\n\"v\"=\"1\"\n"
                           "\n[S\\\\X] 1700000002\n\"x\"=\"2\"\n"
                           "\n[S\\\\Y] 1700000003\n");
}

// Damaged lines in either half are reported with their line numbers in the file, and a
// backslash that continues hex data onto a key line is read as one pass reads it.
TEST(HiveSplit, ProblemsAndContinuationsAcrossTheMeetingPoint) {
    ExpectSameAtEverySplit(std::string(kHeader) +
                           "\n[K1] 1700000001\n\"ok\"=\"1\"\n"
                           "\n[K2] 1700000002\n\"cut\"=hex:01,02,\\\n"
                           "[K3] 1700000003\n\"v\"=\"3\"\n"
                           "\n[K4] 1700000004\nnonsense here\n"
                           "\n[K5 1700000005\n\"bad\"=wrong:1\n"
                           "\n[K6] 1700000006\n\"w\"=\"6\"\n");
}

// A key line naming no key ("[]") holds the hive root's own values; in the second half it
// is a block for a key the first half has too, so the halves cannot simply be joined.
TEST(HiveSplit, BlockOfTheRootItselfInTheSecondHalf) {
    ExpectSameAtEverySplit(std::string(kHeader) +
                           "\n[A] 1700000001\n\"a\"=\"1\"\n"
                           "\n[] 1700000002\n\"atRoot\"=\"r\"\n"
                           "\n[B] 1700000003\n\"b\"=\"2\"\n"
                           "\n[C] 1700000004\n");
    // And after a damaged key line, as the fuzzer first found it.
    const std::string damaged = "WINE REGISTRY Version 2\n [\n[]";
    const Read whole = Parse(damaged, std::string::npos);
    const Read split = Parse(damaged, damaged.size() - 2);
    EXPECT_EQ(split.problem, whole.problem);
    EXPECT_EQ(split.tree, whole.tree);
}

// A time flows up from a key line only through keys that have none yet. Here a key with
// a time stands between the second half's key and a key without one above it (written anew,
// as it has two blocks), which must keep having none.
TEST(HiveSplit, TimeStopsAtTheFirstKeyAboveThatHasOne) {
    ExpectSameAtEverySplit(std::string(kHeader) +
                           "\n[A]x\n\"v\"=\"1\"\n"
                           "\n[A]x\n\"w\"=\"2\"\n"
                           "\n[A\\\\B]x\n#time=e\n"
                           "\n[A\\\\B\\\\C] 1700000005\n"
                           "\n[A\\\\B\\\\D] 1700000006\n");
    // The root, with no block and no time, as the fuzzer first found it.
    const std::string rootless =
        "WINE REGISTRY Version 2\n[Software]\x7f"
        "1\n#time=e,\n[Software\\\\r]0";
    const Read whole = Parse(rootless, std::string::npos);
    const Read split = Parse(rootless, rootless.size() - 4);
    EXPECT_EQ(split.tree, whole.tree);
}

// Nothing but a header, or a header whose first key stands in the second half.
TEST(HiveSplit, HeaderOnlyAndFirstKeyLate) {
    const std::string text =
        std::string(kHeader) + ";; comment\n\n[Only] 1700000001\n\"v\"=\"1\"\n";
    ExpectSameAtEverySplit(text);
    const Read headerOnly = Parse(std::string(kHeader) + ";; nothing\n", 10);
    EXPECT_TRUE(headerOnly.ok);
    EXPECT_EQ(headerOnly.header, std::string(kHeader) + ";; nothing\n");
}

// A file too large for one thread is split by ParseHive itself; a wide tree with many
// values must come out the same as in one pass.
TEST(HiveSplit, LargeFileReadByParseHive) {
    std::string text = kHeader;
    for (int vendor = 0; text.size() < platform::wine::registry::kParallelParseBytes + 4096;
         ++vendor) {
        text += fmt::format("\n[Software\\\\Vendor{:05}] {}\n", vendor, 1700000000 + vendor);
        for (int product = 0; product < 8; ++product) {
            text += fmt::format(
                "\n[Software\\\\Vendor{:05}\\\\Product{}] {}\n\"Path\"=\"C:\\\\P{}\\\\{}.exe\"\n"
                "\"Size\"=dword:{:08x}\n\"Blob\"=hex:{:02x},ff\n",
                vendor, product, 1700000000 + vendor, vendor, product, vendor * 8 + product,
                product);
        }
    }
    Hive parallel;
    parallel.path = "system.reg";
    parallel.text = text;
    std::string error;
    ASSERT_TRUE(platform::wine::registry::ParseHive(parallel, error)) << error;
    const Read whole = Parse(text, std::string::npos);
    std::string tree;
    Dump(*parallel.root, tree);
    EXPECT_EQ(tree, whole.tree);
    EXPECT_EQ(SerializeHive(parallel), text);
}

}  // namespace
