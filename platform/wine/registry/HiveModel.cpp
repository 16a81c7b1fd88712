#include "platform/wine/registry/HiveModel.h"

#include <algorithm>
#include <chrono>

#include "platform/wine/registry/NameOrder.h"

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

std::uint64_t FileTimeNow() {
    using namespace std::chrono;
    const auto ticks =
        duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
    return static_cast<std::uint64_t>(ticks) + 116444736000000000ull;
}

}  // namespace platform::wine::registry
