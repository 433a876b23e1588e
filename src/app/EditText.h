#pragma once

#include <QString>
#include <cstddef>
#include <string>

namespace qvx {

// The edit area holds "\n" line breaks; the rest of the program sees its text
// as lines joined by CR LF, in UTF-8 (what is saved, what the line check
// reads). These convert the text and positions between the two forms.
std::string ToScriptText(const QString& editText);

// The position in the edit text of a byte offset into ToScriptText's result.
// An offset inside a CR LF or a multi-byte character maps to its start.
int EditPosition(const QString& editText, std::size_t scriptOffset);

}  // namespace qvx
