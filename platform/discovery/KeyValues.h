#pragma once
// Valve's KeyValues text (libraryfolders.vdf, appmanifest_*.acf): quoted or bare keys, each
// followed by a string or a { block }, with // comments and [$PLATFORM] conditions. Keys
// compare case-insensitively, as Steam compares them.
#include <string>
#include <string_view>
#include <vector>

namespace platform::discovery {

struct KeyValue {
    std::string key;
    std::string value;               // for a string
    std::vector<KeyValue> children;  // for a block
    bool block = false;
    bool complete = true;  // false for a block the text ends or breaks inside

    // The first child named `name` (any letter case), or null.
    const KeyValue* Child(std::string_view name) const;
    // The string of the child `name`, empty when there is none or it is a block.
    std::string Text(std::string_view name) const;
};

struct KeyValuesText {
    KeyValue root;      // a block holding the top-level keys
    std::string error;  // empty when the whole text was read; else where it broke off
};

// Never fails: reads up to the first fault, keeps what came before it, and says where.
KeyValuesText ParseKeyValues(std::string_view text);

}  // namespace platform::discovery
