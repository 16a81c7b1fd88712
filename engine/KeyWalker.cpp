// The breadth-first walk over the registry keys of the work list.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/CRegistryFixer.h"
#include "engine/KeyViews.h"
#include "engine/RootNames.h"
#include "engine/ValueText.h"
#include "platform/codepage/Codepage.h"

namespace engine {
namespace {

constexpr platform::DWORD kSubkeyBuffer = 1000;
constexpr platform::DWORD kNameBuffer = 10000;
constexpr platform::DWORD kDataBuffer = 200000;
// Zero bytes behind the data buffer that no call ever writes, so the data always reads as a
// terminated text even when a value fills the buffer.
constexpr platform::DWORD kDataGuard = 4;

// The head of the work list advances by index; the visited paths are dropped in batches (once
// they are half the list) and when the walk ends, so that removing the head costs next to
// nothing per key and a walk of the whole registry does not hold every path it visited.
using KeyPaths = std::vector<std::u16string>;

class QueueHead {
public:
    explicit QueueHead(KeyPaths& list) : list_(list) {}
    ~QueueHead() { Drop(); }
    QueueHead(const QueueHead&) = delete;
    QueueHead& operator=(const QueueHead&) = delete;
    bool Empty() const { return head_ >= list_.size(); }
    const std::u16string& Front() const { return list_[head_]; }
    void Pop() {
        ++head_;
        if (head_ >= 4096 && 2 * head_ >= list_.size()) Drop();
    }

private:
    void Drop() {
        list_.erase(list_.begin(), list_.begin() + static_cast<std::ptrdiff_t>(head_));
        head_ = 0;
    }

    KeyPaths& list_;
    std::size_t head_ = 0;
};

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

}  // namespace

void CRegistryFixer::Walk() {
    // A Pause or Cancel pressed between two walks (in the scanner's own pump) stays pending
    // for this walk's first poll instead of being lost.
    if (runState_ == RunState::Idle) runState_ = RunState::Running;
    const std::string prefix = RootPrefix(plan_.root);
    if (plan_.labels.sectionName)
        plan_.labels.sectionName->SetText(SectionByNumber(plan_.section).name);
    if (!plan_.workList) {
        runState_ = RunState::Idle;
        return;
    }

    std::vector<platform::WCHAR> subkey(kSubkeyBuffer + 1, u'\0');
    std::vector<char> name(kNameBuffer + 1, '\0');
    std::vector<platform::WCHAR> exactName(kNameBuffer + 1, u'\0');
    std::vector<platform::BYTE> exactData(2 * kDataBuffer, 0);
    std::vector<platform::BYTE> data(kDataBuffer + kDataGuard, 0);
    // How much of the data buffer the previous value may have written: only that much is
    // cleared before the next value.
    platform::DWORD dirty = kDataBuffer;

    // Keys are walked by their names as stored, so that two subkeys whose ANSI names are
    // the same are each opened and read; the ANSI path is what the checkers and texts see.
    KeyPaths paths;
    paths.reserve(plan_.workList->size());
    for (const std::string& start : *plan_.workList)
        paths.push_back(platform::codepage::AnsiToUtf16(start));
    plan_.workList->clear();

    bool cancelled = false;
    {
        QueueHead queue(paths);
        while (!queue.Empty() && !cancelled) {
            const std::u16string current = queue.Front();
            const std::string ansiCurrent = platform::codepage::Utf16ToAnsi(current);
            const std::string fullPath = prefix + ansiCurrent;
            platform::HKEY handle = 0;
            if (services_.RegOpenKeyExW(plan_.root, current.c_str(), 0, platform::KEY_ALL_ACCESS,
                                        &handle) != platform::ERROR_SUCCESS) {
                queue.Pop();
                continue;
            }
            OpenKey key(services_, handle);
            if (plan_.labels.currentKey) plan_.labels.currentKey->SetText(ansiCurrent);

            platform::DWORD valueCount = 0;
            if (services_.RegQueryInfoKeyA(key.get(), nullptr, nullptr, &valueCount, nullptr,
                                           nullptr) != platform::ERROR_SUCCESS)
                valueCount = 0;  // a key that cannot say how many values it has is not read
            if (Poll() == PollResult::Stop) {
                cancelled = true;
                break;
            }

            for (platform::DWORD index = 0;; ++index) {
                if (Poll() == PollResult::Stop) {
                    cancelled = true;
                    break;
                }
                platform::DWORD length = kSubkeyBuffer;
                const platform::LONG status =
                    services_.RegEnumKeyExW(key.get(), index, subkey.data(), &length);
                // A name too long for the buffer (Wine's server makes no key of it) is passed
                // over; the keys after it are still walked.
                if (status == platform::ERROR_MORE_DATA) continue;
                if (status != platform::ERROR_SUCCESS) break;
                subkey[std::min(length, kSubkeyBuffer)] = u'\0';
                // A link shows a key that has a path of its own (Wine links the 32-bit
                // programs' shared keys to the 64-bit ones): walked there, not here, so that
                // every value is reported once, and no link can lead the walk round a loop.
                if (IsLinkKey(services_, key.get(), subkey.data())) continue;
                paths.push_back(current + u"\\" +
                                std::u16string(subkey.data(), std::min(length, kSubkeyBuffer)));
            }
            if (cancelled || Poll() == PollResult::Stop) {
                cancelled = true;
                break;
            }

            for (platform::DWORD index = 0; index < valueCount; ++index) {
                std::memset(data.data(), 0, dirty);
                name[0] = '\0';
                platform::DWORD nameLength = kNameBuffer;
                platform::DWORD dataLength = kDataBuffer;
                platform::DWORD type = 0;
                const platform::LONG status = services_.RegEnumValueA(
                    key.get(), index, name.data(), &nameLength, &type, data.data(), &dataLength);
                if (Poll() == PollResult::Stop) {
                    cancelled = true;
                    break;
                }
                if (status != platform::ERROR_SUCCESS) {
                    // A name or data too long for the buffers: skipped, never judged on what
                    // the buffers still hold from the previous value.
                    dirty = kDataBuffer;
                    continue;
                }
                if (dataLength > kDataBuffer) dataLength = kDataBuffer;
                dirty = dataLength;
                const std::string valueName(name.data(), strnlen(name.data(), kNameBuffer));
                if (CheckValue(fullPath, valueName, data.data(), type, dataLength) == Verdict::Fine)
                    continue;
                ExactValue exact{plan_.root, current, {}, 0, {}};
                if (!ReadExact(services_, key.get(), index, exactName, exactData, exact)) continue;
                // Data outside the code page was judged by its nearest spelling, which may name
                // another file: a valid C:\Tōol\x.exe reads as the missing C:\Tool\x.exe.
                if (!platform::codepage::RoundTrips(exact.text)) continue;
                // A value the prefix's Wine installation writes into every prefix is no leftover.
                if (services_.IsInstallationEntry(plan_.root, exact.subKey, exact.name, exact.text))
                    continue;
                const ValueTexts texts =
                    TextForm(fullPath, valueName, type, data.data(), dataLength);
                AddProblem(texts.key, texts.name, texts.value, std::move(exact));
            }
            if (cancelled) break;
            queue.Pop();
        }
    }

    if (cancelled) {
        // What was not walked stays queued, as the work list shows it.
        for (const std::u16string& path : paths)
            plan_.workList->push_back(platform::codepage::Utf16ToAnsi(path));
        runState_ = RunState::Idle;
        Notify(ScanEvent::Cancelled);
        return;
    }
    // A Pause or Cancel that no poll of this walk saw (a walk whose keys are all missing
    // polls nothing) stays pending for the next walk.
    if (runState_ == RunState::Running) runState_ = RunState::Idle;
}

}  // namespace engine
