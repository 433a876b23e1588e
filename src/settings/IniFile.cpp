#include "settings/IniFile.h"

#include "common/FileAccess.h"
#include "common/FileExists.h"
#include "common/LineReader.h"
#include "common/TextFile.h"

namespace qvx {
namespace {

bool IsHeader(std::string_view line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

struct KeyLine {
    std::size_t index = 0;  // among the non-blank lines
    std::string value;
};

// Where the section, its bound and the keys' lines stand, found in one pass.
struct IniLayout {
    std::string error;                // why the file could not be read to its end
    bool missing = false;             // it could not be read because it does not exist
    bool endsWithoutLineEnd = false;  // the last line lacks its line end
    std::optional<std::size_t> section;
    std::optional<std::size_t> bound;
    std::vector<std::optional<KeyLine>> keys;
};

IniLayout Locate(const std::string& path, const std::string& section,
                 std::span<const std::string> keys) {
    IniLayout layout;
    layout.keys.resize(keys.size());
    LineReader reader(path);
    if (!reader.status().ok()) {
        layout.error = reader.status().error();
        layout.missing = !FileExists(path);
        return layout;
    }
    const std::string header = "[" + section + "]";
    // Key lines found before the latest header after the section (inside the
    // range should no later header come), and since that header.
    std::vector<std::optional<KeyLine>> sinceHeader(keys.size());
    std::size_t index = 0;
    for (std::string_view line; reader.Next(line);) {
        layout.endsWithoutLineEnd = reader.LineEnd().empty();
        if (line.empty()) continue;
        if (line == header) {
            layout.section = index;
            layout.bound.reset();
            layout.keys.assign(keys.size(), std::nullopt);
            sinceHeader.assign(keys.size(), std::nullopt);
        } else if (layout.section && IsHeader(line)) {
            layout.bound = index;
            for (std::size_t k = 0; k < keys.size(); ++k) {
                if (sinceHeader[k]) layout.keys[k] = std::move(sinceHeader[k]);
                sinceHeader[k].reset();
            }
        } else if (layout.section) {
            for (std::size_t k = 0; k < keys.size(); ++k) {
                if (line.find(keys[k] + "=") == std::string_view::npos) continue;
                sinceHeader[k] = KeyLine{index, std::string(line.substr(line.find('=') + 1))};
            }
        }
        ++index;
    }
    layout.error = reader.status().error();
    // Without a header after the section the range runs to the end.
    if (!layout.bound) layout.keys = std::move(sinceHeader);
    return layout;
}

// Writes the file anew from its non-blank lines: line `replace` becomes
// `keyLine`, or `keyLine` goes before line `insertBefore`, or at the end.
Result<void> RewriteIni(const std::string& path, const std::string& keyLine,
                        std::optional<std::size_t> replace,
                        std::optional<std::size_t> insertBefore) {
    Result<ReplacementFile> file = ReplacementFile::Create(path);
    if (!file) return Fail(file.error());
    LineReader reader(path);
    const auto write = [&file](std::string_view line) {
        Result<void> written = file->Write(line);
        return written ? file->Write(kLineEnd) : written;
    };
    if (Result<void> written = file->Write(reader.Utf8Mark()); !written) return written;
    std::size_t index = 0;
    for (std::string_view line; reader.Next(line);) {
        if (line.empty()) continue;
        Result<void> written = index == insertBefore ? write(keyLine) : Result<void>{};
        if (written) written = write(index == replace ? std::string_view(keyLine) : line);
        if (!written) return written;
        ++index;
    }
    if (!reader.status().ok()) {
        return Fail("could not read the file " + path + ": " + reader.status().error() + ".");
    }
    if (!replace && !insertBefore) {
        if (Result<void> written = write(keyLine); !written) return written;
    }
    return file->Commit();
}

}  // namespace

std::vector<std::optional<std::string>> ReadIniValues(const std::string& path,
                                                      const std::string& section,
                                                      std::span<const std::string> keys) {
    IniLayout layout = Locate(path, section, keys);
    std::vector<std::optional<std::string>> values(keys.size());
    if (!layout.error.empty()) return values;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (layout.keys[k]) values[k] = std::move(layout.keys[k]->value);
    }
    return values;
}

std::string ReadIniValue(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& fallback) {
    return ReadIniValues(path, section, std::span(&key, 1))[0].value_or(fallback);
}

Result<void> WriteIniValue(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& value) {
    const std::string keyLine = key + "=" + value;
    const IniLayout layout = Locate(path, section, std::span(&key, 1));
    // A file that cannot be read is not added to: the new value would not
    // be read back either.
    if (!layout.error.empty() && !layout.missing) return Fail(WriteFailure(path, layout.error));
    if (layout.missing || !layout.section) {
        // A hand-edited file may lack its last line end: start on a line of
        // our own so its last value is not changed.
        std::string appended = layout.endsWithoutLineEnd ? std::string(kLineEnd) : "";
        appended += "[" + section + "]" + std::string(kLineEnd) + keyLine + std::string(kLineEnd);
        return AppendToFile(path, appended);
    }
    if (layout.keys[0]) return RewriteIni(path, keyLine, layout.keys[0]->index, std::nullopt);
    return RewriteIni(path, keyLine, std::nullopt, layout.bound);
}

}  // namespace qvx
