// The existence test's remembered answers: kept only while the backend keeps its listings,
// and dropped by every change made through the backend.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/PathTest.h"
#include "platform/TextTable.h"
#include "tests/fixtures/TestPrefix.h"

using fixtures::TestPrefix;
namespace fs = std::filesystem;

namespace {

class ExistenceMemo : public ::testing::Test {
protected:
    void SetUp() override {
        prefix_.CreateFile("C:\\app\\tool.exe", "MZ");
        services_ = prefix_.Open();
        paths_ = std::make_unique<engine::ExistenceTest>(*services_);
    }
    bool Exists(const char* text) { return paths_->Exists(text); }

    TestPrefix prefix_;
    std::unique_ptr<platform::Services> services_;
    std::unique_ptr<engine::ExistenceTest> paths_;
};

}  // namespace

TEST_F(ExistenceMemo, OutsideAScanEveryQuestionIsAskedAfresh) {
    EXPECT_TRUE(Exists("C:\\app\\tool.exe /run"));
    fs::remove(prefix_.HostPath("C:\\app\\tool.exe"));
    EXPECT_FALSE(Exists("C:\\app\\tool.exe /run"));
    prefix_.CreateFile("C:\\app\\tool.exe", "MZ");
    EXPECT_TRUE(Exists("C:\\app\\tool.exe /run"));
}

TEST_F(ExistenceMemo, DuringAScanAnswersMatchTheCachedListings) {
    services_->SetDirectoryCaching(true);
    EXPECT_TRUE(Exists("C:\\app\\tool.exe /run"));
    EXPECT_FALSE(Exists("C:\\app\\gone.exe"));
    // Changed behind the backend's back: the listing read at the first question still
    // answers, remembered or not, so one scan judges every value on the same listing.
    fs::remove(prefix_.HostPath("C:\\app\\tool.exe"));
    prefix_.CreateFile("C:\\app\\gone.exe", "MZ");
    EXPECT_EQ(Exists("C:\\app\\tool.exe /run"),
              engine::PathExists(*services_, "C:\\app\\tool.exe /run"));
    EXPECT_EQ(Exists("C:\\app\\gone.exe"), engine::PathExists(*services_, "C:\\app\\gone.exe"));
    // The scan ends: the next question sees the disk as it is.
    services_->SetDirectoryCaching(false);
    EXPECT_FALSE(Exists("C:\\app\\tool.exe /run"));
    EXPECT_TRUE(Exists("C:\\app\\gone.exe"));
}

TEST_F(ExistenceMemo, ADeleteThroughTheBackendDropsRememberedAnswers) {
    services_->SetDirectoryCaching(true);
    EXPECT_TRUE(Exists("C:\\app\\tool.exe /run"));
    ASSERT_TRUE(services_->DeleteFileA("C:\\app\\tool.exe"));
    EXPECT_FALSE(Exists("C:\\app\\tool.exe /run"));
}

TEST_F(ExistenceMemo, AFolderCreatedThroughTheBackendDropsRememberedAnswers) {
    services_->SetDirectoryCaching(true);
    // Missing until a folder named as the text up to its first dot appears.
    EXPECT_FALSE(Exists("C:\\app\\data.old\\x"));
    ASSERT_TRUE(services_->CreateDirectoryA("C:\\app\\data"));
    EXPECT_TRUE(Exists("C:\\app\\data.old\\x"));
}

TEST_F(ExistenceMemo, ForgettingStartsOverWithinAScan) {
    services_->SetDirectoryCaching(true);
    EXPECT_TRUE(Exists("C:\\app\\tool.exe"));
    paths_->Forget();
    EXPECT_TRUE(Exists("C:\\app\\tool.exe"));
    EXPECT_FALSE(Exists("C:\\app\\other.exe"));
}

TEST_F(ExistenceMemo, TextsThatShareAPrefixKeepTheirOwnAnswers) {
    services_->SetDirectoryCaching(true);
    EXPECT_TRUE(Exists("C:\\app\\tool.exe"));
    EXPECT_TRUE(Exists("C:\\app\\tool.exe -x"));
    EXPECT_FALSE(Exists("C:\\app\\tool.ex"));
    EXPECT_TRUE(Exists("C:\\app\\tool.exe2"));  // "C:\app\tool.exe" is one of its prefixes
    EXPECT_FALSE(Exists("C:\\app\\tools.exe"));
    EXPECT_TRUE(Exists("C:\\APP\\TOOL.EXE"));
}

// The table itself: every answer found again after the table grew many times over, texts
// that are prefixes of one another or differ only in case kept apart, and nothing left after
// Clear.
TEST(TextTable, KeepsEveryAnswerApartThroughGrowthAndClear) {
    platform::TextTable<bool> memo;
    std::vector<std::string> texts{"", "C", "C:", "c:", "C:\\a b.exe", "C:\\a b.exe -x"};
    for (int i = 0; i < 20000; ++i)
        texts.push_back("C:\\Program Files\\P" + std::to_string(i) + ".dll");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(memo.Find(texts[i]), nullptr) << texts[i];
        memo.Add(texts[i], i % 3 == 0);
    }
    memo.Add(texts[3], true);  // already held: the first answer stays
    EXPECT_EQ(memo.Size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const bool* answer = memo.Find(texts[i]);
        ASSERT_NE(answer, nullptr) << texts[i];
        EXPECT_EQ(*answer, i % 3 == 0) << texts[i];
    }
    EXPECT_EQ(memo.Find("C:\\Program Files\\P20000.dll"), nullptr);
    memo.Clear();
    EXPECT_EQ(memo.Size(), 0u);
    EXPECT_EQ(memo.Find("C:"), nullptr);
    memo.Add("C:", true);
    ASSERT_NE(memo.Find("C:"), nullptr);
    EXPECT_TRUE(*memo.Find("C:"));
}
