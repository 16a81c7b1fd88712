#pragma once
// The key blocks of one hive file being generated: generated values are added by key path,
// merged into the blocks of an existing Wine-written hive when there is one, and the whole
// file is written back in Wine's layout and key order.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace bench::generator {

// Value lines as Wine writes them. Names and data are ASCII; backslashes and quotes are
// escaped here.
std::string StringLine(std::string_view name, std::string_view data);
std::string ExpandStringLine(std::string_view name, std::string_view data);
std::string DwordLine(std::string_view name, std::uint32_t data);
std::string BinaryLine(std::string_view name, const std::vector<std::uint8_t>& data);

class HiveBlocks {
public:
    // `keyTime` is the modification time (seconds since 1970) of every generated block.
    explicit HiveBlocks(std::uint64_t keyTime) : keyTime_(keyTime) {}

    // Takes the header and every key block of an existing hive file; later additions to one of
    // its keys are appended to that key's block.
    void LoadBase(std::string_view hiveText);
    // Adds a value line (from the functions above) to the key `keyPath` ("A\B\C", single
    // backslashes), creating the key's block on first use.
    void Add(std::string_view keyPath, std::string line);
    // Makes the key exist with a block of its own even without values.
    void Touch(std::string_view keyPath);

    std::size_t KeyCount() const { return blocks_.size(); }
    std::size_t ValueCount() const { return values_; }
    // The whole file: the base header (or a fresh one naming `branch`, such as
    // "Machine"), then the blocks in Wine's order.
    std::string Text(std::string_view branch) const;

private:
    struct Block {
        std::string path;    // as written between the brackets
        std::string folded;  // the path folded to lower case, for lookup and order
        std::string head;    // the "[...] time" and "#time=" lines of a base block
        std::string body;    // option and value lines, each ending with a line end
    };
    Block& At(std::string_view keyPath);

    std::uint64_t keyTime_;
    std::string header_;
    std::vector<Block> blocks_;
    std::unordered_map<std::string, std::size_t> index_;  // folded escaped path -> block
    std::size_t values_ = 0;
};

}  // namespace bench::generator
