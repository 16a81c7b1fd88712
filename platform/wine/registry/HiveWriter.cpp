// Writing the key tree back as Wine writes a hive: unchanged blocks as they were read,
// changed keys in Wine's own layout.
#include "fmt/format.h"
#include "platform/wine/registry/HiveModel.h"
#include "platform/wine/registry/StringEscape.h"

namespace platform::wine::registry {
namespace {

std::u16string Utf16(const std::uint8_t* data, std::size_t units) {
    std::u16string out(units, u'\0');
    for (std::size_t i = 0; i < units; ++i)
        out[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return out;
}

void AppendPath(std::string& out, const Key& key, const Key& root) {
    if (&key == &root || !key.parent) return;
    if (key.parent != &root) {
        AppendPath(out, *key.parent, root);
        out += "\\\\";
    }
    AppendEscaped(out, key.name, '[', ']');
}

void AppendValue(std::string& out, const Value& v) {
    std::size_t count;
    if (!v.name.empty()) {
        out.push_back('"');
        count = 1 + AppendEscaped(out, v.name, '"', '"');
        out += "\"=";
        count += 2;
    } else {
        out += "@=";
        count = 2;
    }
    if (v.inText && SimpleTextLength(v.stored) != std::string_view::npos &&
        (v.type == REG_SZ || v.type == REG_EXPAND_SZ || v.type == REG_MULTI_SZ)) {
        // Simple text is written back as it was read.
        if (v.type != REG_SZ) out += fmt::format("str({:x}):", v.type);
        out.push_back('"');
        out.append(v.stored);
        out += "\"\n";
        return;
    }
    const std::vector<std::uint8_t> decoded = v.inText ? DataBytes(v) : std::vector<std::uint8_t>();
    const std::uint8_t* data =
        v.inText ? decoded.data() : reinterpret_cast<const std::uint8_t*>(v.stored.data());
    const std::size_t len = v.inText ? decoded.size() : v.stored.size();
    switch (v.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_MULTI_SZ:
        if (len >= 2 && len % 2 == 0 && (data[len - 2] | data[len - 1]) == 0) {
            if (v.type != REG_SZ) out += fmt::format("str({:x}):", v.type);
            out.push_back('"');
            AppendEscaped(out, Utf16(data, len / 2 - 1), '"', '"');
            out += "\"\n";
            return;
        }
        break;
    case REG_DWORD:
        if (len == 4) {
            const std::uint32_t dw = data[0] | (data[1] << 8) | (data[2] << 16) |
                                     (static_cast<std::uint32_t>(data[3]) << 24);
            out += fmt::format("dword:{:08x}\n", dw);
            return;
        }
        break;
    default: break;
    }
    const std::string prefix = v.type == REG_BINARY ? "hex:" : fmt::format("hex({:x}):", v.type);
    out += prefix;
    count += prefix.size();
    static constexpr char kHex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < len; ++i) {
        out.push_back(kHex[data[i] >> 4]);
        out.push_back(kHex[data[i] & 15]);
        count += 2;
        if (i + 1 < len) {
            out.push_back(',');
            if (++count > 76) {
                out += "\\\n  ";
                count = 2;
            }
        }
    }
    out.push_back('\n');
}

void AppendBlock(std::string& out, const Key& key, const Key& root) {
    out.push_back('[');
    AppendPath(out, key, root);
    const std::uint64_t t = key.filetime;
    out += fmt::format("] {}\n#time={:x}{:08x}\n",
                       t > platform::kFileTimeAt1970
                           ? (t - platform::kFileTimeAt1970) / platform::kFileTimeTicksPerSecond
                           : 0,
                       static_cast<std::uint32_t>(t >> 32), static_cast<std::uint32_t>(t));
    if (key.hasClass) {
        out += "#class=\"";
        AppendEscaped(out, key.className, '"', '"');
        out += "\"\n";
    }
    if (key.isLink) out += "#link\n";
    for (const Value& v : key.values) AppendValue(out, v);
}

void Save(std::string& out, const Key& key, const Key& root) {
    if (!key.dirty && !key.raw.empty()) {
        out.push_back('\n');
        out.append(key.raw);
    } else if (key.dirty &&
               (!key.values.empty() || key.children.empty() || key.hasClass || key.isLink)) {
        out.push_back('\n');
        AppendBlock(out, key, root);
    }
    for (const auto& child : key.children) Save(out, *child, root);
}

}  // namespace

std::string SerializeHive(const Hive& hive) {
    std::string out;
    out.reserve(hive.text.size() + 4096);
    // Every block is preceded by one line end: the header and each block end just before
    // the empty line that separates them from the next key.
    out.append(hive.header);
    Save(out, *hive.root, *hive.root);
    // A block read without its line end (the file's last, or one followed at once by a key
    // line) may now come last: end the file as Wine does, or it would read as cut short.
    if (out.size() > hive.header.size() && out.back() != '\n') out.push_back('\n');
    return out;
}

}  // namespace platform::wine::registry
