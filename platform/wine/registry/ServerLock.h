#pragma once
// Whether a wineserver runs for a prefix: it holds an fcntl lock on the `lock` file of its
// server folder, server-<dev>-<ino> (the prefix folder's device and inode, in hex), kept in
//   /tmp/.wine-<uid>/                    by Wine as its authors build it;
//   /run/user/<uid>/wine/                by Debian's Wine when that folder exists, else
//   ${TMPDIR:-/tmp}/<name>/              where <name> is the text of <prefix>/wineserver,
//                                        a private folder Debian's Wine made for the prefix.
#include <string>
#include <vector>

namespace platform::wine::registry {

// The lock files a server of `prefixDir` may hold; empty when the folder cannot be read.
std::vector<std::string> ServerLockPaths(const std::string& prefixDir);

// True while a process holds the write lock on `lockPath`.
bool LockHeld(const std::string& lockPath);

// True while a server holds any of the lock files of `prefixDir`.
bool ServerRunning(const std::string& prefixDir);

}  // namespace platform::wine::registry
