#include "app/ui/update_check.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>

#include "app/ui/link_label.h"
#include "base/interface_language.h"
#include "base/options.h"
#include "base/ui/shell_starter.h"

namespace tarvolin {

TNewVersionDlg::TNewVersionDlg(const TVersionFile& File, QWidget* Parent) : QDialog(Parent) {
    setWindowTitle(tr("New version available"));
    setMinimumSize(257, 184);
    resize(420, 300);
    setSizeGripEnabled(true);

    auto* Grid = new QGridLayout(this);
    auto* Icon = new QLabel(this);
    const int Side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    Icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(Side, Side));
    Grid->addWidget(Icon, 0, 0, 2, 1, Qt::AlignTop);

    auto* Line = new QHBoxLayout;
    Line->addWidget(new QLabel(tr("A new version is available:"), this));
    FVersion = new TLinkLabel(QString::fromStdString(File.VersionText), this);
    FVersion->setToolTip(QString::fromStdString(File.DownloadURL));
    const std::string URL = File.DownloadURL;
    FVersion->OnClick = [URL](const QString&) {
        // A failure to open the download page is not reported.
        try {
            if (!URL.empty()) OpenDocument(URL);
        } catch (const std::exception&) {
        }
    };
    Line->addWidget(FVersion);
    Line->addStretch(1);
    Grid->addLayout(Line, 0, 1);

    auto* LogLabel = new QLabel(tr("&Changelog:"), this);
    Grid->addWidget(LogLabel, 1, 1);
    FChangeLog = new QPlainTextEdit(this);
    FChangeLog->setReadOnly(true);
    FChangeLog->setPlainText(QString::fromStdString(File.ChangeLog));
    FChangeLog->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The Russian interface reads the Russian change log: its font must have Cyrillic letters.
    if (RussianUIActive()) {
        QFont Font = FChangeLog->font();
        if (!QFontDatabase::writingSystems(QFontInfo(Font).family()).contains(QFontDatabase::Cyrillic)) {
            const QStringList Families = QFontDatabase::families(QFontDatabase::Cyrillic);
            if (!Families.isEmpty()) {
                Font.setFamily(Families.front());
                FChangeLog->setFont(Font);
            }
        }
    }
    LogLabel->setBuddy(FChangeLog);
    Grid->addWidget(FChangeLog, 2, 0, 1, 2);
    Grid->setRowStretch(2, 1);
    Grid->setColumnStretch(1, 1);
}

void TNewVersionDlg::keyPressEvent(QKeyEvent* Event) {
    // Enter closes the dialog as Esc does.
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(Event);
}

TUpdateChecker::TUpdateChecker(QWidget* Window) : QObject(Window), FWindow(Window) {}

TUpdateChecker::~TUpdateChecker() {
    FCancel.Cancel();
    if (FThread.joinable()) FThread.join();
}

void TUpdateChecker::Start(const TUpdateCheck& Check) {
    if (FStarted) return;
    FStarted = true;
    if (Check.Server.empty()) {
        emit Finished(false);
        return;
    }
    FThread = std::thread([this, Check] {
        std::optional<TVersionFile> File = CheckForNewVersion(Check, &FCancel);
        // Delivered on the window's thread; dropped when this object is gone by then.
        QMetaObject::invokeMethod(this, [this, File] { Report(File); }, Qt::QueuedConnection);
    });
}

void TUpdateChecker::Report(const std::optional<TVersionFile>& File) {
    if (FThread.joinable()) FThread.join();
    if (File) {
        auto* Dialog = new TNewVersionDlg(*File, FWindow);
        Dialog->setAttribute(Qt::WA_DeleteOnClose);
        FDialog = Dialog;
        Dialog->open();
    }
    emit Finished(File.has_value());
}

} // namespace tarvolin
