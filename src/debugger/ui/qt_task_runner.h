// Runs a long operation on a worker thread while the window stays responsive: a modal progress
// dialog with Cancel shows what runs, the status bar shows the operation's status texts, and
// a nested event loop keeps the window painting until the work has finished.
#pragma once

#include <QPointer>
#include <QProgressDialog>

#include "debugger/task_runner.h"

class QLabel;
class QStatusBar;
class QWidget;

namespace tarvolin {

class TQtTaskRunner : public TTaskRunner {
public:
    TQtTaskRunner(QWidget* Parent, QLabel* StatusLabel, QStatusBar* StatusBar)
        : FParent(Parent), FStatusLabel(StatusLabel), FStatusBar(StatusBar) {}

    void RunTask(const std::string& Title, const std::function<void(TTaskProgress&)>& Work) override;

    // The dialog of the task that runs now, nullptr when none runs (tests press its Cancel).
    QProgressDialog* ActiveDialog() const { return FActive; }

private:
    QWidget* FParent;
    QLabel* FStatusLabel;
    QStatusBar* FStatusBar;
    QPointer<QProgressDialog> FActive;
};

} // namespace tarvolin
