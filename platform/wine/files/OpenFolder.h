#pragma once
// The folder of the last directory search during a scan, kept open so that the files a walk
// then reads in it (shortcuts) are opened relative to it instead of by their whole host path,
// which the kernel would walk again, the prefix's drive link included, for every file.
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/wine/UnixFile.h"

namespace platform::wine::files {

class OpenFolder {
public:
    // Holds `fd` (owned from now on) as the open folder `hostDir`, closing the one held before.
    void Keep(std::string hostDir, int fd) {
        fd_ = std::make_unique<UnixFd>(fd);
        host_ = std::move(hostDir);
    }
    void Close() {
        fd_.reset();
        host_.clear();
    }
    // The descriptor of the held folder when it directly holds `hostPath`, with the name in
    // it; -1 otherwise.
    int FolderOf(std::string_view hostPath, std::string_view& name) const {
        if (!fd_ || hostPath.size() <= host_.size() + 1 || !hostPath.starts_with(host_) ||
            hostPath[host_.size()] != '/')
            return -1;
        name = hostPath.substr(host_.size() + 1);
        return name.find('/') == std::string_view::npos ? fd_->get() : -1;
    }

private:
    std::string host_;
    std::unique_ptr<UnixFd> fd_;
};

}  // namespace platform::wine::files
