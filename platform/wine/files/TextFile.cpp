#include <cstdio>

#include "platform/LineEnds.h"
#include "platform/wine/files/TextFiles.h"

namespace platform::wine::files {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

class HostTextFile final : public TextFile {
public:
    explicit HostTextFile(std::FILE* file) : file_(file) {}
    ~HostTextFile() override { Close(); }

    bool ReadString(std::string& line) override {
        line.clear();
        if (!file_) return false;
        bool any = false;
        int c;
        while ((c = std::getc(file_.get())) != EOF) {
            any = true;
            if (c == '\n') break;
            line.push_back(static_cast<char>(c));
        }
        if (!any) return false;
        if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }

    bool WriteString(std::string_view text) override {
        if (!file_) return false;
        const std::string converted = ToCrLf(text);
        if (std::fwrite(converted.data(), 1, converted.size(), file_.get()) != converted.size())
            failed_ = true;
        return !failed_;
    }

    void SeekToEnd() override {
        if (file_) std::fseek(file_.get(), 0, SEEK_END);
    }

    bool Close() override {
        if (!file_) return !failed_;
        if (std::fflush(file_.get()) != 0) failed_ = true;
        if (std::fclose(file_.release()) != 0) failed_ = true;
        return !failed_;
    }

private:
    std::unique_ptr<std::FILE, FileCloser> file_;
    bool failed_ = false;
};

}  // namespace

std::unique_ptr<TextFile> OpenHostTextFile(const std::string& hostPath, TextFileMode mode) {
    const char* flags = mode == TextFileMode::Read          ? "rb"
                        : mode == TextFileMode::CreateWrite ? "wb"
                                                            : "ab";
    std::FILE* file = std::fopen(hostPath.c_str(), flags);
    if (!file) return nullptr;
    return std::make_unique<HostTextFile>(file);
}

}  // namespace platform::wine::files
