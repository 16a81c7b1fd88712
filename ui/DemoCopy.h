#pragma once
// The fresh copy of the shipped demo prefix the program works on, in a temporary folder
// named drennow-demo-XXXXXX. The object removes it; a program that crashed or was killed
// cannot, so every start removes the copies no running program holds.
#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace ui {

class DemoCopy {
public:
    // Copies the demo prefix `source` below `tempRoot`; Valid() is false (with `error` set)
    // when that failed.
    DemoCopy(const QString& source, QString& error, const QString& tempRoot = QDir::tempPath());
    ~DemoCopy();
    DemoCopy(const DemoCopy&) = delete;
    DemoCopy& operator=(const DemoCopy&) = delete;

    bool Valid() const { return valid_; }
    QString PrefixDir() const { return dir_.filePath("demo-prefix"); }
    QString Folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    int lockFd_ = -1;  // holds the folder's lock while the copy is in use
    bool valid_ = false;
};

// Removes the demo copies below `tempRoot` that no running program holds (left by a crash
// or a kill); copies of other users, and links, are left alone.
void RemoveStaleDemoCopies(const QString& tempRoot = QDir::tempPath());

}  // namespace ui
