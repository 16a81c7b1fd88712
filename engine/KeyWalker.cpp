// The breadth-first walk over the registry keys of the work list.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/CRegistryFixer.h"
#include "engine/KeyViews.h"
#include "engine/RootNames.h"
#include "engine/ValueText.h"
#include "engine/WalkQueue.h"
#include "platform/codepage/Codepage.h"

namespace engine {
namespace {

constexpr platform::DWORD kSubkeyBuffer = 1000;
constexpr platform::DWORD kNameBuffer = 10000;
constexpr platform::DWORD kDataBuffer = 200000;
// Zero bytes behind the data buffer that no call ever writes, so the data always reads as a
// terminated text even when a value fills the buffer.
constexpr platform::DWORD kDataGuard = 4;

// The value at `index` as stored, for the record of a problem the A enumeration found there.
// False when it does not fit the buffers: a value that cannot be named exactly is not
// reported, since repair would have to guess which value it is.
bool ReadExact(platform::Services& services, platform::HKEY key, platform::DWORD index,
               std::vector<platform::WCHAR>& name, std::vector<platform::BYTE>& data,
               ExactValue& exact) {
    platform::DWORD nameLength = static_cast<platform::DWORD>(name.size() - 1);
    platform::DWORD dataLength = static_cast<platform::DWORD>(data.size());
    if (services.RegEnumValueW(key, index, name.data(), &nameLength, &exact.type, data.data(),
                               &dataLength) != platform::ERROR_SUCCESS)
        return false;
    exact.name.assign(name.data(), std::min<std::size_t>(nameLength, name.size() - 1));
    exact.text.clear();
    if (exact.type == platform::REG_SZ || exact.type == platform::REG_EXPAND_SZ) {
        for (platform::DWORD i = 0; i + 1 < dataLength; i += 2) {
            const auto unit = static_cast<platform::WCHAR>(data[i] | (data[i + 1] << 8));
            if (unit == 0) break;
            exact.text += unit;
        }
    }
    return true;
}

// The steps of one walk over the registry keys below a root, with the buffers the values
// are read into (allocated once per walk).
class KeyWalk {
    using PollResult = CRegistryFixer::PollResult;

public:
    KeyWalk(CRegistryFixer& fixer, platform::HKEY root, Label* currentKey)
        : fixer_(fixer), services_(fixer.Services()), root_(root), prefix_(RootPrefix(root)),
          currentKey_(currentKey) {}

    // Reads one key: queues its subkeys, then judges its values. A key that cannot be opened
    // is passed over.
    PollResult Visit(const std::u16string& path, WalkQueue<std::u16string>& queue) {
        OpenKey key(services_);
        if (!Open(path, key)) return PollResult::GoOn;
        if (currentKey_) currentKey_->SetText(platform::codepage::Utf16ToAnsi(path));
        platform::DWORD valueCount = 0;
        if (services_.RegQueryInfoKeyA(key.get(), nullptr, nullptr, &valueCount, nullptr,
                                       nullptr) != platform::ERROR_SUCCESS)
            valueCount = 0;  // a key that cannot say how many values it has is not read
        if (fixer_.Poll() == PollResult::Stop) return PollResult::Stop;
        if (QueueSubkeys(key.get(), path, queue) == PollResult::Stop) return PollResult::Stop;
        if (fixer_.Poll() == PollResult::Stop) return PollResult::Stop;
        return JudgeValues(key.get(), path, valueCount);
    }

private:
    // The walk only reads, so it asks for no more (a key without write rights is still read).
    bool Open(const std::u16string& path, OpenKey& key) {
        platform::HKEY handle = 0;
        if (services_.RegOpenKeyExW(root_, path.c_str(), 0, platform::KEY_READ, &handle) !=
            platform::ERROR_SUCCESS)
            return false;
        key.Reset(handle);
        return true;
    }

    // Keys are queued by their names as stored, so that two subkeys whose ANSI names are the
    // same are each opened and read; the ANSI path is what the checkers and texts see.
    PollResult QueueSubkeys(platform::HKEY key, const std::u16string& path,
                            WalkQueue<std::u16string>& queue) {
        for (platform::DWORD index = 0;; ++index) {
            if (fixer_.Poll() == PollResult::Stop) return PollResult::Stop;
            platform::DWORD length = kSubkeyBuffer;
            const platform::LONG status =
                services_.RegEnumKeyExW(key, index, subkey_.data(), &length);
            // A name too long for the buffer (Wine's server makes no key of it) is passed
            // over; the keys after it are still walked.
            if (status == platform::ERROR_MORE_DATA) continue;
            if (status != platform::ERROR_SUCCESS) return PollResult::GoOn;
            length = std::min(length, kSubkeyBuffer);
            subkey_[length] = u'\0';
            // A link shows a key that has a path of its own (Wine links the 32-bit programs'
            // shared keys to the 64-bit ones): walked there, not here, so that every value is
            // reported once, and no link can lead the walk round a loop.
            if (IsLinkKey(services_, key, subkey_.data())) continue;
            queue.Push(path + u"\\" + std::u16string(subkey_.data(), length));
        }
    }

    PollResult JudgeValues(platform::HKEY key, const std::u16string& path,
                           platform::DWORD valueCount) {
        const std::string fullPath = prefix_ + platform::codepage::Utf16ToAnsi(path);
        for (platform::DWORD index = 0; index < valueCount; ++index) {
            std::memset(data_.data(), 0, dirty_);
            name_[0] = '\0';
            platform::DWORD nameLength = kNameBuffer;
            platform::DWORD dataLength = kDataBuffer;
            platform::DWORD type = 0;
            const platform::LONG status = services_.RegEnumValueA(
                key, index, name_.data(), &nameLength, &type, data_.data(), &dataLength);
            if (fixer_.Poll() == PollResult::Stop) return PollResult::Stop;
            if (status != platform::ERROR_SUCCESS) {
                // A name or data too long for the buffers: skipped, never judged on what the
                // buffers still hold from the previous value.
                dirty_ = kDataBuffer;
                continue;
            }
            dirty_ = std::min(dataLength, kDataBuffer);
            Judge(key, path, fullPath, index, type, dirty_);
        }
        return PollResult::GoOn;
    }

    // Records the value just read when it is a problem that can be named exactly.
    void Judge(platform::HKEY key, const std::u16string& path, const std::string& fullPath,
               platform::DWORD index, platform::DWORD type, platform::DWORD dataLength) {
        const std::string valueName(name_.data(), strnlen(name_.data(), kNameBuffer));
        if (fixer_.CheckValue(fullPath, valueName, data_.data(), type, dataLength) == Verdict::Fine)
            return;
        ExactValue exact{root_, path, {}, 0, {}};
        if (!ReadExact(services_, key, index, exactName_, exactData_, exact)) return;
        // Data outside the code page was judged by its nearest spelling, which may name
        // another file: a valid C:\Tōol\x.exe reads as the missing C:\Tool\x.exe.
        if (!platform::codepage::RoundTrips(exact.text)) return;
        // A value the prefix's Wine installation writes into every prefix is no leftover.
        if (services_.IsInstallationEntry(root_, exact.subKey, exact.name, exact.text)) return;
        const ValueTexts texts = TextForm(fullPath, valueName, type, data_.data(), dataLength);
        fixer_.AddProblem(texts.key, texts.name, texts.value, std::move(exact));
    }

    CRegistryFixer& fixer_;
    platform::Services& services_;
    const platform::HKEY root_;
    const std::string prefix_;
    Label* const currentKey_;

    std::vector<platform::WCHAR> subkey_ = std::vector<platform::WCHAR>(kSubkeyBuffer + 1, u'\0');
    std::vector<char> name_ = std::vector<char>(kNameBuffer + 1, '\0');
    std::vector<platform::WCHAR> exactName_ = std::vector<platform::WCHAR>(kNameBuffer + 1, u'\0');
    std::vector<platform::BYTE> exactData_ = std::vector<platform::BYTE>(2 * kDataBuffer, 0);
    std::vector<platform::BYTE> data_ = std::vector<platform::BYTE>(kDataBuffer + kDataGuard, 0);
    // How much of the data buffer the previous value may have written: only that much is
    // cleared before the next value.
    platform::DWORD dirty_ = kDataBuffer;
};

}  // namespace

void CRegistryFixer::Walk() {
    if (plan_.labels.sectionName)
        plan_.labels.sectionName->SetText(SectionByNumber(plan_.section).name);
    std::vector<std::u16string> starts;
    if (plan_.workList)
        for (const std::string& start : *plan_.workList)
            starts.push_back(platform::codepage::AnsiToUtf16(start));
    KeyWalk walk(*this, plan_.root, plan_.labels.currentKey);
    RunWalk(WalkQueue<std::u16string>(std::move(starts)),
            [&walk](const std::u16string& path, WalkQueue<std::u16string>& queue) {
                return walk.Visit(path, queue);
            });
}

}  // namespace engine
