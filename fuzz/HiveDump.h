#pragma once
// A loaded hive tree as text, so two readings can be compared in one step.
#include <string>

#include "platform/wine/registry/HiveModel.h"

namespace fuzzing {

enum class DumpDetail {
    Content,  // what a key holds: names, class, link flag, values
    Times,    // and its time, which only shows where the writer writes the key anew
    Loaded    // and how it was loaded: its block's text, whether it is to be written anew
};

// Every key in order, its values with their types and data bytes. A child whose parent link
// does not lead back to its parent is marked, so a wrongly grafted key shows.
std::string DumpTree(const platform::wine::registry::Key& root, DumpDetail detail);

// Whether two trees hold the same at this detail; cheaper than comparing their dumps.
bool SameTree(const platform::wine::registry::Key& a, const platform::wine::registry::Key& b,
              DumpDetail detail);

// Marks every key to be written anew (as after a change), so the writer writes it all.
void MarkAllChanged(platform::wine::registry::Key& root);

}  // namespace fuzzing
