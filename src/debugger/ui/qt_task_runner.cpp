#include "debugger/ui/qt_task_runner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTimer>

#include <atomic>
#include <exception>
#include <thread>

namespace tarvolin {

namespace {

// The progress object handed to the work: reports travel to the dialog's thread as queued
// calls, which Qt drops when the dialog is gone; the cancel flag is read from any thread.
class TQueuedProgress : public TTaskProgress {
public:
    TQueuedProgress(QProgressDialog& Dialog, QLabel* StatusLabel) : FDialog(&Dialog), FStatusLabel(StatusLabel) {}

    void Status(const std::string& Text) override {
        const QString t = QString::fromStdString(Text);
        QPointer<QLabel> Label = FStatusLabel;
        QProgressDialog* Dialog = FDialog;
        QMetaObject::invokeMethod(
            Dialog,
            [Dialog, Label, t] {
                Dialog->setLabelText(t);
                if (Label) Label->setText(t);
            },
            Qt::QueuedConnection);
    }
    void Progress(uint64_t Done, uint64_t Total) override {
        QProgressDialog* Dialog = FDialog;
        // Kibibytes keep the values inside the dialog's int range.
        const int d = static_cast<int>(std::min<uint64_t>(Done / 1024, INT32_MAX));
        const int t = static_cast<int>(std::min<uint64_t>(Total / 1024, INT32_MAX));
        QMetaObject::invokeMethod(
            Dialog,
            [Dialog, d, t] {
                if (Dialog->wasCanceled()) return;
                Dialog->setMaximum(t > 0 ? t : 0); // 0..0 is the busy indication
                if (t > 0) Dialog->setValue(std::min(d, t));
            },
            Qt::QueuedConnection);
    }
    bool Cancelled() const override { return FCancelled.load(); }
    void Cancel() { FCancelled.store(true); }

private:
    QProgressDialog* FDialog;
    QLabel* FStatusLabel;
    std::atomic<bool> FCancelled{false};
};

} // namespace

void TQtTaskRunner::RunTask(const std::string& Title, const std::function<void(TTaskProgress&)>& Work) {
    // The status bar shows the task's texts in the window's own colour and gets back what it
    // showed before.
    const QString PreviousText = FStatusLabel ? FStatusLabel->text() : QString();
    const QPalette PreviousPalette = FStatusBar ? FStatusBar->palette() : QPalette();
    if (FStatusBar && FParent) FStatusBar->setPalette(FParent->palette());

    QProgressDialog Dialog(QString::fromStdString(Title), QCoreApplication::translate("TQtTaskRunner", "Cancel"), 0, 0,
                           FParent);
    Dialog.setWindowTitle(QString::fromStdString(Title));
    Dialog.setWindowModality(Qt::ApplicationModal);
    Dialog.setAutoReset(false);
    Dialog.setAutoClose(false);
    Dialog.setMinimumDuration(0);
    Dialog.setMinimumWidth(360);
    FActive = &Dialog;

    TQueuedProgress Progress(Dialog, FStatusLabel);
    // Cancel, Esc and closing the dialog all stop the work; the dialog stays up until the
    // work has stopped.
    auto Cancel = [&] {
        if (Progress.Cancelled()) return;
        Progress.Cancel();
        Dialog.setLabelText(QCoreApplication::translate("TQtTaskRunner", "Cancelling..."));
        Dialog.show();
    };
    QObject::connect(&Dialog, &QProgressDialog::canceled, &Dialog, Cancel);
    QTimer Watch;
    QObject::connect(&Watch, &QTimer::timeout, &Dialog, [&] {
        if (Dialog.wasCanceled() || !Dialog.isVisible()) Cancel();
    });
    Watch.start(50);

    QEventLoop Loop;
    std::exception_ptr Failure;
    std::atomic<bool> Finished{false};
    Dialog.show();
    std::thread Worker([&] {
        try {
            Work(Progress);
        } catch (...) {
            Failure = std::current_exception();
        }
        Finished.store(true);
        QMetaObject::invokeMethod(&Loop, "quit", Qt::QueuedConnection);
    });
    // The window keeps painting and the dialog keeps answering; input to other windows is
    // blocked by the dialog's modality.
    while (!Finished.load()) Loop.exec();
    Worker.join();
    Watch.stop();
    FActive = nullptr;
    Dialog.hide();

    if (FStatusLabel) FStatusLabel->setText(PreviousText);
    if (FStatusBar) FStatusBar->setPalette(PreviousPalette);
    if (Failure) std::rethrow_exception(Failure);
}

} // namespace tarvolin
