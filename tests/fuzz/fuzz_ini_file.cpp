// Settings written and read back: after every write, each key written so far
// reads back as its last value, and a key never written in a section reads
// as the fallback. The file may start with hand-written lines (no headers, no
// keys, perhaps without a last line end). Names stay within what the format
// holds: no CR or LF anywhere, no "=" in a key, no key starting with "[", and
// at most two sections, since a section runs to the last header after it.
// A file that begins as UTF-16 is refused and left as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "common/FileAccess.h"
#include "common/TextEncoding.h"
#include "settings/IniFile.h"

namespace {

using namespace qvx;

std::string Without(std::string text, std::string_view bytes) {
    std::erase_if(text, [&](char c) { return bytes.find(c) != std::string_view::npos; });
    return text;
}

std::string Name(FuzzedDataProvider& input, std::string_view forbidden, std::size_t index) {
    std::string name = Without(input.ConsumeRandomLengthString(10), forbidden);
    if (name.empty() || name.front() == '[') name = "k" + std::to_string(index);
    return name;
}

// A value no stored one can equal: values hold no LF.
const std::string kFallback = "\nfallback";

using Section = std::map<std::string, std::string>;  // key -> value

// The key line of one key must not be found by another: "ab=1" holds "b=".
bool KeyLinesStayApart(const Section& section, const std::string& key, const std::string& value) {
    const std::string line = key + "=" + value;
    for (const auto& [other, otherValue] : section) {
        if (other == key) continue;
        if (line.find(other + "=") != std::string::npos) return false;
        if ((other + "=" + otherValue).find(key + "=") != std::string::npos) return false;
    }
    return true;
}

void CheckEveryKey(const std::string& path, const std::vector<std::string>& sections,
                   const std::vector<std::string>& keys,
                   const std::map<std::string, Section>& stored) {
    for (const std::string& section : sections) {
        const auto found = stored.find(section);
        for (const std::string& key : keys) {
            const std::string read = ReadIniValue(path, section, key, kFallback);
            if (found != stored.end() && found->second.contains(key)) {
                QVX_FUZZ_CHECK(read == found->second.at(key));
            } else if (found == stored.end() || KeyLinesStayApart(found->second, key, "")) {
                QVX_FUZZ_CHECK(read == kFallback);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    static const std::string path = fuzz::PrivateFolder() + "/settings.ini";
    std::remove(path.c_str());
    std::string start;
    if (input.ConsumeBool()) {
        start = Without(input.ConsumeRandomLengthString(64), "[=");
        fuzz::WriteBytes(path, start);
    }
    if (!EncodingRefusal(start).empty()) {  // UTF-16 is neither read nor written to
        QVX_FUZZ_CHECK(!WriteIniValue(path, "s", "k", "v").ok() && ReadWholeFile(path) == start);
        return 0;
    }

    std::vector<std::string> sections{Name(input, "\r\n", 0)};
    const std::string second = Name(input, "\r\n", 1);
    if (second != sections.front()) sections.push_back(second);
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < 4; ++i) keys.push_back(Name(input, "\r\n=", i));

    std::map<std::string, Section> stored;
    while (input.remaining_bytes() > 0) {
        const std::string& section =
            sections[input.ConsumeIntegralInRange<std::size_t>(0, sections.size() - 1)];
        const std::string& key =
            keys[input.ConsumeIntegralInRange<std::size_t>(0, keys.size() - 1)];
        const std::string value = Without(input.ConsumeRandomLengthString(16), "\r\n");
        if (!KeyLinesStayApart(stored[section], key, value)) continue;
        QVX_FUZZ_CHECK(WriteIniValue(path, section, key, value).ok());
        stored[section][key] = value;
        CheckEveryKey(path, sections, keys, stored);
    }
    return 0;
}
