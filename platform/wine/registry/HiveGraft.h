#pragma once
// Joining the tree of a file's second half, read apart, onto the tree of its first half.
#include "platform/wine/registry/HiveModel.h"

namespace platform::wine::registry {

// Whether `tail` can be grafted onto `head` (two roots, or two keys of the same path) with
// the result of reading both halves in one pass: every key the tail has a block for must be
// new to the head, and every key both have must have a time in the head. A sorted file's
// halves meet only in the keys above the first key line of the second half.
bool CanGraft(Key& head, const Key& tail);

// Moves the tail's keys onto the head's tree. A key both have keeps the head's time.
void Graft(Key& head, Key& tail);

}  // namespace platform::wine::registry
