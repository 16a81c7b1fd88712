#include "ui/DemoCopy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDirIterator>
#include <QFileInfo>

#include "ui/PrefixChoice.h"

namespace ui {
namespace {

constexpr const char* kPattern = "drennow-demo-";
// The lock lives in a file of the folder: the kernel lets it go when its holder ends,
// however it ends.
constexpr const char* kLockName = ".in-use";

int OpenLock(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder + "/" + kLockName);
    return ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

}  // namespace

DemoCopy::DemoCopy(const QString& source, QString& error, const QString& tempRoot)
    : dir_(tempRoot + "/" + kPattern + "XXXXXX") {
    if (!dir_.isValid()) {
        error = "Cannot create a temporary folder for the demo prefix.";
        return;
    }
    // Locked before anything is copied, so no other start takes the copy for a stale one.
    lockFd_ = OpenLock(dir_.path());
    if (lockFd_ < 0 || ::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        error = "Cannot lock the temporary folder " + dir_.path() + " of the demo prefix.";
        return;
    }
    valid_ = CopyPrefix(source, PrefixDir(), error);
}

DemoCopy::~DemoCopy() {
    // The folder goes first (QTemporaryDir's destructor runs after this body would): while it
    // is being removed the lock still says it is in use.
    dir_.remove();
    if (lockFd_ >= 0) ::close(lockFd_);
}

void RemoveStaleDemoCopies(const QString& tempRoot) {
    QDirIterator entries(tempRoot, {QString(kPattern) + "*"},
                         QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        const QFileInfo folder(entries.next());
        if (folder.isSymLink() || !folder.isDir() || folder.ownerId() != ::getuid()) continue;
        const int fd = OpenLock(folder.filePath());
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) QDir(folder.filePath()).removeRecursively();
        ::close(fd);
    }
}

}  // namespace ui
