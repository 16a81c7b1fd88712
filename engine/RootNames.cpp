#include "engine/RootNames.h"

#include <array>
#include <utility>

namespace engine {
namespace {

constexpr std::array<std::pair<platform::HKEY, std::string_view>, 6> kRoots{{
    {platform::HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
    {platform::HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {platform::HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
    {platform::HKEY_USERS, "HKEY_USERS"},
    {platform::HKEY_PERFORMANCE_DATA, "HKEY_PERFORMANCE_DATA"},
    {platform::HKEY_DYN_DATA, "HKEY_DYN_DATA"},
}};

}  // namespace

std::string_view RootName(platform::HKEY root) {
    for (const auto& [key, name] : kRoots)
        if (key == root) return name;
    return {};
}

std::string RootPrefix(platform::HKEY root) {
    const std::string_view name = RootName(root);
    return name.empty() ? std::string() : std::string(name) + '\\';
}

platform::HKEY RootFromName(std::string_view name) {
    for (const auto& [key, rootName] : kRoots)
        if (rootName == name) return key;
    return 0;
}

}  // namespace engine
