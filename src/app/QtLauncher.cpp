#include "app/QtLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace qvx {

bool QtLauncher::StartDetached(const std::string& program, const std::string& workingFolder) {
    return QProcess::startDetached(QString::fromStdString(program), {},
                                   QString::fromStdString(workingFolder));
}

bool QtLauncher::OpenFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtLauncher::OpenUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

}  // namespace qvx
