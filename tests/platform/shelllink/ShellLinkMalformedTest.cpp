// Broken shortcut files: an empty target and no crash (run under ASan as well).
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "tests/platform/shelllink/LinkBytes.h"

namespace {
using namespace linkbytes;
using platform::shelllink::ChooseTarget;
using platform::shelllink::ShellLinkData;
using platform::shelllink::ShellLinkRecipe;
using platform::shelllink::WriteShellLink;

std::u16string TargetOf(const std::vector<std::uint8_t>& bytes) {
    ShellLinkData link = Parse(bytes);
    return ChooseTarget(link, u"C:\\lnk-path", u"C:\\folder",
                        [](std::u16string_view) { return true; });
}

std::vector<std::vector<std::uint8_t>> ValidFiles() {
    std::vector<std::vector<std::uint8_t>> files;
    ShellLinkRecipe full;
    full.target = "C:\\Program Files\\App\\app.exe";
    full.workingDir = u"C:\\Program Files\\App";
    full.arguments = u"-x";
    full.description = u"App";
    full.relativePath = u"..\\..\\Program Files\\App\\app.exe";
    files.push_back(WriteShellLink(full));
    ShellLinkRecipe idOnly;
    idOnly.target = "C:\\a\\b.txt";
    idOnly.withLinkInfo = false;
    files.push_back(WriteShellLink(idOnly));
    // Extra blocks after the strings.
    Bytes withBlocks = Header(0x82);
    withBlocks.append(LinkInfo("C:\\x.exe"));
    withBlocks.u32(0x10).u32(0xA0000005).u32(0x24).u32(0x14);
    withBlocks.u32(0x0C).u32(0xA0000004).u32(1252).append(Terminal());
    files.push_back(withBlocks.b);
    return files;
}

TEST(ShellLinkMalformed, EveryTruncationGivesAnEmptyTarget) {
    for (const auto& file : ValidFiles()) {
        ASSERT_FALSE(TargetOf(file).empty());
        for (std::size_t cut = 0; cut < file.size(); ++cut) {
            // A copy of exactly `cut` bytes, so ASan sees any read past it.
            std::vector<std::uint8_t> part(file.begin(), file.begin() + static_cast<long>(cut));
            ShellLinkData link = Parse(part);
            EXPECT_FALSE(link.valid) << "cut at " << cut << " of " << file.size();
            EXPECT_EQ(TargetOf(part), u"") << "cut at " << cut;
        }
    }
}

TEST(ShellLinkMalformed, HugeSizesAndCountsGiveAnEmptyTarget) {
    const auto base = WriteShellLink([] {
        ShellLinkRecipe s;
        s.target = "C:\\a.txt";
        s.arguments = u"args";
        return s;
    }());
    // Field positions in this file: IDListSize, the first item's size, LinkInfoSize, the
    // arguments count, the terminal block.
    const std::size_t idListSize = 0x4C, firstItem = 0x4E;
    const std::size_t linkInfo =
        0x4C + 2 + static_cast<std::size_t>(base[0x4C] | (base[0x4D] << 8));
    const std::size_t argsCount =
        linkInfo + static_cast<std::size_t>(base[linkInfo] | (base[linkInfo + 1] << 8));
    const std::size_t terminal = base.size() - 4;
    struct Patch {
        std::size_t at;
        std::vector<std::uint8_t> bytes;
    } patches[] = {
        {idListSize, {0xFF, 0xFF}},
        {firstItem, {0xFF, 0xFF}},
        {firstItem, {0x01, 0x00}},
        {linkInfo, {0xFF, 0xFF, 0xFF, 0xFF}},
        {linkInfo, {0x00, 0x00, 0x00, 0x80}},
        {linkInfo + 0x10, {0xFF, 0xFF, 0xFF, 0xFF}},
        {linkInfo + 0x04, {0xFF, 0xFF, 0xFF, 0x7F}},
        {argsCount, {0xFF, 0xFF}},
        {terminal, {0xFF, 0xFF, 0xFF, 0xFF}},
        {terminal, {0x08, 0x00, 0x00, 0x00}},
    };
    ASSERT_EQ(TargetOf(base), u"C:\\lnk-path");
    for (const auto& p : patches) {
        auto bytes = base;
        std::memcpy(&bytes[p.at], p.bytes.data(), p.bytes.size());
        EXPECT_EQ(TargetOf(bytes), u"") << "patch at " << p.at;
    }
}

// Random damage must never crash or read outside the buffer. When such a file still reads
// as valid, every text it gives came from inside it.
TEST(ShellLinkMalformed, RandomDamageStaysInsideTheFile) {
    std::mt19937 random(20261208);
    int invalid = 0, total = 0;
    for (const auto& file : ValidFiles()) {
        for (int round = 0; round < 3000; ++round) {
            auto bytes = file;
            int flips = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < flips; ++i)
                bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
            ShellLinkData link = Parse(bytes);
            ++total;
            if (!link.valid) {
                ++invalid;
                EXPECT_TRUE(link.localBasePath.empty() && link.idListPath.empty() &&
                            link.arguments.empty());
                continue;
            }
            EXPECT_LE(link.localBasePath.size(), bytes.size());
            EXPECT_LE(link.relativePath.size() + link.workingDir.size() + link.arguments.size() +
                          link.description.size(),
                      bytes.size());
        }
    }
    EXPECT_GT(invalid, 0);
    EXPECT_LT(invalid, total);
}

}  // namespace
