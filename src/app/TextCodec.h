#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qvx {

// Bytes from files and the core become text for the screen: UTF-8 when they
// are valid UTF-8, Latin-1 otherwise, so no script is shown as garbage.
QString ToDisplayText(std::string_view bytes);

// Text typed by the user reaches files and the core as UTF-8.
std::string ToBytes(const QString& text);

}  // namespace qvx
