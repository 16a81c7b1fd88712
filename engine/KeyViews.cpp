#include "engine/KeyViews.h"

#include <algorithm>

#include "platform/codepage/Ascii.h"
#include "platform/codepage/Codepage.h"

namespace engine {
namespace {

using platform::codepage::StartsWithNoCase;

constexpr std::string_view kNode = "Wow6432Node\\";

// "SOFTWARE\X" -> "SOFTWARE\Wow6432Node\X" below HKLM, "CLSID" -> "Wow6432Node\CLSID" below
// HKCR; empty for any other key.
std::string Counterpart(platform::HKEY root, std::string_view key) {
    constexpr std::string_view kSoftware = "SOFTWARE\\";
    if (root == platform::HKEY_LOCAL_MACHINE && key.size() > kSoftware.size() &&
        StartsWithNoCase(key, kSoftware) && !StartsWithNoCase(key.substr(kSoftware.size()), kNode))
        return std::string(key.substr(0, kSoftware.size())) + std::string(kNode) +
               std::string(key.substr(kSoftware.size()));
    if (root == platform::HKEY_CLASSES_ROOT && platform::codepage::EqualsNoCase(key, "CLSID"))
        return std::string(kNode) + std::string(key);
    return {};
}

// `key` is `start` or lies below it.
bool Inside(std::string_view key, std::string_view start) {
    return StartsWithNoCase(key, start) &&
           (key.size() == start.size() || key[start.size()] == '\\');
}

// The identity of the key `path` opens below `root`; zero when it cannot be opened.
std::uint64_t IdentityOf(platform::Services& services, platform::HKEY root,
                         const std::string& path) {
    platform::HKEY opened = 0;
    if (services.RegOpenKeyExA(root, path.c_str(), 0, platform::KEY_READ, &opened) !=
        platform::ERROR_SUCCESS)
        return 0;
    const OpenKey key(services, opened);
    return services.RegKeyIdentity(key.get());
}

// The counterpart is a key of its own: it exists, no key on its path is a link, and it is not
// the start key itself (Windows shows the keys both views share under both paths, without a
// link).
bool OwnKey(platform::Services& services, platform::HKEY root, const std::string& start,
            const std::string& counterpart) {
    OpenKey parent(services);
    for (std::size_t from = 0; from < counterpart.size();) {
        std::size_t to = counterpart.find('\\', from);
        if (to == std::string::npos) to = counterpart.size();
        const std::u16string name =
            platform::codepage::AnsiToUtf16(counterpart.substr(from, to - from));
        const platform::HKEY above = parent.get() ? parent.get() : root;
        platform::HKEY child = 0;
        if (IsLinkKey(services, above, name.c_str()) ||
            services.RegOpenKeyExW(above, name.c_str(), 0, platform::KEY_READ, &child) !=
                platform::ERROR_SUCCESS)
            return false;
        parent.Reset(child);
        from = to + 1;
    }
    const std::uint64_t own = services.RegKeyIdentity(parent.get());
    return own == 0 || own != IdentityOf(services, root, start);
}

}  // namespace

bool IsWow64KeyPath(std::string_view keyPath) {
    constexpr std::string_view kNode = "wow6432node";
    // "6432" is rare in key names: find it first, then look at the whole component.
    for (std::size_t at = keyPath.find("6432"); at != std::string_view::npos;
         at = keyPath.find("6432", at + 1)) {
        if (at < 3) continue;
        const std::size_t begin = at - 3;
        const std::size_t end = begin + kNode.size();
        if (end > keyPath.size()) return false;
        if ((begin == 0 || keyPath[begin - 1] == '\\') &&
            (end == keyPath.size() || keyPath[end] == '\\') &&
            platform::codepage::EqualsNoCase(keyPath.substr(begin, kNode.size()), kNode))
            return true;
    }
    return false;
}

bool IsLinkKey(platform::Services& services, platform::HKEY parent, const platform::WCHAR* name) {
    platform::HKEY opened = 0;
    if (services.RegOpenKeyExW(parent, name, platform::REG_OPTION_OPEN_LINK,
                               platform::KEY_QUERY_VALUE, &opened) != platform::ERROR_SUCCESS)
        return false;
    const OpenKey key(services, opened);
    platform::DWORD type = 0;
    return services.RegQueryValueExA(key.get(), "SymbolicLinkValue", &type, nullptr, nullptr) ==
               platform::ERROR_SUCCESS &&
           type == platform::REG_LINK;
}

std::vector<std::string> StartKeysWithCounterparts(platform::Services& services,
                                                   platform::HKEY root,
                                                   std::span<const char* const> startKeys) {
    std::vector<std::string> keys;
    for (const char* start : startKeys) {
        keys.emplace_back(start);
        const std::string counterpart = Counterpart(root, start);
        if (counterpart.empty()) continue;
        const bool listed = std::any_of(startKeys.begin(), startKeys.end(), [&](const char* other) {
            return Inside(counterpart, other);
        });
        if (!listed && OwnKey(services, root, start, counterpart)) keys.push_back(counterpart);
    }
    return keys;
}

}  // namespace engine
