#include "platform/wine/registry/HiveGraft.h"

#include <algorithm>

#include "platform/wine/registry/NameOrder.h"

namespace platform::wine::registry {

bool CanGraft(Key& head, const Key& tail) {
    for (const auto& child : tail.children) {
        Key* known = head.FindChild(child->name);
        if (known && (!child->raw.empty() || !CanGraft(*known, *child))) return false;
    }
    return true;
}

void Graft(Key& head, Key& tail) {
    if (head.filetime == 0) head.filetime = tail.filetime;
    for (auto& child : tail.children) {
        if (Key* known = head.FindChild(child->name)) {
            Graft(*known, *child);
            continue;
        }
        auto at = std::lower_bound(head.children.begin(), head.children.end(), child->name,
                                   [](const std::unique_ptr<Key>& k, std::u16string_view n) {
                                       return CompareNames(k->name, n) < 0;
                                   });
        child->parent = &head;
        head.children.insert(at, std::move(child));
    }
    tail.children.clear();
}

}  // namespace platform::wine::registry
