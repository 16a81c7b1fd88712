#include "platform/wine/registry/HiveGraft.h"

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
        if (Key* known = head.FindChild(child->name))
            Graft(*known, *child);
        else
            head.AdoptChild(std::move(child));
    }
    tail.children.clear();
}

}  // namespace platform::wine::registry
