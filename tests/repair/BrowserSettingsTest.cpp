// The IE Restore settings written into a real prefix and read back from its hive files.
#include <gtest/gtest.h>

#include "repair/BrowserSettings.h"
#include "tests/fixtures/FakeWineServer.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"

namespace repair {
namespace {

using fixtures::Hive;
using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;
using repairtest::Query;
using repairtest::Sz;

class BrowserSettingsTest : public ::testing::Test {
protected:
    fixtures::TestPrefix prefix;
    repairtest::ScriptedHost host;

    void ExpectApplied() {
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, "Apply Successed!");
        EXPECT_EQ(host.boxes[0].caption, "Information");
        EXPECT_EQ(host.boxes[0].style, engine::Buttons::Ok);
    }
};

TEST_F(BrowserSettingsTest, ReadsStartPageAndTitleWithTheTitleDefault) {
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        const BrowserSettings settings = ReadBrowserSettings(*services);
        EXPECT_EQ(settings.startPage, "");
        EXPECT_EQ(settings.windowTitle, "Microsoft Internet Explorer");
        // Reading never creates the key.
        EXPECT_FALSE(repairtest::KeyExists(*services, HKEY_CURRENT_USER, kBrowserMainKey));
        EXPECT_FALSE(services->HasUncommittedChanges());
    }
    const std::string longTitle(12000, 't');
    prefix.SetString(Hive::User, "Software\\Microsoft\\Internet Explorer\\Main", "Start Page",
                     "http://example.org/");
    prefix.SetString(Hive::User, "Software\\Microsoft\\Internet Explorer\\Main", "Window Title",
                     longTitle);
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    const BrowserSettings settings = ReadBrowserSettings(*services);
    EXPECT_EQ(settings.startPage, "http://example.org/");
    EXPECT_EQ(settings.windowTitle, longTitle);
}

TEST_F(BrowserSettingsTest, BlankHomePageWritesAboutBlankUnderBothRoots) {
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        EXPECT_TRUE(ApplyHomePage(*services, host, "   ").ok());
        ExpectApplied();
    }
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    for (platform::HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_EQ(Query(*services, root, kBrowserMainKey, "Start Page"), Sz("about:blank"));
        EXPECT_EQ(Query(*services, root, kBrowserMainKey, "First Home Page"), Sz("about:blank"));
    }
}

TEST_F(BrowserSettingsTest, TypedTextsAreTrimmedAndPersisted) {
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        EXPECT_TRUE(ApplyHomePage(*services, host, "  http://home.example/ \t").ok());
        EXPECT_TRUE(ApplyWindowTitle(*services, host, " My Browser ").ok());
    }
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    EXPECT_EQ(ReadBrowserSettings(*services).startPage, "http://home.example/");
    for (platform::HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_EQ(Query(*services, root, kBrowserMainKey, "Window Title"), Sz("My Browser"));
    }
}

TEST_F(BrowserSettingsTest, EmptyTitleWritesTheDefault) {
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        EXPECT_TRUE(ApplyWindowTitle(*services, host, "").ok());
        ExpectApplied();
    }
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    for (platform::HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_EQ(Query(*services, root, kBrowserMainKey, "Window Title"),
                  Sz("Microsoft Internet Explorer"));
    }
}

TEST_F(BrowserSettingsTest, RegeditLockWritesOneAndUnlockZero) {
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        EXPECT_TRUE(ApplyRegeditLock(*services, host, true).ok());
    }
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        EXPECT_EQ(Query(*services, HKEY_CURRENT_USER, kPolicySystemKey, "DisableRegistryTools"),
                  repairtest::Dword(1));
        EXPECT_TRUE(ApplyRegeditLock(*services, host, false).ok());
    }
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    EXPECT_EQ(Query(*services, HKEY_CURRENT_USER, kPolicySystemKey, "DisableRegistryTools"),
              repairtest::Dword(0));
}

TEST_F(BrowserSettingsTest, TooLongTextIsRefusedAndNothingWritten) {
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    EXPECT_TRUE(ApplyHomePage(*services, host, std::string(kMaxSettingLength, 'a')).ok());
    host.boxes.clear();
    const platform::Status status =
        ApplyHomePage(*services, host, std::string(kMaxSettingLength + 1, 'b'));
    EXPECT_FALSE(status.ok());
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text, "Apply Successed!");
    EXPECT_EQ(ReadBrowserSettings(*services).startPage, std::string(kMaxSettingLength, 'a'));
}

TEST_F(BrowserSettingsTest, RunningWineserverIsReportedNotSuccess) {
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    fixtures::FakeWineServer server(prefix.Dir());
    ASSERT_TRUE(server.Running());
    const std::string before = prefix.ReadHive(Hive::User);
    EXPECT_FALSE(ApplyRegeditLock(*services, host, true).ok());
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text, "Apply Successed!");
    EXPECT_EQ(prefix.ReadHive(Hive::User), before);
}

}  // namespace
}  // namespace repair
