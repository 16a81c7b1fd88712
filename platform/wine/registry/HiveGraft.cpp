#include "platform/wine/registry/HiveGraft.h"

namespace platform::wine::registry {

bool CanGraft(Key& head, const Key& tail) {
    // The head has this key too (the roots always), so the tail must hold no block for it:
    // a key line naming no key at all ("[]") is a block of the root. And it must have a time:
    // in one pass a key without one takes it from the first key line below it, but only when
    // no key in between has one, which the tail read apart cannot tell.
    if (!tail.raw.empty() || head.filetime == 0) return false;
    // Spelt otherwise, the tail's blocks below would be written anew in one pass.
    if (head.name != tail.name) return false;
    for (const auto& child : tail.children) {
        Key* known = head.FindChild(child->name);
        if (known && !CanGraft(*known, *child)) return false;
    }
    return true;
}

void Graft(Key& head, Key& tail) {
    for (auto& child : tail.children) {
        if (Key* known = head.FindChild(child->name)) Graft(*known, *child);
        else head.AdoptChild(*child);
    }
    tail.children.clear();
}

}  // namespace platform::wine::registry
