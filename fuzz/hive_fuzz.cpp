// Any bytes as a hive file. Besides surviving them, the reader and writer must agree:
//  - read in two halves (meeting at a place taken from the input), the file gives exactly
//    what one pass gives: success, error, problem, header, tree, written text;
//  - a clean file written back reads again to the same content, and writing that again
//    gives the same text (times aside: an unchanged block is written as it was read, and
//    its key's time is never used);
//  - with every key written anew in Wine's layout, the text reads back to the same content
//    and times (keys the writer leaves out, those with only subkeys, keep no time of their
//    own, nor do keys whose time is 0, which reads as none).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

#include "fuzz/HiveDump.h"
#include "platform/wine/registry/HiveModel.h"

namespace {

using fuzzing::DumpDetail;
using fuzzing::DumpTree;
using platform::wine::registry::Hive;
using platform::wine::registry::Key;
using platform::wine::registry::ParseHiveSplit;
using platform::wine::registry::SerializeHive;

struct Reading {
    Hive hive;
    bool ok = false;
    std::string error;
};

void Read(Reading& r, std::string text, std::size_t splitFrom) {
    r.hive.path = "system.reg";
    r.hive.text = std::move(text);
    r.ok = ParseHiveSplit(r.hive, r.error, splitFrom);
}

[[noreturn]] void Violated(const char* what, const std::string& a, const std::string& b) {
    std::fprintf(stderr, "%s\n--- first ---\n%s\n--- second ---\n%s\n", what, a.c_str(), b.c_str());
    std::abort();
}

void ExpectSame(const char* what, const std::string& a, const std::string& b) {
    if (a != b) Violated(what, a, b);
}

void ExpectSameTree(const char* what, const Key& a, const Key& b, DumpDetail detail) {
    if (!fuzzing::SameTree(a, b, detail)) Violated(what, DumpTree(a, detail), DumpTree(b, detail));
}

// Keys the writer leaves out take their time from the first key below them when read back,
// and so do keys without a time (0, which the model reads as none): their times are not
// compared. `written` is the tree read back; where its shape differs the trees differ anyway.
void ForgetTimesNotWritten(Key& original, Key& written) {
    const bool unwritten = original.values.empty() && !original.children.empty() &&
                           !original.hasClass && !original.isLink;
    if (unwritten || original.filetime == 0) original.filetime = written.filetime = 0;
    if (original.children.size() != written.children.size()) return;
    for (std::size_t i = 0; i < original.children.size(); ++i)
        ForgetTimesNotWritten(*original.children[i], *written.children[i]);
}

void CheckSplit(const std::string& text, const Reading& whole) {
    // A meeting point taken from the input itself, so the fuzzer can steer it.
    const std::size_t from = std::hash<std::string_view>{}(text) % (text.size() + 1);
    Reading split;
    Read(split, text, from);
    ExpectSame("split: success", std::to_string(whole.ok), std::to_string(split.ok));
    ExpectSame("split: error", whole.error, split.error);
    ExpectSame("split: problem", whole.hive.problem, split.hive.problem);
    ExpectSame("split: header", std::string(whole.hive.header), std::string(split.hive.header));
    if (!whole.ok) return;
    ExpectSameTree("split: tree", *whole.hive.root, *split.hive.root, DumpDetail::Loaded);
    if (whole.hive.problem.empty())
        ExpectSame("split: written", SerializeHive(whole.hive), SerializeHive(split.hive));
}

void CheckWrittenAsRead(Reading& whole) {
    const std::string written = SerializeHive(whole.hive);
    Reading again;
    Read(again, written, std::string::npos);
    if (!again.ok || !again.hive.problem.empty())
        Violated("written text does not read", written, again.error + again.hive.problem);
    ExpectSameTree("written: content", *whole.hive.root, *again.hive.root, DumpDetail::Content);
    ExpectSame("written: written again", written, SerializeHive(again.hive));

    fuzzing::MarkAllChanged(*whole.hive.root);
    const std::string anew = SerializeHive(whole.hive);
    Reading fresh;
    Read(fresh, anew, std::string::npos);
    if (!fresh.ok || !fresh.hive.problem.empty())
        Violated("text written anew does not read", anew, fresh.error + fresh.hive.problem);
    ForgetTimesNotWritten(*whole.hive.root, *fresh.hive.root);
    ExpectSameTree("written anew: content", *whole.hive.root, *fresh.hive.root, DumpDetail::Times);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Reading whole;
    Read(whole, text, std::string::npos);
    CheckSplit(text, whole);
    if (whole.ok && whole.hive.problem.empty()) CheckWrittenAsRead(whole);
    return 0;
}
