#pragma once
// The in-memory form of one hive file: a tree of keys with their values. Keys that were never
// changed keep the exact text of their block, so writing them back reproduces the file.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/wine/registry/HiveStore.h"

namespace platform::wine::registry {

// A value views what it holds: its name and data bytes are kept by the hive's store, and a
// string read from the file keeps its escaped text (between the quotes, in the hive's text),
// decoded only when its bytes are asked for: a scan reads most strings as "A" text, which
// simple ASCII text already is, and loading then decodes and copies nothing.
struct Value {
    std::u16string_view name;
    std::string_view stored;  // the escaped text when `inText`, else the data bytes
    DWORD type = REG_NONE;
    bool inText = false;
};

// The data bytes of a value, decoded from its text when it keeps one.
std::vector<std::uint8_t> DataBytes(const Value& value);
// Their number, without building them when the text is plain.
std::size_t DataSize(const Value& value);
// The number of characters escaped text stands for, when it is simple: printable ASCII
// whose only escapes are \\ and \" (which Wine writes for those two characters), so that
// Wine writes the characters back exactly as the text reads. npos for any other text.
std::size_t SimpleTextLength(std::string_view text);
// Writes the characters of simple text (its escapes taken out) to `out`, which has room for
// text.size() of them, checking it in the same pass: their number, or npos (with `out`
// holding some of them) when the text is not simple.
std::size_t CopySimpleText(std::string_view text, char* out);

// A key and its name and class text are kept by the hive's store (HiveStore::NewKey).
struct Key {
    std::u16string_view name;
    Key* parent = nullptr;
    std::vector<Key*> children;  // in Wine's name order
    std::vector<Value> values;   // in Wine's name order
    std::u16string_view className;
    bool hasClass = false;
    bool isLink = false;
    bool dirty = false;          // changed since load: written anew
    std::uint64_t filetime = 0;  // last write, 100 ns ticks since 1601
    std::string_view raw;        // the block's text as loaded (empty when it had none)
    // Where the child after the last one found stands: a walk opens the children of a key in
    // their order, and a sorted file adds them in it, so the next search starts there.
    mutable std::size_t nextChild = 0;

    Key* FindChild(std::u16string_view childName) const;
    // A new child named `childName`, kept by `store`.
    Key& AddChild(std::u16string_view childName, HiveStore& store);
    // Takes `key` (a name no child has, kept by a store that lives as long as this key's) as a
    // child, in its place in the order.
    Key& AdoptChild(Key& key);
    Value* FindValue(std::u16string_view valueName);
    std::size_t ValueIndex(std::u16string_view valueName) const;  // insertion point
    void MarkChanged(std::uint64_t now);
};

// What the file looked like when it was read, to notice that someone else wrote it since.
struct FileStamp {
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

struct Hive {
    std::string path;         // host path of the file
    std::string fileName;     // system.reg, user.reg, userdef.reg
    std::string text;         // the whole file as loaded
    std::string_view header;  // text before the first key block
    std::unique_ptr<HiveStore> store = std::make_unique<HiveStore>();  // keys, what values view
    Key* root = &store->NewKey({});
    std::string branch;   // "Machine", "User\S-1-...", "User\.Default"
    std::string problem;  // first malformed line, "file:line: why"; empty when clean
    bool changed = false;
    FileStamp stamp;
    // Of the bytes the file held when it was read, or last written: a file that got only a new
    // stamp (Wine saving the same registry again) is told from one with other content. Those
    // read are `text`, hashed when first needed (a scan never needs it).
    std::optional<std::uint64_t> bytesHash;
};

// Windows' limit on the levels of a key path. A hive is read only that deep: a key line deeper
// than this is a problem of the file, so that no walk over the tree (freeing it, writing it)
// goes deeper than this either.
inline constexpr std::size_t kMaxKeyDepth = 512;

// Current time as a FILETIME.
std::uint64_t FileTimeNow();

// Parses `hive.text` into `hive.root`. Returns false (with `error` naming file and line) when
// the file is not a registry file at all; malformed lines further in set `hive.problem`.
// A file of kParallelParseBytes or more is read in two halves on two threads.
bool ParseHive(Hive& hive, std::string& error);
inline constexpr std::size_t kParallelParseBytes = 4u << 20;
// The same, the second half starting at the first key line from `splitFrom` on (npos: in
// one pass); the result is always that of one pass.
bool ParseHiveSplit(Hive& hive, std::string& error, std::size_t splitFrom);

// The file text of the hive as Wine writes it; unchanged blocks verbatim.
std::string SerializeHive(const Hive& hive);

}  // namespace platform::wine::registry
