#include "platform/wine/registry/HiveModel.h"

#include <algorithm>
#include <chrono>

#include "platform/wine/registry/NameOrder.h"
#include "platform/wine/registry/StringEscape.h"

namespace platform::wine::registry {

Key* Key::FindChild(std::u16string_view childName) const {
    auto it = std::lower_bound(children.begin(), children.end(), childName,
                               [](const std::unique_ptr<Key>& k, std::u16string_view n) {
                                   return CompareNames(k->name, n) < 0;
                               });
    if (it != children.end() && CompareNames((*it)->name, childName) == 0) return it->get();
    return nullptr;
}

Key& Key::AddChild(std::u16string_view childName) {
    // Files come sorted, so the new key almost always goes at the end.
    auto it = children.end();
    if (!children.empty() && CompareNames(children.back()->name, childName) >= 0)
        it = std::lower_bound(children.begin(), children.end(), childName,
                              [](const std::unique_ptr<Key>& k, std::u16string_view n) {
                                  return CompareNames(k->name, n) < 0;
                              });
    auto key = std::make_unique<Key>();
    key->name = std::u16string(childName);
    key->parent = this;
    return **children.insert(it, std::move(key));
}

std::size_t Key::ValueIndex(std::u16string_view valueName) const {
    if (values.empty() || CompareNames(values.back().name, valueName) < 0) return values.size();
    auto it = std::lower_bound(values.begin(), values.end(), valueName,
                               [](const Value& v, std::u16string_view n) {
                                   return CompareNames(v.name, n) < 0;
                               });
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

bool IsPlainText(std::string_view text) {
    for (char c : text)
        if (c < 0x20 || c > 0x7E || c == '\\') return false;
    return true;
}

std::vector<std::uint8_t> DataBytes(const Value& value) {
    if (!value.inText) return value.data;
    std::u16string units;
    units.reserve(value.text.size() + 1);
    DecodeEscaped(value.text, 0, '"', units);  // the text holds no unescaped quote
    units.push_back(u'\0');
    std::vector<std::uint8_t> bytes(units.size() * 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(units[i] >> 8);
    }
    return bytes;
}

std::size_t DataSize(const Value& value) {
    if (!value.inText) return value.data.size();
    if (IsPlainText(value.text)) return 2 * (value.text.size() + 1);
    return DataBytes(value).size();
}

std::uint64_t FileTimeNow() {
    using namespace std::chrono;
    const auto ticks =
        duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
    return static_cast<std::uint64_t>(ticks) + 116444736000000000ull;
}

}  // namespace platform::wine::registry
