#include "common/TextEncoding.h"

#include <unistd.h>

#include "common/FileAccess.h"

namespace qvx {

std::string_view Utf8MarkOf(std::string_view text) {
    return text.starts_with(kUtf8Mark) ? kUtf8Mark : std::string_view();
}

std::string_view EncodingRefusal(std::string_view start) {
    const bool utf16 = start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF");
    return utf16 ? kUtf16Refusal : std::string_view();
}

std::string Utf8MarkOfFile(const std::string& path) {
    std::string error;
    const FileHandle file = OpenForReading(path, error);
    char start[kUtf8Mark.size()];
    const ssize_t got = file ? ::pread(file.get(), start, sizeof start, 0) : 0;
    return std::string(Utf8MarkOf(std::string_view(start, got > 0 ? std::size_t(got) : 0)));
}

}  // namespace qvx
