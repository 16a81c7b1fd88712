#pragma once
// Whether a wineserver runs for a prefix: it holds an fcntl lock on the `lock` file of its
// server folder, /tmp/.wine-<uid>/server-<dev>-<ino>.
#include <string>

namespace platform::wine::registry {

// The lock file the server of `prefixDir` would hold; empty when the folder cannot be read.
std::string ServerLockPath(const std::string& prefixDir);

// True while a process holds the write lock on `lockPath`.
bool LockHeld(const std::string& lockPath);

}  // namespace platform::wine::registry
