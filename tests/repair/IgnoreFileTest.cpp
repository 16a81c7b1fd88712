// The ignore list's file: every entry form read back as written, damaged lines skipped and
// kept, and writers that meet under the backup file's lock.
#include <gtest/gtest.h>

#include <thread>

#include "repair/IgnoreFile.h"
#include "tests/repair/RepairTestSupport.h"

namespace repair {
namespace {

using engine::IgnoreEntry;
using engine::IgnoreKind;
using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0, to; from < text.size(); from = to + 1) {
        to = text.find('\n', from);
        lines.push_back(text.substr(from, to - from));
    }
    return lines;
}

TEST(IgnoreFile, EveryEntryFormRoundTripsExactly) {
    struct Case {
        IgnoreEntry entry;
        const char* line;
    };
    const Case cases[] = {
        {{IgnoreKind::Value, 3, HKEY_LOCAL_MACHINE, u"Software\\Gone", u"Path"},
         "value\t3\tHKEY_LOCAL_MACHINE\\Software\\Gone\tPath"},
        {{IgnoreKind::Value, 0, HKEY_CURRENT_USER, u"Software\\Gone", u""},
         "value\t-\tHKEY_CURRENT_USER\\Software\\Gone\t@"},
        {{IgnoreKind::Value, 1, HKEY_CURRENT_USER, u"Software\\At", u"@"},
         "value\t1\tHKEY_CURRENT_USER\\Software\\At\t%40"},
        {{IgnoreKind::Value, 2, HKEY_LOCAL_MACHINE, u"Software\\T\u014Dol 100%", u"a\tb\nc"},
         "value\t2\tHKEY_LOCAL_MACHINE\\Software\\T\xC5\x8Dol 100%25\ta%09b%0Ac"},
        {{IgnoreKind::Value, 4, HKEY_LOCAL_MACHINE, u"Software\\\U0001F600", u"\xD800x\xDC01"},
         "value\t4\tHKEY_LOCAL_MACHINE\\Software\\\xF0\x9F\x98\x80\t%uD800x%uDC01"},
        {{IgnoreKind::Key, 5, HKEY_LOCAL_MACHINE, u"Software\\Old Program", {}},
         "key\t5\tHKEY_LOCAL_MACHINE\\Software\\Old Program"},
        {{IgnoreKind::Key, 0, HKEY_CURRENT_USER, u"", {}}, "key\t-\tHKEY_CURRENT_USER"},
        {{IgnoreKind::Shortcut, 14, 0, u"C:\\users\\Public\\Desktop\\Caf\u00E9.lnk", {}},
         "shortcut\t14\tC:\\users\\Public\\Desktop\\Caf\xC3\xA9.lnk"},
    };
    IgnoreFileContents written;
    for (const Case& c : cases) {
        EXPECT_EQ(IgnoreEntryLine(c.entry), c.line);
        written.entries.push_back(c.entry);
    }
    const std::string text = IgnoreFileText(written);
    EXPECT_TRUE(text.starts_with(std::string(kIgnoreHeader) + "\n"));
    const IgnoreFileContents read = ParseIgnoreLines(Lines(text));
    EXPECT_EQ(read.entries, written.entries);
    EXPECT_TRUE(read.damagedLines.empty());
}

TEST(IgnoreFile, DamagedLinesAreSkippedCountedAndKept) {
    const std::vector<std::string> lines = {
        std::string(kIgnoreHeader),
        "# my own note",
        "value\t3\tHKEY_LOCAL_MACHINE\\Software\\Good\tName",
        "value\t3\tHKEY_LOCAL_MACHINE\\Software\\NoName",   // 4: a name is missing
        "value\t3\tHKEY_NOWHERE\\Software\\X\tName",        // 5: no such root
        "key\t15\tHKEY_CURRENT_USER\\Software",             // 6: no such section
        "thing\t-\tHKEY_CURRENT_USER\\Software",            // 7: no such kind
        "value\t-\tHKEY_CURRENT_USER\\Software\tbad %4",    // 8: a cut escape
        "value\t-\tHKEY_CURRENT_USER\\Software\tbad \xC3",  // 9: not UTF-8
        "shortcut\t14\tDesktop\\Gone.lnk",                  // 10: no drive
        "key\t-\tHKEY_CURRENT_USER\\Software\\Kept",
    };
    const IgnoreFileContents read = ParseIgnoreLines(lines);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[1].path, u"Software\\Kept");
    EXPECT_EQ(read.damagedLines, (std::vector<int>{4, 5, 6, 7, 8, 9, 10}));
    // Written back, nothing a person typed is lost.
    const std::string text = IgnoreFileText(read);
    for (const std::string& line : lines) EXPECT_NE(text.find(line), std::string::npos) << line;
}

class IgnoreFileOnDisk : public ::testing::Test {
protected:
    fixtures::TestPrefix prefix;
    std::string IgnorePath() const {
        return prefix.HostPath("C:\\Program Files\\Norlix Drennow\\ignore.txt");
    }
};

TEST_F(IgnoreFileOnDisk, LivesBesideTheBackupFolderAndWritersUnderTheLockLoseNothing) {
    constexpr int kWriters = 4;
    constexpr int kEach = 5;
    std::vector<std::thread> writers;
    std::vector<platform::Status> failures(kWriters);
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([this, w, &failures] {
            auto services = prefix.Open();
            for (int i = 0; i < kEach; ++i) {
                const std::u16string name = u"w" +
                                            std::u16string(1, u'0' + static_cast<char16_t>(w)) +
                                            std::u16string(1, u'0' + static_cast<char16_t>(i));
                const platform::Status status = UpdateIgnoreFile(*services, [&](auto& contents) {
                    contents.entries.push_back(
                        {IgnoreKind::Value, 1, HKEY_CURRENT_USER, u"Software\\X", name});
                    return true;
                });
                if (!status.ok()) failures[static_cast<std::size_t>(w)] = status;
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
    for (const platform::Status& status : failures) EXPECT_TRUE(status.ok()) << status.message;

    auto services = prefix.Open();
    EXPECT_EQ(IgnoreFilePath(*services), "C:\\Program Files\\Norlix Drennow\\ignore.txt");
    IgnoreFileContents read;
    ASSERT_TRUE(ReadIgnoreFile(*services, read).ok());
    EXPECT_EQ(read.entries.size(), static_cast<std::size_t>(kWriters * kEach));
    EXPECT_TRUE(
        repairtest::ReadBytes(IgnorePath()).starts_with(std::string(kIgnoreHeader) + "\r\n"));
}

TEST_F(IgnoreFileOnDisk, AnUnreadableFileIsNeverRewritten) {
    // A folder where the file should be: it exists, and cannot be read as text.
    prefix.CreateFolder("C:\\Program Files\\Norlix Drennow\\ignore.txt\\kept");
    auto services = prefix.Open();
    bool changed = false;
    const platform::Status status =
        UpdateIgnoreFile(*services, [&](auto&) { return changed = true; });
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message.find("cannot be read"), std::string::npos) << status.message;
    EXPECT_FALSE(changed);
    EXPECT_TRUE(prefix.Exists("C:\\Program Files\\Norlix Drennow\\ignore.txt\\kept"));
}

TEST_F(IgnoreFileOnDisk, AnEntryIsPresentWhileWhatItNamesExists) {
    prefix.SetString(fixtures::Hive::System, "Software\\Here", "T\u014Dol", "x");
    prefix.CreateFile("C:\\users\\Public\\Desktop\\Here.lnk", "x");
    auto services = prefix.Open();
    const struct {
        IgnoreEntry entry;
        bool present;
    } cases[] = {
        {{IgnoreKind::Value, 0, HKEY_LOCAL_MACHINE, u"software\\here", u"t\u014Dol"}, true},
        {{IgnoreKind::Value, 0, HKEY_LOCAL_MACHINE, u"Software\\Here", u"Tool"}, false},
        {{IgnoreKind::Key, 0, HKEY_LOCAL_MACHINE, u"Software\\Here", {}}, true},
        {{IgnoreKind::Key, 0, HKEY_LOCAL_MACHINE, u"Software\\Gone", {}}, false},
        {{IgnoreKind::Shortcut, 0, 0, u"C:\\users\\Public\\Desktop\\Here.lnk", {}}, true},
        {{IgnoreKind::Shortcut, 0, 0, u"C:\\users\\Public\\Desktop", {}}, true},
        {{IgnoreKind::Shortcut, 0, 0, u"C:\\users\\Public\\Desktop\\Gone.lnk", {}}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IgnoredEntryPresent(*services, c.entry), c.present) << IgnoreEntryLine(c.entry);
}

}  // namespace
}  // namespace repair
