#pragma once

#include <QRect>
#include <QString>
#include <string_view>

class QDialog;
class QWidget;

namespace qvx {

// Window geometry is given in twips, 15 to a pixel at 100 % scale.
inline constexpr int kTwipsPerPixel = 15;
inline QRect TwipRect(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}
inline QSize TwipSize(int width, int height) {
    return {width / kTwipsPerPixel, height / kTwipsPerPixel};
}

// QLineEdit's "no limit" (a limit of 0 would allow nothing).
inline constexpr int kNoCharacterLimit = 32767;

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Brings an input dialog up in place of the main window, with the keyboard
// in its first box.
void PresentInPlaceOfMainWindow(QDialog* dialog, QWidget* mainWindow, QWidget* firstBox);

}  // namespace qvx
