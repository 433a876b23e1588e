#include "app/EditText.h"

#include "app/TextCodec.h"

namespace qvx {

std::string ToScriptText(const QString& editText) {
    QString text = editText;
    return ToBytes(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

int EditPosition(const QString& editText, std::size_t scriptOffset) {
    std::size_t bytes = 0;
    int index = 0;
    while (index < editText.size()) {
        const char32_t code =
            editText.at(index).isHighSurrogate() && index + 1 < editText.size()
                ? QChar::surrogateToUcs4(editText.at(index), editText.at(index + 1))
                : editText.at(index).unicode();
        const std::size_t width = code == U'\n'    ? 2
                                  : code < 0x80    ? 1
                                  : code < 0x800   ? 2
                                  : code < 0x10000 ? 3
                                                   : 4;
        if (bytes + width > scriptOffset) break;
        bytes += width;
        index += code >= 0x10000 ? 2 : 1;
    }
    return index;
}

}  // namespace qvx
