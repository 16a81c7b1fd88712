#include "platform/wine/registry/Registry.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

#include "fmt/format.h"
#include "platform/codepage/Codepage.h"
#include "platform/wine/PrefixOwner.h"
#include "platform/wine/registry/HiveFiles.h"
#include "platform/wine/registry/HiveModel.h"
#include "platform/wine/registry/NameOrder.h"
#include "platform/wine/registry/ServerLock.h"

namespace platform::wine {

using registry::Hive;
using registry::Key;
using registry::Value;

namespace {

// Hands out a name and its terminating zero in a caller's buffer of *length units, as the
// enumerations do: ERROR_MORE_DATA when it does not fit, else its length without the zero.
template <class Char>
LONG PutName(std::basic_string_view<Char> text, Char* out, DWORD* length) {
    if (text.size() + 1 > *length) return ERROR_MORE_DATA;
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = Char{};
    *length = static_cast<DWORD>(text.size());
    return ERROR_SUCCESS;
}

constexpr int kMaxDepth = static_cast<int>(registry::kMaxKeyDepth);
// Wine's server follows a link met inside a link's target at most this many times deep; a
// chain of more links fails to open, as it does there.
constexpr int kMaxLinkNesting = 16;
constexpr const char* kDefaultSid = "S-1-5-21-0-0-0-1000";

enum HiveIndex { kSystem = 0, kUser = 1, kUserDefault = 2 };

// Where an open handle points: a key of a hive, or HKEY_USERS itself (which is no hive's key:
// it holds ".Default" and the user's SID).
struct Place {
    Key* key = nullptr;
    Hive* hive = nullptr;
    bool users = false;
    bool valid() const { return key != nullptr || users; }
};

struct Handle {
    Place place;
    DWORD access = KEY_ALL_ACCESS;
};

std::vector<std::u16string> SplitPath(std::u16string_view path) {
    std::vector<std::u16string> parts;
    std::size_t from = 0;
    while (from <= path.size()) {
        std::size_t to = path.find(u'\\', from);
        if (to == std::u16string_view::npos) to = path.size();
        if (to > from) parts.emplace_back(path.substr(from, to - from));
        from = to + 1;
    }
    return parts;
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    return registry::CompareNames(a, b) == 0;
}

// The types whose data the A calls give and take in the ANSI code page (stored as UTF-16).
bool ConvertedByACalls(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::u16string Units(const std::vector<std::uint8_t>& data) {
    std::u16string out(data.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return out;
}

// The data of a value as the A calls return it: string types in the ANSI code page.
std::string AnsiData(const Value& v) {
    if (ConvertedByACalls(v.type)) return codepage::Utf16ToAnsi(Units(registry::DataBytes(v)));
    return std::string(v.stored);
}

}  // namespace

struct Registry::Impl {
    std::string dir;
    std::string sid = kDefaultSid;
    Hive hives[3];
    std::unordered_map<HKEY, Handle> handles;
    HKEY nextHandle = 0x1000;
    // The key above the last component of the latest OpenExisting.
    struct Parent {
        bool valid = false;
        HKEY root = 0;
        std::u16string path;
        Place place;
        int depth = 0;
    } parent_;

    // ---- Places and paths -------------------------------------------------------------
    Place HiveRoot(int index) { return {hives[index].root, &hives[index], false}; }

    LONG Root(HKEY key, Place& place, DWORD* access = nullptr) {
        if (access) *access = KEY_ALL_ACCESS;
        switch (key) {
        case HKEY_LOCAL_MACHINE: place = HiveRoot(kSystem); return ERROR_SUCCESS;
        case HKEY_CURRENT_USER: place = HiveRoot(kUser); return ERROR_SUCCESS;
        case HKEY_USERS: place = {nullptr, nullptr, true}; return ERROR_SUCCESS;
        case HKEY_CLASSES_ROOT: return Walk(HiveRoot(kSystem), u"Software\\Classes", false, place);
        case HKEY_CURRENT_CONFIG:
            return Walk(HiveRoot(kSystem), u"System\\CurrentControlSet\\Hardware Profiles\\Current",
                        false, place);
        case HKEY_PERFORMANCE_DATA:
        case HKEY_DYN_DATA: return ERROR_FILE_NOT_FOUND;
        default: {
            auto it = handles.find(key);
            if (it == handles.end()) return ERROR_INVALID_HANDLE;
            place = it->second.place;
            if (access) *access = it->second.access;
            return ERROR_SUCCESS;
        }
        }
    }

    // The place a link key points to: an absolute path below \Registry. `nesting` counts the
    // links whose targets led here.
    LONG FollowLink(const Key& link, bool create, int& depth, int nesting, Place& out) {
        if (nesting >= kMaxLinkNesting) return ERROR_FILE_NOT_FOUND;
        const Value* target = nullptr;
        for (const Value& v : link.values)
            if (EqualNoCase(v.name, u"SymbolicLinkValue") && v.type == REG_LINK) target = &v;
        if (!target) return ERROR_FILE_NOT_FOUND;
        std::u16string path = Units(registry::DataBytes(*target));
        while (!path.empty() && path.back() == u'\0') path.pop_back();
        std::vector<std::u16string> parts = SplitPath(path);
        if (parts.size() < 2 || !EqualNoCase(parts[0], u"Registry")) return ERROR_FILE_NOT_FOUND;
        std::size_t skip = 2;
        Place start;
        if (EqualNoCase(parts[1], u"Machine")) {
            start = HiveRoot(kSystem);
        } else if (EqualNoCase(parts[1], u"User") && parts.size() >= 3) {
            if (EqualNoCase(parts[2], u".Default")) start = HiveRoot(kUserDefault);
            else if (EqualNoCase(parts[2], codepage::AnsiToUtf16(sid))) start = HiveRoot(kUser);
            else return ERROR_FILE_NOT_FOUND;
            skip = 3;
        } else {
            return ERROR_FILE_NOT_FOUND;
        }
        parts.erase(parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(skip));
        return WalkParts(start, parts, create, depth, out, nesting + 1);
    }

    // `openLink`: a link met as the last part is opened itself (REG_OPTION_OPEN_LINK), not
    // followed; links met before it are followed all the same, as in Wine.
    LONG WalkParts(Place place, const std::vector<std::u16string>& parts, bool create, int& depth,
                   Place& out, int nesting = 0, bool openLink = false) {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const std::u16string& part = parts[i];
            if (++depth > kMaxDepth) return ERROR_FILE_NOT_FOUND;
            if (place.users) {
                if (EqualNoCase(part, u".Default")) place = HiveRoot(kUserDefault);
                else if (EqualNoCase(part, codepage::AnsiToUtf16(sid))) place = HiveRoot(kUser);
                else return create ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
                continue;
            }
            Key* child = place.key->FindChild(part);
            if (!child) {
                if (!create) return ERROR_FILE_NOT_FOUND;
                const std::uint64_t now = registry::FileTimeNow();
                place.key->MarkChanged(now);
                child = &place.key->AddChild(part, *place.hive->store);
                child->MarkChanged(now);
                place.hive->changed = true;
            }
            place.key = child;
            if (child->isLink && !(openLink && i + 1 == parts.size())) {
                Place target;
                if (LONG rc = FollowLink(*child, create, depth, nesting, target);
                    rc != ERROR_SUCCESS)
                    return rc;
                place = target;
            }
        }
        out = place;
        return ERROR_SUCCESS;
    }

    LONG Walk(Place from, std::u16string_view path, bool create, Place& out) {
        int depth = 0;
        return WalkParts(from, SplitPath(path), create, depth, out);
    }

    // An open without creating below a predefined root. A walk opens the children of one key
    // one after the other, so the key above the last component is remembered: every other
    // open then finds one name instead of walking the whole path again. Keys are never
    // removed and links never change, so a remembered key stays where its path leads.
    LONG OpenExisting(HKEY key, std::u16string_view path, bool openLink, Place& out) {
        const std::size_t split = path.rfind(u'\\');
        const std::u16string_view last =
            split == std::u16string_view::npos ? path : path.substr(split + 1);
        Place parent;
        int depth = 0;
        if (split != std::u16string_view::npos && parent_.valid && parent_.root == key &&
            parent_.path == path.substr(0, split)) {
            parent = parent_.place;
            depth = parent_.depth;
        } else {
            if (LONG rc = Root(key, parent); rc != ERROR_SUCCESS) return rc;
            if (split != std::u16string_view::npos) {
                if (LONG rc =
                        WalkParts(parent, SplitPath(path.substr(0, split)), false, depth, parent);
                    rc != ERROR_SUCCESS)
                    return rc;
                parent_ = {true, key, std::u16string(path.substr(0, split)), parent, depth};
            }
        }
        return WalkParts(parent, SplitPath(last), false, depth, out, 0, openLink);
    }

    LONG Open(HKEY key, std::u16string_view path, bool create, DWORD access, HKEY* result,
              bool openLink = false) {
        if (!result) return ERROR_INVALID_PARAMETER;
        Place place;
        if (!create && key >= HKEY_CLASSES_ROOT && key <= HKEY_DYN_DATA) {
            if (LONG rc = OpenExisting(key, path, openLink, place); rc != ERROR_SUCCESS) return rc;
            return NewHandle(place, access, result);
        }
        Place base;
        DWORD baseAccess = 0;
        if (LONG rc = Root(key, base, &baseAccess); rc != ERROR_SUCCESS) return rc;
        if (create && !(baseAccess & KEY_CREATE_SUB_KEY)) {
            Place existing;
            if (Walk(base, path, false, existing) != ERROR_SUCCESS) return ERROR_ACCESS_DENIED;
        }
        int depth = 0;
        if (LONG rc = WalkParts(base, SplitPath(path), create, depth, place, 0, openLink);
            rc != ERROR_SUCCESS)
            return rc;
        return NewHandle(place, access, result);
    }

    LONG NewHandle(const Place& place, DWORD access, HKEY* result) {
        const HKEY handle = nextHandle;
        nextHandle += 4;
        handles[handle] = {place, access};
        *result = handle;
        return ERROR_SUCCESS;
    }

    LONG Writable(HKEY key, Place& place) {
        DWORD access = 0;
        if (LONG rc = Root(key, place, &access); rc != ERROR_SUCCESS) return rc;
        if (!place.key || !(access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
        return ERROR_SUCCESS;
    }

    // ---- Files ----------------------------------------------------------------------------
    Status Problems() const {
        for (const Hive& hive : hives)
            if (!hive.problem.empty())
                return {ERROR_REGISTRY_CORRUPT,
                        "The registry file cannot be written safely: " + hive.problem +
                            ". Drennow only reads this prefix; fix the file or let Wine "
                            "rewrite it (start and stop a program in the prefix)."};
        return {};
    }

    bool ServerRunning() const { return registry::ServerRunning(dir); }
};

Registry::Registry() : impl_(std::make_unique<Impl>()) {}
Registry::~Registry() = default;

std::unique_ptr<Registry> Registry::Load(const std::string& prefixDir, Status& status) {
    std::unique_ptr<Registry> reg(new Registry());
    Impl& impl = *reg->impl_;
    impl.dir = prefixDir;
    static constexpr const char* kFiles[3] = {"system.reg", "user.reg", "userdef.reg"};
    static constexpr const char* kBranches[3] = {"Machine", "User", "User\\.Default"};
    Status loaded[3];
    auto load = [&](int i) {
        Hive& hive = impl.hives[i];
        hive.fileName = kFiles[i];
        hive.path = prefixDir + "/" + kFiles[i];
        hive.branch = kBranches[i];
        loaded[i] = registry::ReadHiveFile(hive);
        if (!loaded[i].ok()) return;
        std::string error;
        if (!registry::ParseHive(hive, error))
            loaded[i] = {ERROR_BADDB, error + ". The prefix was not opened."};
    };
    // The two user hives are read while system.reg is: each hive has its own tree, store and
    // status, and the thread is joined before any of them is looked at.
    std::exception_ptr usersFailed;  // thrown on the thread, rethrown here once it is joined
    {
        auto loadUsers = [&load, &usersFailed] {
            try {
                load(kUser);
                load(kUserDefault);
            } catch (...) {
                usersFailed = std::current_exception();
            }
        };
        std::jthread users;
        try {
            users = std::jthread(loadUsers);
        } catch (const std::system_error&) {  // no thread to be had: one after the other
            loadUsers();
        }
        load(kSystem);
    }
    if (usersFailed) std::rethrow_exception(usersFailed);
    // The first file's failure, as when they were read in turn.
    for (const Status& s : loaded)
        if (!s.ok()) {
            status = s;
            return nullptr;
        }
    // The user's SID, from the header comment of user.reg.
    const std::string_view header = impl.hives[kUser].header;
    const std::size_t at = header.find("User\\\\S-");
    if (at != std::string_view::npos) {
        std::size_t end = at + 6;
        while (end < header.size() && header[end] != '\n' && header[end] != '\r') ++end;
        impl.sid = std::string(header.substr(at + 6, end - at - 6));
        impl.hives[kUser].branch = "User\\" + impl.sid;
    }
    status = Status::Success();
    return reg;
}

namespace {
std::u16string Wide(const char* ansi) { return codepage::AnsiToUtf16(ansi ? ansi : ""); }
std::u16string_view Wide(const WCHAR* text) { return text ? std::u16string_view(text) : u""; }
}  // namespace

LONG Registry::RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD samDesired,
                             HKEY* result) {
    return impl_->Open(key, Wide(subKey), false, samDesired, result,
                       (options & REG_OPTION_OPEN_LINK) != 0);
}

LONG Registry::RegOpenKeyExW(HKEY key, const WCHAR* subKey, DWORD options, DWORD samDesired,
                             HKEY* result) {
    return impl_->Open(key, Wide(subKey), false, samDesired, result,
                       (options & REG_OPTION_OPEN_LINK) != 0);
}

LONG Registry::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
    return impl_->Open(key, Wide(subKey), true, KEY_ALL_ACCESS, result);
}

LONG Registry::RegCreateKeyW(HKEY key, const WCHAR* subKey, HKEY* result) {
    return impl_->Open(key, Wide(subKey), true, KEY_ALL_ACCESS, result);
}

LONG Registry::RegCloseKey(HKEY key) {
    if (key >= HKEY_CLASSES_ROOT && key <= HKEY_DYN_DATA) return ERROR_SUCCESS;
    return impl_->handles.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

std::string_view Registry::Architecture() const {
    const std::string_view header = impl_->hives[kSystem].header;
    const std::size_t at = header.find("\n#arch=");
    if (at == std::string_view::npos) return {};
    const std::string_view rest = header.substr(at + 7);
    return rest.substr(0, rest.find_first_of("\r\n"));
}

std::uint64_t Registry::RegKeyIdentity(HKEY key) {
    Place place;
    if (impl_->Root(key, place) != ERROR_SUCCESS || !place.key) return 0;
    // Keys are never removed while the registry is loaded, so a key's address names it.
    return reinterpret_cast<std::uintptr_t>(place.key);
}

LONG Registry::RegQueryInfoKeyA(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLen, DWORD* values,
                                DWORD* maxValueNameLen, DWORD* maxValueLen) {
    Place place;
    if (LONG rc = impl_->Root(key, place); rc != ERROR_SUCCESS) return rc;
    DWORD nSub = 0, maxSub = 0, nVal = 0, maxName = 0, maxData = 0;
    if (place.users) {
        nSub = 2;
        maxSub = static_cast<DWORD>(std::max<std::size_t>(8, impl_->sid.size()));
    } else {
        // The maxima cost a pass over the key; a walk asks only for the counts.
        nSub = static_cast<DWORD>(place.key->children.size());
        if (maxSubKeyLen)
            for (const auto& child : place.key->children)
                maxSub = std::max<DWORD>(maxSub, static_cast<DWORD>(child->name.size()));
        nVal = static_cast<DWORD>(place.key->values.size());
        for (const Value& v : place.key->values) {
            if (maxValueNameLen)
                maxName = std::max<DWORD>(maxName, static_cast<DWORD>(v.name.size()));
            if (maxValueLen)
                maxData = std::max<DWORD>(maxData, static_cast<DWORD>(registry::DataSize(v)));
        }
    }
    if (subKeys) *subKeys = nSub;
    if (maxSubKeyLen) *maxSubKeyLen = maxSub;
    if (values) *values = nVal;
    if (maxValueNameLen) *maxValueNameLen = maxName;
    if (maxValueLen) *maxValueLen = maxData;
    return ERROR_SUCCESS;
}

// The name of subkey `index` as stored; false when there is none.
bool Registry::SubkeyName(HKEY key, DWORD index, std::u16string& name, LONG& status) {
    Place place;
    if (status = impl_->Root(key, place); status != ERROR_SUCCESS) return false;
    status = ERROR_NO_MORE_ITEMS;
    if (place.users) {
        // Sorted as Wine sorts: ".Default" before "S-...".
        if (index == 0) name = u".Default";
        else if (index == 1) name = codepage::AnsiToUtf16(impl_->sid);
        else return false;
    } else {
        if (index >= place.key->children.size()) return false;
        name = place.key->children[index]->name;
    }
    status = ERROR_SUCCESS;
    return true;
}

LONG Registry::RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength) {
    if (!name || !nameLength) return ERROR_INVALID_PARAMETER;
    std::u16string stored;
    LONG status = ERROR_SUCCESS;
    if (!SubkeyName(key, index, stored, status)) return status;
    return PutName<char>(codepage::Utf16ToAnsi(stored), name, nameLength);
}

LONG Registry::RegEnumKeyExW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength) {
    if (!name || !nameLength) return ERROR_INVALID_PARAMETER;
    std::u16string stored;
    LONG status = ERROR_SUCCESS;
    if (!SubkeyName(key, index, stored, status)) return status;
    return PutName<WCHAR>(stored, name, nameLength);
}

namespace {

// Copies a value out as the A calls do: the name (when asked), the type, and the data with
// ERROR_MORE_DATA and the needed length when the buffer is too small.
LONG CopyValue(const Value& v, char* name, DWORD* nameLength, DWORD* type, BYTE* data,
               DWORD* dataLength) {
    if (name) {
        // One "A" character per UTF-16 unit, written straight into the caller's buffer.
        const std::size_t length = v.name.size();
        if (!nameLength || length + 1 > *nameLength) return ERROR_MORE_DATA;
        for (std::size_t i = 0; i < length; ++i) name[i] = codepage::UnitToAnsi(v.name[i]);
        name[length] = '\0';
        *nameLength = static_cast<DWORD>(length);
    }
    if (type) *type = v.type;
    if (!dataLength) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    // Simple ASCII text is its own "A" text: copied from the file's text. With room for the
    // whole escaped text (the usual case), it is copied and checked in one pass; text that
    // turns out not to be simple is converted below, over what was copied.
    if (v.inText && data && v.stored.size() < *dataLength) {
        const std::size_t length =
            registry::CopySimpleText(v.stored, reinterpret_cast<char*>(data));
        if (length != std::string_view::npos) {
            data[length] = 0;
            *dataLength = static_cast<DWORD>(length + 1);
            return ERROR_SUCCESS;
        }
    } else if (const std::size_t length =
                   v.inText ? registry::SimpleTextLength(v.stored) : std::string_view::npos;
               length != std::string_view::npos) {
        const DWORD needed = static_cast<DWORD>(length + 1);
        if (data && *dataLength < needed) {
            *dataLength = needed;
            return ERROR_MORE_DATA;
        }
        if (data) {
            registry::CopySimpleText(v.stored, reinterpret_cast<char*>(data));
            data[length] = 0;
        }
        *dataLength = needed;
        return ERROR_SUCCESS;
    }
    const std::string bytes = AnsiData(v);
    const DWORD needed = static_cast<DWORD>(bytes.size());
    if (data && *dataLength < needed) {
        *dataLength = needed;
        return ERROR_MORE_DATA;
    }
    if (data) std::memcpy(data, bytes.data(), bytes.size());
    *dataLength = needed;
    return ERROR_SUCCESS;
}

}  // namespace

LONG Registry::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type,
                             BYTE* data, DWORD* dataLength) {
    if (!name || !nameLength) return ERROR_INVALID_PARAMETER;
    Place place;
    if (LONG rc = impl_->Root(key, place); rc != ERROR_SUCCESS) return rc;
    if (place.users || index >= place.key->values.size()) return ERROR_NO_MORE_ITEMS;
    return CopyValue(place.key->values[index], name, nameLength, type, data, dataLength);
}

LONG Registry::RegEnumValueW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength, DWORD* type,
                             BYTE* data, DWORD* dataLength) {
    if (!name || !nameLength) return ERROR_INVALID_PARAMETER;
    Place place;
    if (LONG rc = impl_->Root(key, place); rc != ERROR_SUCCESS) return rc;
    if (place.users || index >= place.key->values.size()) return ERROR_NO_MORE_ITEMS;
    const Value& v = place.key->values[index];
    if (LONG rc = PutName<WCHAR>(v.name, name, nameLength); rc != ERROR_SUCCESS) return rc;
    if (type) *type = v.type;
    if (!dataLength) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    // The W calls hand out the data as stored: strings in UTF-16.
    const std::vector<std::uint8_t> bytes = registry::DataBytes(v);
    const DWORD needed = static_cast<DWORD>(bytes.size());
    if (data && *dataLength < needed) {
        *dataLength = needed;
        return ERROR_MORE_DATA;
    }
    if (data) std::memcpy(data, bytes.data(), bytes.size());
    *dataLength = needed;
    return ERROR_SUCCESS;
}

LONG Registry::RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                                DWORD* dataLength) {
    Place place;
    if (LONG rc = impl_->Root(key, place); rc != ERROR_SUCCESS) return rc;
    if (place.users) return ERROR_FILE_NOT_FOUND;
    const Value* v = place.key->FindValue(codepage::AnsiToUtf16(valueName ? valueName : ""));
    if (!v) return ERROR_FILE_NOT_FOUND;
    return CopyValue(*v, nullptr, nullptr, type, data, dataLength);
}

LONG Registry::RegSetValueExA(HKEY key, const char* valueName, DWORD /*reserved*/, DWORD type,
                              const BYTE* data, DWORD dataLength) {
    if (!data && dataLength) return ERROR_INVALID_PARAMETER;
    if (!ConvertedByACalls(type)) return SetValue(key, Wide(valueName), type, data, dataLength);
    std::vector<std::uint8_t> wide;
    const std::string_view bytes(reinterpret_cast<const char*>(data), dataLength);
    for (char16_t c : codepage::AnsiToUtf16(bytes)) {
        wide.push_back(static_cast<std::uint8_t>(c & 0xFF));
        wide.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return SetValue(key, Wide(valueName), type, wide.data(), static_cast<DWORD>(wide.size()));
}

LONG Registry::RegSetValueExW(HKEY key, const WCHAR* valueName, DWORD /*reserved*/, DWORD type,
                              const BYTE* data, DWORD dataLength) {
    if (!data && dataLength) return ERROR_INVALID_PARAMETER;
    return SetValue(key, Wide(valueName), type, data, dataLength);
}

LONG Registry::SetValue(HKEY key, std::u16string_view valueName, DWORD type, const BYTE* data,
                        DWORD dataLength) {
    Place place;
    if (LONG rc = impl_->Writable(key, place); rc != ERROR_SUCCESS) return rc;
    if (place.key->isLink) return ERROR_ACCESS_DENIED;
    registry::HiveStore& store = *place.hive->store;
    Value value;
    value.name = store.Name(valueName);
    value.type = type;
    value.stored = store.Bytes(data, dataLength);
    auto& values = place.key->values;
    const std::size_t i = place.key->ValueIndex(value.name);
    if (i < values.size() && registry::CompareNames(values[i].name, value.name) == 0) {
        value.name = values[i].name;  // the first writer's spelling stays
        values[i] = value;
    } else {
        values.insert(values.begin() + static_cast<std::ptrdiff_t>(i), value);
    }
    place.key->MarkChanged(registry::FileTimeNow());
    place.hive->changed = true;
    return ERROR_SUCCESS;
}

LONG Registry::RegDeleteValueA(HKEY key, const char* valueName) {
    return DeleteValue(key, Wide(valueName));
}

LONG Registry::RegDeleteValueW(HKEY key, const WCHAR* valueName) {
    return DeleteValue(key, Wide(valueName));
}

LONG Registry::DeleteValue(HKEY key, std::u16string_view name) {
    Place place;
    if (LONG rc = impl_->Writable(key, place); rc != ERROR_SUCCESS) return rc;
    auto& values = place.key->values;
    const std::size_t i = place.key->ValueIndex(name);
    if (i >= values.size() || registry::CompareNames(values[i].name, name) != 0)
        return ERROR_FILE_NOT_FOUND;
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(i));
    place.key->MarkChanged(registry::FileTimeNow());
    place.hive->changed = true;
    return ERROR_SUCCESS;
}

bool Registry::HasUncommittedChanges() const {
    for (const Hive& hive : impl_->hives)
        if (hive.changed) return true;
    return false;
}

Status Registry::CanWrite() {
    // Asked each time: the prefix's owner and its server can change while it is open.
    if (Status s = OwnerRefusal(impl_->dir); !s.ok()) return s;
    if (Status s = impl_->Problems(); !s.ok()) return s;
    if (impl_->ServerRunning())
        // The folder and the command stand on lines of their own, indented, so that they
        // are shown whole (never wrapped) and can be copied as they are.
        return {ERROR_SHARING_VIOLATION,
                "A wineserver is running for the prefix\n    " + impl_->dir +
                    "\nIt keeps its own copy of the registry and would overwrite any change. "
                    "Close the prefix's programs, or stop the server with\n    " +
                    registry::PrefixCommand(impl_->dir, "wineserver -k") + "\nthen try again."};
    // A write over a file another program changed would lose that program's change, and
    // act on a scan of what was there before.
    for (Hive& hive : impl_->hives)
        if (Status s = registry::CheckHiveUnchanged(hive); !s.ok()) return s;
    return {};
}

bool Registry::ChangedOnDisk() {
    for (Hive& hive : impl_->hives)
        if (!registry::CheckHiveUnchanged(hive).ok()) return true;
    return false;
}

std::string Registry::Warning() {
    if (std::string note = OwnerNote(impl_->dir); !note.empty()) return note;
    if (!impl_->ServerRunning()) return {};
    return "A wineserver is running for this prefix: the registry files may be a few seconds "
           "old, and nothing can be written until it stops (close the prefix's programs or "
           "run `wineserver -k`).";
}

Status Registry::Commit() {
    std::vector<Hive*> changed;
    for (Hive& hive : impl_->hives)
        if (hive.changed) changed.push_back(&hive);
    if (changed.empty()) return {};
    if (Status s = CanWrite(); !s.ok()) return s;
    std::vector<std::string> texts;
    for (Hive* hive : changed) texts.push_back(registry::SerializeHive(*hive));
    if (Status s = registry::ReplaceHiveFiles(impl_->dir, changed, texts); !s.ok()) return s;
    for (Hive* hive : changed) hive->changed = false;
    return {};
}

void Registry::ContinueHandlesOf(const Registry& earlier) {
    impl_->nextHandle = std::max(impl_->nextHandle, earlier.impl_->nextHandle);
}

}  // namespace platform::wine
