// The target Wine's IShellLinkA::GetPath reports after Load and Resolve.
#include <vector>

#include "platform/shelllink/ShellLink.h"

namespace platform::shelllink {
namespace {

// GetFullPathName's clean-up of a drive path: "/" as "\", empty and "." components
// dropped, ".." going up (never above the root). Other paths stay as they are.
std::u16string FullPath(std::u16string path) {
    for (auto& c : path)
        if (c == u'/') c = u'\\';
    if (path.size() < 3 || path[1] != u':' || path[2] != u'\\') return path;
    std::vector<std::u16string> parts;
    std::size_t start = 3;
    while (start <= path.size()) {
        std::size_t end = path.find(u'\\', start);
        if (end == std::u16string::npos) end = path.size();
        std::u16string part = path.substr(start, end - start);
        if (part == u"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(std::move(part));
        }
        start = end + 1;
    }
    std::u16string out = path.substr(0, 3);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out.push_back(u'\\');
        out += parts[i];
    }
    return out;
}

std::u16string Join(std::u16string_view folder, std::u16string_view name) {
    std::u16string out(folder);
    if (!out.empty() && out.back() != u'\\' && out.back() != u'/') out.push_back(u'\\');
    out += name;
    return out;
}

}  // namespace

std::u16string ChooseTarget(const ShellLinkData& link, std::u16string_view localBasePathW,
                            std::u16string_view linkFolder,
                            const std::function<bool(std::u16string_view)>& exists) {
    // An installer link has no file-system target; GetPath leaves the buffer untouched.
    if (!link.valid || link.advertised) return {};
    // Load: the LinkInfo path, even an empty one, decides.
    if (link.hasLocalBasePath) return std::u16string(localBasePathW);
    // Load: a relative path, found beside the shortcut, else in the working folder, else
    // kept as it is written.
    if (!link.relativePath.empty()) {
        std::u16string besideLink = FullPath(Join(linkFolder, link.relativePath));
        if (exists && exists(besideLink)) return besideLink;
        if (!link.workingDir.empty()) {
            std::u16string inWorkingDir = FullPath(Join(link.workingDir, link.relativePath));
            if (exists && exists(inWorkingDir)) return inWorkingDir;
        }
        return link.relativePath;
    }
    // Resolve: the path the ID list names.
    return link.idListPath;
}

}  // namespace platform::shelllink
