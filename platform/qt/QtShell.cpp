#include "platform/qt/QtShell.h"

#include "platform/qt/FreedesktopAssociation.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace vm {

bool QtShell::open(const std::string& fileOrAddress, const std::string& workingFolder) {
    const QString target = QString::fromStdString(fileOrAddress);
    const QUrl url =
        QUrl::fromUserInput(target, QString::fromStdString(workingFolder), QUrl::AssumeLocalFile);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool QtShell::start(const std::string& program, const std::string& workingFolder) {
    return QProcess::startDetached(QString::fromStdString(program), {},
                                   QString::fromStdString(workingFolder));
}

FileProgram QtShell::programFor(const std::string& file) {
    return freedesktopProgramFor(file);
}

} // namespace vm
