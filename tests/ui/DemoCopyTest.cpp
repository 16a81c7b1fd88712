// The demo prefix's temporary copies: a copy in use is kept, what a crashed run left is
// removed at the next start.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ui/DemoCopy.h"
#include "ui/PrefixChoice.h"

namespace {

TEST(DemoCopy, StaleCopiesGoAndCopiesInUseStay) {
    const QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QString error;
    auto live = std::make_unique<ui::DemoCopy>(ui::DemoPrefixSource(), error, root.path());
    ASSERT_TRUE(live->Valid()) << error.toStdString();
    EXPECT_TRUE(QFile::exists(live->PrefixDir() + "/system.reg"));

    const QDir dir(root.path());
    const struct {
        const char* name;
        bool lockFile;  // the file a copy's lock is held on (nobody holds it here)
        bool kept;
    } entries[] = {
        {"drennow-demo-crashed", true, false},
        {"drennow-demo-nolock", false, false},
        {"drennow-other", false, true},
    };
    for (const auto& entry : entries) {
        ASSERT_TRUE(dir.mkpath(QString(entry.name) + "/demo-prefix"));
        if (entry.lockFile) {
            QFile lock(dir.filePath(QString(entry.name) + "/.in-use"));
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        }
    }
    ASSERT_TRUE(QFile::link(dir.filePath("drennow-other"), dir.filePath("drennow-demo-link")));

    ui::RemoveStaleDemoCopies(root.path());
    for (const auto& entry : entries) EXPECT_EQ(dir.exists(entry.name), entry.kept) << entry.name;
    EXPECT_TRUE(QFileInfo(dir.filePath("drennow-demo-link")).isSymLink());
    EXPECT_TRUE(QFile::exists(live->PrefixDir() + "/system.reg")) << "a copy in use was removed";

    const QString folder = live->Folder();
    live.reset();
    EXPECT_FALSE(QFileInfo::exists(folder));
}

}  // namespace
