#include "fuzz/HiveDump.h"

#include "fmt/format.h"

namespace fuzzing {
namespace {

using platform::wine::registry::Key;

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != '%') out.push_back(static_cast<char>(c));
        else out += fmt::format("%{:04x}", static_cast<unsigned>(c));
    }
    return out;
}

void Dump(const Key& key, DumpDetail detail, std::string& out, int depth) {
    out += fmt::format("{:{}}[{}] class={}:{} link={}", "", depth, Narrow(key.name), key.hasClass,
                       Narrow(key.className), key.isLink);
    if (detail != DumpDetail::Content) out += fmt::format(" t={:x}", key.filetime);
    if (detail == DumpDetail::Loaded)
        out += fmt::format(" dirty={} raw={}:[{}]", key.dirty, key.raw.size(), key.raw);
    out += '\n';
    for (const auto& value : key.values) {
        out +=
            fmt::format("{:{}}  \"{}\" type={:x} data=", "", depth, Narrow(value.name), value.type);
        for (const auto byte : platform::wine::registry::DataBytes(value))
            out += fmt::format("{:02x}", byte);
        out += '\n';
    }
    for (const auto& child : key.children) {
        if (child->parent != &key) out += "WRONG PARENT\n";
        Dump(*child, detail, out, depth + 1);
    }
}

bool SameValue(const platform::wine::registry::Value& a, const platform::wine::registry::Value& b) {
    using platform::wine::registry::DataBytes;
    if (a.name != b.name || a.type != b.type) return false;
    // Text kept escaped is compared as the bytes it stands for.
    if (a.inText == b.inText && a.stored == b.stored) return true;
    return DataBytes(a) == DataBytes(b);
}

}  // namespace

bool SameTree(const Key& a, const Key& b, DumpDetail detail) {
    if (a.name != b.name || a.hasClass != b.hasClass || a.className != b.className ||
        a.isLink != b.isLink || a.values.size() != b.values.size() ||
        a.children.size() != b.children.size())
        return false;
    if (detail != DumpDetail::Content && a.filetime != b.filetime) return false;
    if (detail == DumpDetail::Loaded && (a.dirty != b.dirty || a.raw != b.raw)) return false;
    for (std::size_t i = 0; i < a.values.size(); ++i)
        if (!SameValue(a.values[i], b.values[i])) return false;
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        if (a.children[i]->parent != &a || b.children[i]->parent != &b) return false;
        if (!SameTree(*a.children[i], *b.children[i], detail)) return false;
    }
    return true;
}

std::string DumpTree(const Key& root, DumpDetail detail) {
    std::string out;
    Dump(root, detail, out, 0);
    return out;
}

void MarkAllChanged(Key& root) {
    root.dirty = true;
    for (auto& child : root.children) MarkAllChanged(*child);
}

}  // namespace fuzzing
