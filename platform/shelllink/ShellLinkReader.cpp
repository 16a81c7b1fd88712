// Reading a shortcut as Wine's shell link object loads it, with every size, count and offset
// checked against the bytes that are really there. Where Wine would read past its buffer or
// go on with garbage, the file counts as malformed.
//
// A shortcut file is little-endian binary, its structures one after the other, unpadded:
//
//   header, 0x4C bytes    its size (0x4C), the link CLSID {00021401-0000-0000-C000-
//                         000000000046}, the flags at 0x14 saying which parts follow, then the
//                         target's attributes, times and size, icon index, show command, hot key
//   ID list (flag 0x1)    a u16 size, then shell items, each a u16 size and its type byte, up to
//                         a u16 zero: My Computer, a drive, folders, the file (IdList.cpp
//                         renders the path Wine's shell makes of them)
//   LinkInfo (0x2)        a u32 size and header size, flags, and offsets from its start to the
//                         volume, the ANSI local base path ("C:\dir\x.exe"), the network link
//                         and the common path suffix
//   strings (0x4 .. 0x40) description, relative path, working folder, arguments, icon
//                         location, in that order: a u16 character count, then UTF-16 with flag
//                         0x80, else ANSI
//   installer (0x800, 0x1000)  blocks of 0x314 bytes, read by position, as Wine reads them
//   extra data            blocks of a u32 size and a u32 signature, until a size below 4
//
// Which of them names the target, as Wine's IShellLinkA::GetPath decides, is in
// ShellLinkTarget.cpp.
#include "platform/shelllink/Bytes.h"
#include "platform/shelllink/IdList.h"
#include "platform/shelllink/ShellLink.h"
#include "platform/codepage/Codepage.h"

namespace platform::shelllink {
namespace {

using detail::ByteRange;

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint8_t kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t kMaxFileSize = 16u << 20;  // far beyond any real shortcut

enum Flag : std::uint32_t {
    kHasIdList = 0x1,
    kHasLinkInfo = 0x2,
    kHasName = 0x4,
    kHasRelativePath = 0x8,
    kHasWorkingDir = 0x10,
    kHasArguments = 0x20,
    kHasIconLocation = 0x40,
    kIsUnicode = 0x80,
    kHasLogo3Id = 0x800,
    kHasDarwinId = 0x1000,
};

constexpr std::uint32_t kLinkInfoHeaderMin = 0x1C;
constexpr std::uint32_t kAdvertiseBlockSize = 0x314;
constexpr int kMaxExtraBlocks = 64;

class Reader {
public:
    explicit Reader(ByteRange file) : file_(file) {}

    ShellLinkData Read() {
        ShellLinkData link;
        if (!ReadHeader()) return {};
        if ((flags_ & kHasIdList) && !ReadIdList(link)) return {};
        if ((flags_ & kHasLinkInfo) && !ReadLinkInfo(link)) return {};
        std::u16string icon;
        if (!ReadString(kHasName, link.description) ||
            !ReadString(kHasRelativePath, link.relativePath) ||
            !ReadString(kHasWorkingDir, link.workingDir) ||
            !ReadString(kHasArguments, link.arguments) || !ReadString(kHasIconLocation, icon))
            return {};
        // Wine reads the installer blocks by position, straight after the strings.
        for (std::uint32_t flag : {kHasLogo3Id, kHasDarwinId}) {
            if (!(flags_ & flag)) continue;
            if (!ReadAdvertiseBlock()) return {};
            link.advertised = true;
        }
        if (!SkipExtraBlocks()) return {};
        link.valid = true;
        return link;
    }

private:
    bool ReadHeader() {
        if (!file_.Has(0, kHeaderSize) || file_.U32(0) != kHeaderSize) return false;
        for (std::size_t i = 0; i < 16; ++i)
            if (file_.U8(4 + i) != kLinkClsid[i]) return false;
        flags_ = file_.U32(0x14);
        pos_ = kHeaderSize;
        return true;
    }

    bool ReadIdList(ShellLinkData& link) {
        if (!file_.Has(pos_, 2)) return false;
        std::uint16_t size = file_.U16(pos_);
        pos_ += 2;
        if (size == 0) return true;  // Wine: no list
        if (!file_.Has(pos_, size)) return false;
        detail::IdList list = detail::ReadIdList(file_.Sub(pos_, size));
        if (!list.wellFormed) return false;
        // A list with an item type Wine does not know is dropped; the link still loads.
        if (list.kept) link.idListPath = std::move(list.path);
        pos_ += size;
        return true;
    }

    bool ReadLinkInfo(ShellLinkData& link) {
        if (!file_.Has(pos_, 4)) return false;
        const std::uint32_t size = file_.U32(pos_);
        if (size < kLinkInfoHeaderMin || !file_.Has(pos_, size)) return false;
        ByteRange info = file_.Sub(pos_, size);
        const std::uint32_t headerSize = info.U32(0x04);
        if (headerSize < kLinkInfoHeaderMin || headerSize > size) return false;
        // Offsets: volume, local base path, network link, common path suffix.
        for (std::uint64_t field : {0x0Cu, 0x10u, 0x14u, 0x18u}) {
            std::uint32_t offset = info.U32(field);
            if (offset != 0 && offset >= size) return false;
        }
        // Wine takes the ANSI local base path whenever its offset is set, whatever the flags.
        if (std::uint32_t offset = info.U32(0x10); offset != 0) {
            if (!info.HasNul(offset)) return false;
            link.hasLocalBasePath = true;
            link.localBasePath = info.CString(offset);
        }
        pos_ += size;
        return true;
    }

    bool ReadString(std::uint32_t flag, std::u16string& out) {
        if (!(flags_ & flag)) return true;
        if (!file_.Has(pos_, 2)) return false;
        const std::uint64_t count = file_.U16(pos_);
        pos_ += 2;
        const bool unicode = flags_ & kIsUnicode;
        const std::uint64_t bytes = unicode ? count * 2 : count;
        if (!file_.Has(pos_, bytes)) return false;
        ByteRange text = file_.Sub(pos_, bytes);
        // Writers differ on a counted NUL; the string ends at the first one, as in Wine.
        out = unicode ? text.WString(0) : codepage::AnsiToUtf16(text.CString(0));
        pos_ += bytes;
        return true;
    }

    bool ReadAdvertiseBlock() {
        if (!file_.Has(pos_, kAdvertiseBlockSize) || file_.U32(pos_) != kAdvertiseBlockSize ||
            (file_.U32(pos_ + 4) & 0xFFFF0000u) != 0xA0000000u)
            return false;
        pos_ += kAdvertiseBlockSize;
        return true;
    }

    // Extra data blocks up to the terminal block. Their content does not change the target,
    // but a chain that runs off the end means the file is cut short.
    bool SkipExtraBlocks() {
        for (int i = 0; i < kMaxExtraBlocks; ++i) {
            if (!file_.Has(pos_, 4)) return false;
            const std::uint32_t size = file_.U32(pos_);
            if (size < 4) return true;  // terminal block
            if (size < 8 || !file_.Has(pos_, size)) return false;
            pos_ += size;
        }
        return false;
    }

    ByteRange file_;
    std::uint32_t flags_ = 0;
    std::uint64_t pos_ = 0;
};

}  // namespace

ShellLinkData ParseShellLink(const std::uint8_t* data, std::size_t size) {
    if (!data || size > kMaxFileSize) return {};
    return Reader(ByteRange(data, size)).Read();
}

}  // namespace platform::shelllink
