// The update check of the window: it runs on a thread of its own once the window is first
// shown, with a time limit, and shows the new-version dialog when the configured server names
// a newer version. It never reports a failure.
#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "net/version_check.h"

class QPlainTextEdit;

namespace tarvolin {

class TLinkLabel;

// "New version available": the version as a link to the download page, and the change log.
class TNewVersionDlg : public QDialog {
    Q_OBJECT
public:
    TNewVersionDlg(const TVersionFile& File, QWidget* Parent = nullptr);
    TLinkLabel* VersionLink() const { return FVersion; }
    QPlainTextEdit* ChangeLog() const { return FChangeLog; }

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    TLinkLabel* FVersion = nullptr;
    QPlainTextEdit* FChangeLog = nullptr;
};

class TUpdateChecker : public QObject {
    Q_OBJECT
public:
    explicit TUpdateChecker(QWidget* Window);
    // Stops a check that still runs and waits for its thread.
    ~TUpdateChecker() override;

    // Starts the check once; later calls do nothing. Without a server nothing is requested.
    void Start(const TUpdateCheck& Check);

    // The new-version dialog shown last (nullptr when none is open).
    TNewVersionDlg* Dialog() const { return FDialog; }

signals:
    // The check has ended; NewVersion when the dialog was shown.
    void Finished(bool NewVersion);

private:
    class TCancelFlag : public TSilentProgress {
    public:
        bool Cancelled() const override { return FCancelled.load(); }
        void Cancel() { FCancelled.store(true); }

    private:
        std::atomic<bool> FCancelled{false};
    };

    void Report(const std::optional<TVersionFile>& File);

    QWidget* FWindow;
    bool FStarted = false;
    TCancelFlag FCancel;
    std::thread FThread;
    QPointer<TNewVersionDlg> FDialog;
};

} // namespace tarvolin
