// The check made at Enter on arbitrary text, and its several-line form: a
// selection, when one is returned, lies inside the text and is one whole
// command line; a single line that is no command is never selected.
#include <string>

#include "FuzzSupport.h"
#include "checker/TypedCheck.h"
#include "support/RecordingPrompts.h"

namespace {

using namespace qvx;

void CheckSelection(const std::optional<TextSelection>& selection, std::string_view text) {
    if (!selection) return;
    QVX_FUZZ_CHECK(selection->start <= text.size());
    QVX_FUZZ_CHECK(selection->length <= text.size() - selection->start);
    const std::size_t end = selection->start + selection->length;
    const auto lineEnd = [](char c) { return c == '\r' || c == '\n'; };
    QVX_FUZZ_CHECK(selection->start == 0 || lineEnd(text[selection->start - 1]));
    QVX_FUZZ_CHECK(end == text.size() || lineEnd(text[end]));
    const std::string_view line = text.substr(selection->start, selection->length);
    QVX_FUZZ_CHECK(line.starts_with("[:"));
    // A single line is selected whole, line ends and all; one of several never
    // reaches past its own end.
    if (selection->start > 0 || end < text.size()) {
        QVX_FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    static const ProgramPaths paths = ProgramPaths::InFolder(fuzz::PrivateFolder());
    RecordingPrompts prompts;
    prompts.keep = false;

    const auto typed = CheckTypedText(text, paths, prompts);
    CheckSelection(typed, text);
    const bool oneLine = text.find("\r\n") == std::string_view::npos;
    if (oneLine && !text.starts_with("[:")) QVX_FUZZ_CHECK(!typed);

    CheckSelection(CheckTypedLines(text, paths, prompts), text);
    return 0;
}
