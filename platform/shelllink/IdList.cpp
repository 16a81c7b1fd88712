#include "platform/shelllink/IdList.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/codepage/Codepage.h"

namespace platform::shelllink::detail {
namespace {

// Item types Wine's shell accepts when it loads an ID list; one other type makes it drop
// the whole list.
bool WineKnowsType(std::uint8_t type) {
    static constexpr std::array<std::uint8_t, 19> kTypes = {
        0x00, 0x1F, 0x23, 0x25, 0x29, 0x2E, 0x2F, 0x30, 0x31, 0x32,
        0x34, 0x41, 0x42, 0x46, 0x47, 0x61, 0x70, 0xB1, 0xC3};
    for (auto t : kTypes)
        if (t == type) return true;
    return false;
}

constexpr std::uint8_t kMyComputer[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                          0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

bool IsMyComputer(ByteRange item) {
    if (item.U8(2) != 0x1F || !item.Has(4, 16)) return false;
    for (std::size_t i = 0; i < 16; ++i)
        if (item.U8(4 + i) != kMyComputer[i]) return false;
    return true;
}

bool IsDrive(std::uint8_t type) {
    return type == 0x23 || type == 0x25 || type == 0x29 || type == 0x2F;
}

// The name Wine's shell shows for a file or folder item: the Unicode name of the trailing
// structure when it passes Wine's sanity checks, else the ANSI primary name.
std::u16string FileItemName(ByteRange item) {
    const std::uint8_t type = item.U8(2);
    const std::uint64_t size = item.size();
    constexpr std::uint64_t kPrimaryName = 0x0E;  // after size, type, pad, size, date, time, attrs
    if (type == 0x34) return item.Sub(0, size).WString(kPrimaryName);  // Unicode primary name
    if (type == 0x30 || type == 0x31 || type == 0x32) {
        // Offset of the trailing structure, stored in the item's last word.
        constexpr std::uint64_t kTrailerSize = 0x16;  // header fields and one name unit
        constexpr std::uint64_t kNameInTrailer = 0x14;
        std::uint64_t offset = size >= 2 ? item.U16(size - 2) : 0;
        if (size >= 2 + kTrailerSize && offset % 2 == 0 && offset >= 0x0F &&
            offset <= size - 2 - kTrailerSize && size == offset + item.U16(offset)) {
            // Wine reads the name at +0x14 whatever the block's version; Vista and later put
            // it further in, and reading it at +0x14 would give a made-up path (which the
            // scan would call dead). So a signed block's version decides. The name may not
            // run into the offset word.
            std::uint64_t nameAt = kNameInTrailer;
            if (item.U32(offset + 4) == 0xBEEF0004) {
                const std::uint16_t version = item.U16(offset + 2);
                nameAt = version >= 9 ? 0x2E : version >= 8 ? 0x2A : version >= 7 ? 0x26 : 0x14;
            }
            return item.Sub(0, size - 2).WString(offset + nameAt);
        }
    }
    return codepage::AnsiToUtf16(item.CString(kPrimaryName));
}

bool IsFileItem(std::uint8_t type) {
    return type == 0x30 || type == 0x31 || type == 0x32 || type == 0x34;
}

// Renders My Computer \ drive \ names... as the shell's file-system folders do.
std::u16string RenderPath(const std::vector<ByteRange>& items) {
    std::size_t i = 0;
    if (i < items.size() && IsMyComputer(items[i])) ++i;
    if (i >= items.size() || !IsDrive(items[i].U8(2))) return {};
    // Drive name: ANSI at +3, at most 20 bytes, NUL-terminated within the item.
    std::u16string path = codepage::AnsiToUtf16(
        items[i].Sub(3, std::min<std::size_t>(20, items[i].size() - 3)).CString(0));
    if (path.size() < 2 || path[1] != u':') return {};
    for (++i; i < items.size(); ++i) {
        if (!IsFileItem(items[i].U8(2))) return {};
        std::u16string name = FileItemName(items[i]);
        if (name.empty()) return {};
        if (path.back() != u'\\') path.push_back(u'\\');
        path += name;
    }
    return path;
}

}  // namespace

IdList ReadIdList(ByteRange items) {
    IdList list;
    std::vector<ByteRange> found;
    bool kept = true;
    std::uint64_t pos = 0;
    for (;;) {
        if (!items.Has(pos, 2)) return list;  // no terminator inside the list
        std::uint16_t cb = items.U16(pos);
        if (cb == 0) break;
        if (cb < 3 || !items.Has(pos, cb)) return list;
        ByteRange item = items.Sub(pos, cb);
        if (!WineKnowsType(item.U8(2))) kept = false;
        found.push_back(item);
        pos += cb;
    }
    list.wellFormed = true;
    list.kept = kept;
    if (kept) list.path = RenderPath(found);
    return list;
}

}  // namespace platform::shelllink::detail
