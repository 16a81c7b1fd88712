#pragma once
// Bounded little-endian reads over a byte range. Every read checks what is left, in 64-bit
// arithmetic, so no size, count or offset taken from a file can reach outside the range.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::shelllink::detail {

class ByteRange {
public:
    ByteRange() = default;
    ByteRange(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t size() const { return size_; }
    const std::uint8_t* data() const { return data_; }
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }
    // Callers check Has() first; out-of-range reads give 0 rather than touching memory.
    std::uint8_t U8(std::uint64_t offset) const { return Has(offset, 1) ? data_[offset] : 0; }
    std::uint16_t U16(std::uint64_t offset) const {
        return Has(offset, 2) ? static_cast<std::uint16_t>(data_[offset] | (data_[offset + 1] << 8))
                              : 0;
    }
    std::uint32_t U32(std::uint64_t offset) const {
        return Has(offset, 4) ? static_cast<std::uint32_t>(U16(offset)) |
                                    (static_cast<std::uint32_t>(U16(offset + 2)) << 16)
                              : 0;
    }
    // The part [offset, offset + count); empty when it does not fit.
    ByteRange Sub(std::uint64_t offset, std::uint64_t count) const {
        return Has(offset, count) ? ByteRange(data_ + offset, static_cast<std::size_t>(count))
                                  : ByteRange();
    }
    // Bytes from `offset` up to the first NUL or the end of the range.
    std::string CString(std::uint64_t offset) const {
        std::string out;
        for (std::uint64_t i = offset; i < size_ && data_[i] != 0; ++i)
            out.push_back(static_cast<char>(data_[i]));
        return out;
    }
    // Whether a NUL occurs in [offset, end of range).
    bool HasNul(std::uint64_t offset) const {
        for (std::uint64_t i = offset; i < size_; ++i)
            if (data_[i] == 0) return true;
        return false;
    }
    // UTF-16LE units from `offset` up to the first NUL unit or the last whole unit.
    std::u16string WString(std::uint64_t offset) const {
        std::u16string out;
        for (std::uint64_t i = offset; Has(i, 2); i += 2) {
            char16_t c = static_cast<char16_t>(U16(i));
            if (c == 0) break;
            out.push_back(c);
        }
        return out;
    }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace platform::shelllink::detail
