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

std::string FirstBytes(const std::string& path, std::size_t count) {
    const Result<FileHandle> file = OpenForReading(path);
    std::string start(count, '\0');
    const ssize_t got = file ? ::pread(file->get(), start.data(), count, 0) : 0;
    start.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return start;
}

}  // namespace qvx
