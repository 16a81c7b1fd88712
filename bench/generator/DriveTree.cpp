#include "bench/generator/DriveTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unordered_set>

#include "platform/shelllink/ShellLink.h"

namespace bench::generator {
namespace {

class Writer {
public:
    explicit Writer(std::string root) : root_(std::move(root)) {}

    std::string HostPath(std::string_view windowsPath) const {
        std::string host = root_;
        host.push_back('/');
        for (char c : windowsPath.substr(3)) host.push_back(c == '\\' ? '/' : c);
        return host;
    }

    void Write(std::string_view windowsPath, std::string_view bytes) {
        const std::string host = HostPath(windowsPath);
        MakeFolders(host.substr(0, host.rfind('/')));
        const int fd =
            ::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) Fail(host);
        const bool ok = bytes.empty() || ::write(fd, bytes.data(), bytes.size()) ==
                                             static_cast<ssize_t>(bytes.size());
        ::close(fd);
        if (!ok) Fail(host);
        ++counts.files;
    }

    DriveTreeCounts counts;

private:
    // Folders are made once each; the set remembers which exist already.
    void MakeFolders(const std::string& folder) {
        if (folder.size() <= root_.size() || made_.count(folder)) return;
        MakeFolders(folder.substr(0, folder.rfind('/')));
        if (::mkdir(folder.c_str(), 0755) == 0) ++counts.folders;
        else if (errno != EEXIST) Fail(folder);
        made_.insert(folder);
    }
    [[noreturn]] static void Fail(const std::string& path) {
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    }

    std::string root_;
    std::unordered_set<std::string> made_;
};

std::string_view ContentFor(std::string_view path) {
    if (path.size() > 4 &&
        (path.substr(path.size() - 4) == ".exe" || path.substr(path.size() - 4) == ".dll"))
        return "MZ";
    return {};
}

}  // namespace

DriveTreeCounts WriteDriveTree(const std::string& driveC, const FilePlan& plan) {
    Writer writer(driveC);
    for (const std::string& file : plan.files) writer.Write(file, ContentFor(file));
    for (const ShortcutPlan& shortcut : plan.shortcuts) {
        platform::shelllink::ShellLinkRecipe link;
        link.target = shortcut.target;
        const std::vector<std::uint8_t> bytes = platform::shelllink::WriteShellLink(link);
        writer.Write(shortcut.path,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        ++writer.counts.shortcuts;
    }
    return writer.counts;
}

}  // namespace bench::generator
