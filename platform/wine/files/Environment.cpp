#include "platform/wine/files/Environment.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

namespace platform::wine::files {
namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

struct RegValue {
    std::string name;
    DWORD type = 0;
    std::string data;  // string values without their terminating zeros
};

// Every value of an open key, in the registry's enumeration order.
std::vector<RegValue> ReadValues(Services& registry, HKEY root, const char* path) {
    std::vector<RegValue> values;
    HKEY key = 0;
    if (registry.RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    DWORD maxName = 0, maxData = 0;
    registry.RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &maxName, &maxData);
    std::vector<char> name(maxName + 2);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG status = registry.RegEnumValueA(key, index, name.data(), &nameLength, &type,
                                             data.data(), &dataLength);
        if (status == ERROR_MORE_DATA) {
            // The key changed under us or the sizes were off: grow and ask again.
            name.resize(std::max<std::size_t>(name.size() * 2, 1024));
            data.resize(std::max<std::size_t>(data.size(), dataLength + 2) * 2);
            --index;
            if (name.size() > (1u << 20) || data.size() > (1u << 26)) break;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        RegValue value;
        value.name.assign(name.data(), nameLength);
        value.type = type;
        value.data.assign(reinterpret_cast<const char*>(data.data()), dataLength);
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            value.data.resize(std::strlen(value.data.c_str()));  // up to the first zero
        }
        values.push_back(std::move(value));
    }
    registry.RegCloseKey(key);
    return values;
}

std::optional<std::string> ReadString(Services& registry, HKEY root, const char* path,
                                      std::string_view valueName) {
    for (auto& value : ReadValues(registry, root, path)) {
        if ((value.type == REG_SZ || value.type == REG_EXPAND_SZ) &&
            SameName(value.name, valueName))
            return std::move(value.data);
    }
    return std::nullopt;
}

// One registry environment key, applied as Wine applies it: later values override earlier
// ones, REG_EXPAND_SZ is expanded against what is set so far, PATH is appended to.
void AddRegistryVariables(Environment& env, Services& registry, HKEY root, const char* path) {
    for (const auto& value : ReadValues(registry, root, path)) {
        if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) continue;
        if (value.name.empty()) continue;
        std::string text = value.type == REG_EXPAND_SZ ? env.Expand(value.data) : value.data;
        if (SameName(value.name, "PATH")) {
            if (auto existing = env.Get("PATH"); existing && !existing->empty())
                text = *existing + ";" + text;
        }
        env.Set(value.name, std::move(text));
    }
}

// The host name as Wine's ComputerName: up to the first dot, upper case, at most 15 chars.
std::string ComputerName() {
    char host[256] = {};
    if (::gethostname(host, sizeof(host) - 1) != 0 || !host[0]) return "WINE";
    std::string name(host);
    name = name.substr(0, name.find('.'));
    if (name.size() > 15) name.resize(15);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace

std::string ProfileUserName(const std::string& prefixDir, const std::string& hostUser) {
    struct DirCloser {
        void operator()(DIR* d) const { ::closedir(d); }
    };
    std::vector<std::string> names;
    const std::string users = prefixDir + "/drive_c/users";
    if (std::unique_ptr<DIR, DirCloser> dir(::opendir(users.c_str())); dir) {
        while (const dirent* entry = ::readdir(dir.get())) {
            std::string name = entry->d_name;
            if (name == "." || name == ".." || SameName(name, "Public")) continue;
            struct stat st {};
            if (::stat((users + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                names.push_back(std::move(name));
        }
    }
    if (std::find(names.begin(), names.end(), hostUser) != names.end()) return hostUser;
    if (!names.empty()) return *std::min_element(names.begin(), names.end());
    return hostUser.empty() ? std::string("user") : hostUser;
}

Environment Environment::Build(const std::string& prefixDir, Services& registry,
                               const std::string& hostUser, bool wow64) {
    Environment env;
    // The variables ntdll sets before it reads the registry.
    env.Set("SystemDrive", "C:");
    env.Set("SystemRoot", "C:\\windows");

    AddRegistryVariables(env, registry, HKEY_LOCAL_MACHINE,
                         "System\\CurrentControlSet\\Control\\Session Manager\\Environment");
    if (wow64) {
        env.Set("PROCESSOR_ARCHITEW6432", env.Get("PROCESSOR_ARCHITECTURE").value_or("AMD64"));
        env.Set("PROCESSOR_ARCHITECTURE", "x86");
    }

    const char* profileList = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
    const std::string programData =
        env.Expand(ReadString(registry, HKEY_LOCAL_MACHINE, profileList, "ProgramData")
                       .value_or("C:\\ProgramData"));
    env.Set("ALLUSERSPROFILE", programData);
    env.Set("ProgramData", programData);
    env.Set("PUBLIC", env.Expand(ReadString(registry, HKEY_LOCAL_MACHINE, profileList, "Public")
                                     .value_or("C:\\users\\Public")));

    // Folders of programs: a 64-bit process (ours lives in C:\Program Files) sees its own,
    // a 32-bit one the "(x86)" folders under the plain names.
    const char* currentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
    auto folder = [&](std::string_view value, const char* fallback) {
        return ReadString(registry, HKEY_LOCAL_MACHINE, currentVersion, value).value_or(fallback);
    };
    const std::string programFiles = folder("ProgramFilesDir", "C:\\Program Files");
    const std::string commonFiles = folder("CommonFilesDir", "C:\\Program Files\\Common Files");
    const std::string programFiles32 = folder("ProgramFilesDir (x86)", "C:\\Program Files (x86)");
    const std::string commonFiles32 =
        folder("CommonFilesDir (x86)", "C:\\Program Files (x86)\\Common Files");
    env.Set("ProgramFiles(x86)", programFiles32);
    env.Set("ProgramW6432", programFiles);
    env.Set("CommonProgramFiles(x86)", commonFiles32);
    env.Set("CommonProgramW6432", commonFiles);
    env.Set("ProgramFiles", wow64 ? programFiles32 : programFiles);
    env.Set("CommonProgramFiles", wow64 ? commonFiles32 : commonFiles);

    const std::string computer = ComputerName();
    env.Set("COMPUTERNAME", computer);

    AddRegistryVariables(env, registry, HKEY_CURRENT_USER, "Environment");

    // HKCU\Volatile Environment: never in the hive files, made by wineboot at each start.
    const std::string user = ProfileUserName(prefixDir, hostUser);
    const std::string profile = "C:\\users\\" + user;
    env.Set("APPDATA", profile + "\\AppData\\Roaming");
    env.Set("CLIENTNAME", "Console");
    env.Set("HOMEDRIVE", "C:");
    env.Set("HOMEPATH", "\\users\\" + user);
    env.Set("LOCALAPPDATA", profile + "\\AppData\\Local");
    env.Set("LOGONSERVER", "\\\\" + computer);
    env.Set("SESSIONNAME", "Console");
    env.Set("USERDOMAIN", computer);
    env.Set("USERNAME", user);
    env.Set("USERPROFILE", profile);
    return env;
}

std::vector<std::pair<std::string, std::string>>::iterator Environment::FindVar(
    std::string_view name) {
    return std::find_if(vars_.begin(), vars_.end(),
                        [&](const auto& var) { return SameName(var.first, name); });
}

std::optional<std::string> Environment::Get(std::string_view name) const {
    for (const auto& var : vars_)
        if (SameName(var.first, name)) return var.second;
    return std::nullopt;
}

void Environment::Set(std::string_view name, std::string value) {
    if (auto it = FindVar(name); it != vars_.end()) {
        it->second = std::move(value);
        return;
    }
    vars_.emplace_back(std::string(name), std::move(value));
}

std::string Environment::Expand(std::string_view source) const {
    std::string out;
    out.reserve(source.size());
    std::size_t pos = 0;
    while (pos < source.size()) {
        if (source[pos] != '%') {
            const std::size_t next = source.find('%', pos);
            const std::size_t end = next == std::string_view::npos ? source.size() : next;
            out.append(source.substr(pos, end - pos));
            pos = end;
            continue;
        }
        const std::size_t close = source.find('%', pos + 1);
        if (close == std::string_view::npos) {  // unterminated: copied as written
            out.append(source.substr(pos));
            break;
        }
        const std::string_view name = source.substr(pos + 1, close - pos - 1);
        if (auto value = name.empty() ? std::nullopt : Get(name)) {
            out.append(*value);
        } else {
            out.append(source.substr(pos, close - pos + 1));  // unknown: "%NAME%" stays
        }
        pos = close + 1;
    }
    return out;
}

DWORD CopyExpanded(const std::string& expanded, char* destination, DWORD size) {
    const DWORD needed = static_cast<DWORD>(expanded.size() + 1);
    if (destination && size > 0) {
        const std::size_t count = std::min<std::size_t>(expanded.size(), size - 1);
        std::memcpy(destination, expanded.data(), count);
        destination[count] = '\0';
    }
    return needed;
}

}  // namespace platform::wine::files
