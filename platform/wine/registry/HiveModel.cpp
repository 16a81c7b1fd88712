#include "platform/wine/registry/HiveModel.h"

#include <algorithm>
#include <chrono>

#include "platform/wine/registry/NameOrder.h"
#include "platform/wine/registry/StringEscape.h"

namespace platform::wine::registry {

Key* Key::FindChild(std::u16string_view childName) const {
    // Names are unique under the comparison, so a child that compares equal is the one.
    if (nextChild < children.size() && CompareNames(children[nextChild]->name, childName) == 0)
        return children[nextChild++];
    // Children are kept in order: a name after the last one is no child (the common case
    // while a sorted file is read).
    if (children.empty() || CompareNames(children.back()->name, childName) < 0) return nullptr;
    auto it = std::lower_bound(
        children.begin(), children.end(), childName,
        [](const Key* k, std::u16string_view n) { return CompareNames(k->name, n) < 0; });
    if (it != children.end() && CompareNames((*it)->name, childName) == 0) {
        nextChild = static_cast<std::size_t>(it - children.begin()) + 1;
        return *it;
    }
    return nullptr;
}

Key& Key::AddChild(std::u16string_view childName, HiveStore& store) {
    return AdoptChild(store.NewKey(childName));
}

Key& Key::AdoptChild(Key& key) {
    // Files come sorted, so the new key almost always goes at the end.
    auto it = children.end();
    if (!children.empty() && CompareNames(children.back()->name, key.name) >= 0)
        it = std::lower_bound(
            children.begin(), children.end(), key.name,
            [](const Key* k, std::u16string_view n) { return CompareNames(k->name, n) < 0; });
    key.parent = this;
    return **children.insert(it, &key);
}

std::size_t Key::ValueIndex(std::u16string_view valueName) const {
    if (values.empty() || CompareNames(values.back().name, valueName) < 0) return values.size();
    auto it = std::lower_bound(
        values.begin(), values.end(), valueName,
        [](const Value& v, std::u16string_view n) { return CompareNames(v.name, n) < 0; });
    return static_cast<std::size_t>(it - values.begin());
}

Value* Key::FindValue(std::u16string_view valueName) {
    const std::size_t i = ValueIndex(valueName);
    if (i < values.size() && CompareNames(values[i].name, valueName) == 0) return &values[i];
    return nullptr;
}

void Key::MarkChanged(std::uint64_t now) {
    dirty = true;
    filetime = now;
}

std::size_t SimpleTextLength(std::string_view text) {
    std::size_t length = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c < 0x20 || c > 0x7E) return std::string_view::npos;
        if (c == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"'))
                return std::string_view::npos;
            ++i;
            --length;
        }
    }
    return length;
}

std::size_t CopySimpleText(std::string_view text, char* out) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c < 0x20 || c > 0x7E) return std::string_view::npos;
        if (c == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"'))
                return std::string_view::npos;
            c = text[++i];
        }
        out[length++] = c;
    }
    return length;
}

std::vector<std::uint8_t> DataBytes(const Value& value) {
    if (!value.inText) return {value.stored.begin(), value.stored.end()};
    std::u16string units;
    units.reserve(value.stored.size() + 1);
    DecodeEscaped(value.stored, 0, '"', units);  // the text holds no unescaped quote
    units.push_back(u'\0');
    std::vector<std::uint8_t> bytes(units.size() * 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(units[i] >> 8);
    }
    return bytes;
}

std::size_t DataSize(const Value& value) {
    if (!value.inText) return value.stored.size();
    if (const std::size_t length = SimpleTextLength(value.stored); length != std::string_view::npos)
        return 2 * (length + 1);
    return DataBytes(value).size();
}

std::uint64_t FileTimeNow() {
    using namespace std::chrono;
    const auto ticks =
        duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
    return static_cast<std::uint64_t>(ticks) + platform::kFileTimeAt1970;
}

}  // namespace platform::wine::registry
