#include "engine/Explanation.h"

#include "platform/codepage/Codepage.h"

namespace engine {

std::string CheckedPathText(const CheckedPath& checked) {
    namespace codepage = platform::codepage;
    std::string text = "Looked for " + codepage::Utf16ToUtf8(codepage::AnsiToUtf16(checked.path));
    if (checked.wow64) text += " (32-bit view)";
    if (!checked.host.empty()) text += " \u2014 " + checked.host;
    text += checked.found ? ": found" : ": not found";
    if (!checked.why.empty()) text += (checked.host.empty() ? "; " : " (") + checked.why;
    if (!checked.why.empty() && !checked.host.empty()) text += ")";
    return text;
}

std::vector<CheckedPath> CheckedPaths(platform::Services& services, const ExistenceTest& paths) {
    std::vector<CheckedPath> checked;
    for (const ExistenceTest::Asked& asked : paths.Recorded()) {
        // A text with arguments behind its path names the file up to the first space after
        // its first dot: "C:\Gone\agent.exe /background".
        const std::size_t dot = asked.path.find('.');
        const std::string file =
            asked.path.substr(0, dot == std::string::npos ? dot : asked.path.find(' ', dot));
        CheckedPath path{file, asked.wow64, asked.found, {}, {}};
        path.host = services.HostPathOf(file.c_str(), &path.why);
        checked.push_back(std::move(path));
    }
    return checked;
}

}  // namespace engine
