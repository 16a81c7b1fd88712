// The Windows backend on the machine it runs on (under Wine in `make test`): a scratch registry
// key under HKEY_CURRENT_USER and a scratch folder in the temporary folder, both removed after.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/codepage/Codepage.h"
#include "platform/shelllink/ShellLink.h"
#include "platform/win32/Machine.h"
#include "repair/BackupLocation.h"
#include "tests/win32/Scratch.h"

namespace {

using platform::Services;

class Win32Backend : public ::testing::Test {
protected:
    void SetUp() override {
        services_ = platform::win32::OpenMachine();
        keyPath_ = u"Software\\Drennow Test " +
                   platform::codepage::AnsiToUtf16(std::to_string(win32test::ProcessId()));
        folderW_ = win32test::MakeScratchFolder();
        folder_ = platform::codepage::Utf16ToAnsi(folderW_);
        ASSERT_EQ(services_->GetFileAttributesA(folder_.c_str()),
                  platform::FILE_ATTRIBUTE_DIRECTORY);
    }
    void TearDown() override {
        win32test::RemoveUserKey(keyPath_);
        win32test::RemoveFolder(folderW_);
    }

    platform::HKEY CreateKey(const std::u16string& below) {
        platform::HKEY key = 0;
        const std::u16string path = below.empty() ? keyPath_ : keyPath_ + u"\\" + below;
        EXPECT_EQ(services_->RegCreateKeyW(platform::HKEY_CURRENT_USER, path.c_str(), &key),
                  platform::ERROR_SUCCESS);
        return key;
    }
    void SetString(platform::HKEY key, const std::u16string& name, const std::u16string& data) {
        EXPECT_EQ(services_->RegSetValueExW(key, name.c_str(), 0, platform::REG_SZ,
                                            reinterpret_cast<const platform::BYTE*>(data.c_str()),
                                            static_cast<platform::DWORD>((data.size() + 1) * 2)),
                  platform::ERROR_SUCCESS);
    }

    std::unique_ptr<Services> services_;
    std::u16string keyPath_;
    std::u16string folderW_;
    std::string folder_;  // the scratch folder as an "A" path
};

TEST_F(Win32Backend, NamesOutsideTheCodePageAreExactOnlyThroughTheWCalls) {
    const platform::HKEY root = CreateKey(u"");
    const platform::HKEY bestFit = CreateKey(u"\u0100bc");  // A name "Abc"
    SetString(root, u"\u042F-value", u"C:\\gone\\x.exe");
    SetString(root, u"plain", u"caf\u00e9");

    char name[16] = {};
    platform::DWORD length = sizeof name;
    ASSERT_EQ(services_->RegEnumKeyExA(root, 0, name, &length), platform::ERROR_SUCCESS);
    EXPECT_EQ(std::string(name, length), "Abc");  // Wine's and Windows' best fit
    platform::WCHAR wide[16] = {};
    length = 16;
    ASSERT_EQ(services_->RegEnumKeyExW(root, 0, wide, &length), platform::ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(wide, length), u"\u0100bc");

    // Enumerated values: "A" names and data in Windows-1252; a too small buffer says how
    // much it needs.
    std::vector<std::string> names;
    char valueName[32] = {};
    for (platform::DWORD index = 0;; ++index) {
        platform::DWORD nameLength = sizeof valueName;
        if (services_->RegEnumValueA(root, index, valueName, &nameLength, nullptr, nullptr,
                                     nullptr) != platform::ERROR_SUCCESS)
            break;
        names.emplace_back(valueName, nameLength);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"?-value", "plain"}));
    platform::BYTE data[8] = {};
    platform::DWORD dataLength = sizeof data;
    ASSERT_EQ(services_->RegQueryValueExA(root, "plain", nullptr, data, &dataLength),
              platform::ERROR_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data)), "caf\xe9");
    dataLength = 4;
    EXPECT_EQ(services_->RegQueryValueExA(root, "plain", nullptr, data, &dataLength),
              platform::ERROR_MORE_DATA);
    EXPECT_EQ(dataLength, 5u);

    // One key object, whatever the handle: one identity; another key: another.
    platform::HKEY again = 0;
    ASSERT_EQ(
        services_->RegOpenKeyExW(platform::HKEY_CURRENT_USER, (keyPath_ + u"\\\u0100BC").c_str(), 0,
                                 platform::KEY_ALL_ACCESS, &again),
        platform::ERROR_SUCCESS);
    EXPECT_NE(services_->RegKeyIdentity(bestFit), 0u);
    EXPECT_EQ(services_->RegKeyIdentity(again), services_->RegKeyIdentity(bestFit));
    EXPECT_NE(services_->RegKeyIdentity(root), services_->RegKeyIdentity(bestFit));

    EXPECT_EQ(services_->RegDeleteValueW(root, u"\u042F-value"), platform::ERROR_SUCCESS);
    EXPECT_EQ(services_->RegDeleteValueW(root, u"\u042F-value"), platform::ERROR_FILE_NOT_FOUND);
    for (platform::HKEY key : {root, bestFit, again}) services_->RegCloseKey(key);
}

TEST_F(Win32Backend, PathsLongerThanMaxPathAreFoundAndSearched) {
    std::string deep = folder_;
    while (deep.size() < 300) {
        deep += "\\abcdefghijklmnop";
        ASSERT_TRUE(services_->CreateDirectoryA(deep.c_str())) << deep;
    }
    const std::string file = deep + "\\live.exe";
    ASSERT_TRUE(services_->CreateNewFile(file.c_str(), "MZ").ok());
    EXPECT_TRUE(services_->PathFileExistsA(file.c_str()));
    EXPECT_FALSE(services_->PathFileExistsA((deep + "\\gone.exe").c_str()));
    EXPECT_EQ(services_->GetFileAttributesA(deep.c_str()) & platform::FILE_ATTRIBUTE_DIRECTORY,
              platform::FILE_ATTRIBUTE_DIRECTORY);

    auto search = services_->FindFirstFileA((deep + "\\*.*").c_str());
    ASSERT_NE(search, nullptr);
    std::vector<std::string> names;
    platform::FindEntry entry;
    while (search->Next(entry)) {
        names.push_back(entry.name);
        if (entry.name == "live.exe") {
            EXPECT_EQ(entry.path, file);
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "live.exe"}));
    EXPECT_TRUE(services_->DeleteFileA(file.c_str()));
    EXPECT_FALSE(services_->PathFileExistsA(file.c_str()));
}

TEST_F(Win32Backend, SearchMarksInexactNamesAndKnowsEachFolderOnce) {
    ASSERT_TRUE(services_->CreateDirectoryA((folder_ + "\\sub").c_str()));
    ASSERT_TRUE(win32test::CreateEmptyFile(folderW_ + u"\\\u042F.lnk"));
    auto search = services_->FindFirstFileA((folder_ + "\\*.*").c_str());
    ASSERT_NE(search, nullptr);
    int inexact = 0, folders = 0;
    platform::FindEntry entry;
    while (search->Next(entry)) {
        if (entry.IsDots()) continue;
        inexact += entry.inexactName ? 1 : 0;
        folders += entry.directory ? 1 : 0;
    }
    EXPECT_EQ(inexact, 1);
    EXPECT_EQ(folders, 1);

    platform::FolderId viaSearch = search->FolderIdentity(), viaPath, viaDots;
    ASSERT_TRUE(services_->GetFolderIdentity(folder_.c_str(), &viaPath));
    ASSERT_TRUE(services_->GetFolderIdentity((folder_ + "\\sub\\..").c_str(), &viaDots));
    platform::FolderId sub;
    ASSERT_TRUE(services_->GetFolderIdentity((folder_ + "\\sub").c_str(), &sub));
    EXPECT_NE(viaSearch, platform::FolderId{});
    EXPECT_EQ(viaSearch, viaPath);
    EXPECT_EQ(viaSearch, viaDots);
    EXPECT_NE(viaSearch, sub);
    EXPECT_FALSE(services_->GetFolderIdentity((folder_ + "\\gone").c_str(), &sub));
}

TEST_F(Win32Backend, TextFilesAreWrittenWholeWithCrLf) {
    const std::string path = folder_ + "\\backup.txt";
    ASSERT_TRUE(services_->ReplaceTextFile(path.c_str(), "one\ntwo\n").ok());
    std::string bytes;
    ASSERT_TRUE(services_->ReadFileBytes(path.c_str(), &bytes, 100));
    EXPECT_EQ(bytes, "one\r\ntwo\r\n");
    EXPECT_FALSE(services_->ReadFileBytes(path.c_str(), &bytes, 5));  // larger than allowed

    {
        auto append = services_->OpenTextFile(path.c_str(), platform::TextFileMode::Append);
        ASSERT_NE(append, nullptr);
        EXPECT_TRUE(append->WriteString("three"));
        EXPECT_TRUE(append->Close());
    }
    {
        auto read = services_->OpenTextFile(path.c_str(), platform::TextFileMode::Read);
        ASSERT_NE(read, nullptr);
        std::vector<std::string> lines;
        for (std::string line; read->ReadString(line);) lines.push_back(line);
        EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));
    }

    // Nothing is created over a file standing there, nor in a folder that is missing; a
    // replacement leaves no temporary file behind.
    EXPECT_EQ(services_->CreateNewFile(path.c_str(), "x").code, platform::ERROR_FILE_EXISTS);
    EXPECT_EQ(services_->CreateNewFile((folder_ + "\\gone\\x.lnk").c_str(), "x").code,
              platform::ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(services_->ReplaceTextFile((folder_ + "\\gone\\x.txt").c_str(), "x").ok());
    const platform::Status updated = services_->UpdateTextFile(
        path.c_str(), [&] { return services_->ReplaceTextFile(path.c_str(), "new\n"); });
    EXPECT_TRUE(updated.ok()) << updated.message;
    auto search = services_->FindFirstFileA((folder_ + "\\*.*").c_str());
    std::vector<std::string> names;
    for (platform::FindEntry entry; search && search->Next(entry);)
        if (!entry.IsDots()) names.push_back(entry.name);
    EXPECT_EQ(names, std::vector<std::string>{"backup.txt"});
}

TEST_F(Win32Backend, ShortcutTargetsComeFromTheShellsLinkObject) {
    const std::string target = folder_ + "\\gone\\dead.exe";
    platform::shelllink::ShellLinkRecipe recipe;
    recipe.target = target;
    const auto bytes = platform::shelllink::WriteShellLink(recipe);
    const std::string link = folder_ + "\\dead.lnk";
    ASSERT_TRUE(
        services_->CreateNewFile(link.c_str(), std::string(bytes.begin(), bytes.end())).ok());
    EXPECT_EQ(services_->GetShortcutTarget(link.c_str()), target);
    std::string after;
    ASSERT_TRUE(services_->ReadFileBytes(link.c_str(), &after, 1 << 20));
    EXPECT_EQ(after, std::string(bytes.begin(), bytes.end()));  // never rewritten

    const std::string junk = folder_ + "\\junk.lnk";
    ASSERT_TRUE(services_->CreateNewFile(junk.c_str(), "not a shortcut").ok());
    EXPECT_EQ(services_->GetShortcutTarget(junk.c_str()), "");
}

TEST_F(Win32Backend, TheBackupLivesBesideTheProgram) {
    std::string folder = win32test::ProgramPath();
    folder.resize(folder.find_last_of('\\') + 1);
    EXPECT_EQ(repair::BackupFile(*services_), folder + "backup\\backup.txt");

    char windows[260] = {}, systemDir[260] = {}, expanded[260] = {};
    services_->GetWindowsDirectoryA(windows, 260);
    services_->GetSystemDirectoryA(systemDir, 260);
    services_->ExpandEnvironmentStringsA("%SystemRoot%\\system32", expanded, 260);
    EXPECT_EQ(std::string(systemDir), std::string(windows) + "\\system32");
    EXPECT_STRCASEEQ(expanded, systemDir);
}

}  // namespace

namespace {

// A 64-bit Windows (and 64-bit Wine) runs 32-bit programs beside this one: their system
// folder, the paths they reach and their environment, by Windows' own rules.
TEST(Win32Wow64View, AnswersAsA32BitProgramSeesTheMachine) {
    auto services = platform::win32::OpenMachine();
    char folder[300] = {};
    const platform::UINT length = services->GetSystemWow64DirectoryA(folder, sizeof folder);
    ASSERT_GT(length, 0u);
    const std::string wow64(folder, length);
    char windows[300] = {};
    const std::string windowsFolder(windows, services->GetWindowsDirectoryA(windows, 300));
    EXPECT_EQ(services->Wow64RedirectedPath(windowsFolder + "\\system32\\x.dll"),
              wow64 + "\\x.dll");
    EXPECT_EQ(services->Wow64RedirectedPath(windowsFolder + "\\system32\\DriverStore\\a"),
              windowsFolder + "\\system32\\DriverStore\\a");
    EXPECT_EQ(services->Wow64RedirectedPath(windowsFolder + "\\sysnative\\a"),
              windowsFolder + "\\system32\\a");
    char expanded[500] = {};
    services->ExpandEnvironmentStrings32A("%ProgramFiles%|%PROCESSOR_ARCHITECTURE%|%Unset_Var%",
                                          expanded, sizeof expanded);
    char x86[300] = {};
    services->ExpandEnvironmentStringsA("%ProgramFiles(x86)%", x86, sizeof x86);
    EXPECT_EQ(std::string(expanded), std::string(x86) + "|x86|%Unset_Var%");
}

}  // namespace
