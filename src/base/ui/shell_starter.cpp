#include "base/ui/shell_starter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <stdexcept>

#include "base/shell_errors.h"

namespace tarvolin {

namespace {

QUrl TargetUrl(const std::string& FileName) {
    const QString Text = QString::fromStdString(FileName);
    const QUrl Url(Text, QUrl::TolerantMode);
    // A scheme of two letters or more: a link or a mail address; else a local path.
    if (Url.isValid() && Url.scheme().size() >= 2) return Url;
    return QUrl::fromLocalFile(QFileInfo(Text).absoluteFilePath());
}

struct TBusyCursor {
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

void OpenDocument(const std::string& FileName) {
    bool Opened = false;
    {
        TBusyCursor Busy;
        Opened = QDesktopServices::openUrl(TargetUrl(FileName));
    }
    if (!Opened) throw std::runtime_error(ShellOpenFailure(FileName, ShellResultOfFailedOpen(FileName)));
}

void ShellExecuteProgram(const std::string& FileName, const std::string& Parameters, int ShowCmd) {
    const QStringList Arguments = QString::fromStdString(Parameters).split(' ', Qt::SkipEmptyParts);
    if (!QProcess::startDetached(QString::fromStdString(FileName), Arguments))
        throw std::runtime_error(
            ShellExecuteFailure(FileName, Parameters, ShowCmd, ShellResultOfFailedStart(FileName)));
}

void RestartProgram() {
    ShellExecuteProgram(QCoreApplication::applicationFilePath().toStdString(), "", ShellShowNormal);
}

} // namespace tarvolin
