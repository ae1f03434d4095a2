#include "debugger/ui/main_frm.h"

#include <QApplication>
#include <algorithm>
#include <vector>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolTip>
#include <QVBoxLayout>

#include "base/ui/shell_starter.h"
#include "debugger/pane_texts.h"
#include "debugger/session_format.h"
#include "debugger/ui/input_panel.h"
#include "debugger/ui/lcd_image_widget.h"

namespace tarvolin {

namespace {

const QEvent::Type AfterShowEvent = static_cast<QEvent::Type>(QEvent::User + 1);

QColor RGBColour(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

} // namespace

TMainFrm::TMainFrm(TSettings& Settings, QWidget* Parent) : QMainWindow(Parent), FSettings(Settings) {
    setWindowTitle(TDebugger::ApplicationName);
    FPreviousReporter = SetMessageReporter(&FReporter);
    FLoop = new TMainLoop(FPrompter, this);
    FActions = new TDebugActions(*this, *this, FTools);
    CreateWidgets();

    FDebugger = std::make_unique<TDebugger>(
        TDebuggerViews{*this, *FDisAsm, *FValuePanes, *FLCDView, *FInputPanel, FTools}, FPrompter, FSettings);
    FTaskRunner = std::make_unique<TQtTaskRunner>(this, FStatusLabel, statusBar());
    FDebugger->Loading().SetTaskRunner(FTaskRunner.get());
    FLoop->SetDebugger(FDebugger.get());
    FActions->SetDebugger(FDebugger.get());
    FDisAsm->SetDebugger(FDebugger.get());
    FValuePanes->SetDebugger(FDebugger.get());
    FLCDView->SetDebugger(FDebugger.get());
    FInputPanel->SetDebugger(FDebugger.get());
    FTools.SetDebugger(FDebugger.get());
    FActions->SetGameMenu(GameMenuEntries());
    // A language change restarts the program when the user wants it now: this run ends like a
    // closed window (asking about unsaved work), then the program starts again.
    FDebugger->OptionsDialog().OnRestart = [this] {
        if (close()) RestartProgram();
    };

    // Game keys reach the game controls before the focused widget sees them.
    qApp->installEventFilter(this);
    Command([this] { FDebugger->Initialize(); });
    ApplyDebugShortcuts();
    QSize size(1240, 820);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
}

TMainFrm::~TMainFrm() {
    FLoop->Stop();
    qApp->removeEventFilter(this);
    // The features still talk to the views while they close the game.
    FDebugger.reset();
    FTaskRunner.reset();
    SetMessageReporter(FPreviousReporter);
}

void TMainFrm::RunCommand(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
    FLoop->Ensure();
}

// ---------------------------------------------------------------------------------------------
// Widgets

void TMainFrm::CreateWidgets() {
    auto* central = new QWidget(this);
    auto* h = new QHBoxLayout(central);
    h->setContentsMargins(4, 4, 4, 4);
    auto* splitter = FSplitter = new QSplitter(Qt::Horizontal, central);
    h->addWidget(splitter);

    // Left: the disassembly pane with the input panel under it, or the start panel.
    FLeftStack = new QStackedWidget(splitter);
    auto* start = new QLabel(
        "Start by either opening a game from the Game menu,\nor by loading a previously saved debug session.",
        FLeftStack);
    start->setAlignment(Qt::AlignCenter);
    start->setFrameShape(QFrame::StyledPanel);
    FStartInfoPanel = start;
    FDisAsmPage = new QWidget(FLeftStack);
    auto* left = new QVBoxLayout(FDisAsmPage);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(2);
    FDisAsm = new TDisAsmPane(*FActions, *this, FDisAsmPage);
    left->addWidget(FDisAsm, 1);
    // The input panel sits under the disassembly list, where the list can spare the room.
    FInputPanel = new TInputPanel(*this, FDisAsmPage);
    FInputPanel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    left->addWidget(FInputPanel);
    FLeftStack->addWidget(FStartInfoPanel);
    FLeftStack->addWidget(FDisAsmPage);
    FLeftStack->setCurrentWidget(FStartInfoPanel);
    FLeftStack->setMinimumWidth(380);

    // Right: registers, RAM and LCD.
    auto* rightPanel = FRightPanel = new QWidget(splitter);
    auto* right = new QVBoxLayout(rightPanel);
    right->setContentsMargins(0, 0, 0, 0);
    FPanes = new TStatePanes(rightPanel);
    right->addWidget(FPanes);
    splitter->addWidget(FLeftStack);
    splitter->addWidget(rightPanel);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({560, 660});
    setCentralWidget(central);

    FValuePanes = new TValuePanesView(*FPanes, *FDisAsm, *FLoop, *this);
    FValuePanes->SetInputPanel(FInputPanel);
    FValuePanes->SetToolWindows(&FTools);
    connect(FInputPanel, &TInputPanel::RawButtonPopupRequested, FValuePanes,
            [this](TRawButton Button, const QPoint& Pos) {
                FValuePanes->ShowValuePopupFor({TValueKind::RawInput, Button}, Pos);
            });
    FLCDView = new TLCDPictureView(*FPanes->LCDImage, *FPanes->LCDImageThemeNameLabel, *FLoop, *this);
    FLCDView->SetToolWindows(&FTools);
    FLoop->AddDeferredDrawing(*FValuePanes);
    FLoop->AddDeferredDrawing(*FLCDView);

    FStatusLabel = new QLabel(this);
    statusBar()->addWidget(FStatusLabel, 1);
    statusBar()->setAutoFillBackground(true);
    statusBar()->setSizeGripEnabled(true);
}

QColor TMainFrm::StatusBarColour() const { return statusBar()->palette().color(QPalette::Window); }

// ---------------------------------------------------------------------------------------------
// TWindowView

void TMainFrm::SetStatus(const std::string& Text, TStatusColour Colour) {
    FStatusLabel->setText(QString::fromStdString(Text));
    QPalette p = statusBar()->palette();
    switch (Colour) {
    case TStatusColour::Normal: p = palette(); break;
    case TStatusColour::Running: p.setColor(QPalette::Window, RGBColour(RunningStatusColourRGB)); break;
    case TStatusColour::Highlight: p.setColor(QPalette::Window, RGBColour(HighlightStatusColourRGB)); break;
    }
    statusBar()->setPalette(p);
}

void TMainFrm::SetCaption(const std::string& Caption) { setWindowTitle(QString::fromStdString(Caption)); }

void TMainFrm::CommandStatesChanged(const TCommandStates& S) {
    FActions->ApplyStates(S);
    FDisAsm->ApplyStates(S);
    FValuePanes->ApplyStates(S);
    FLCDView->ApplyStates(S);
    FLeftStack->setCurrentWidget(S.StartPanelVisible ? FStartInfoPanel : FDisAsmPage);
    FLoop->Ensure();
}

void TMainFrm::SetBusy(bool Busy) {
    if (Busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------------------------------------
// Placement and panel width, as debug sessions keep them

namespace {

// The frame's extent around the window's client area (none before the window manager framed it).
QMargins FrameMargins(const QWidget& W) {
    const QRect f = W.frameGeometry(), g = W.geometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

} // namespace

bool TMainFrm::GetWindowPlacement(TWindowPlacement& P) const {
    const QRect n = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    if (!n.isValid()) return false;
    const QMargins m = FrameMargins(*this);
    P = TWindowPlacement{};
    P.Left = n.left() - m.left();
    P.Top = n.top() - m.top();
    P.Right = n.right() + 1 + m.right();
    P.Bottom = n.bottom() + 1 + m.bottom();
    P.ShowCmd = isMinimized() ? TWindowPlacement::ShowMinimized
                : isMaximized() ? TWindowPlacement::ShowMaximized
                                : TWindowPlacement::ShowNormal;
    if (isMinimized() && (windowState() & Qt::WindowMaximized)) P.Flags = TWindowPlacement::RestoreToMaximized;
    return true;
}

void TMainFrm::SetWindowPlacement(const TWindowPlacement& P) {
    std::vector<TScreenRect> Screens;
    if (const QScreen* Primary = QGuiApplication::primaryScreen()) {
        const QRect a = Primary->availableGeometry();
        Screens.push_back({a.left(), a.top(), a.right() + 1, a.bottom() + 1});
    }
    for (const QScreen* Screen : QGuiApplication::screens()) {
        if (Screen == QGuiApplication::primaryScreen()) continue;
        const QRect a = Screen->availableGeometry();
        Screens.push_back({a.left(), a.top(), a.right() + 1, a.bottom() + 1});
    }
    const TScreenRect r = FitOntoScreens({P.Left, P.Top, P.Right, P.Bottom}, Screens);
    const QMargins m = FrameMargins(*this);
    // A window that was minimised when it was saved comes back as it would be restored.
    const bool Maximized = P.ShowCmd == TWindowPlacement::ShowMaximized ||
                           (P.ShowCmd == TWindowPlacement::ShowMinimized && (P.Flags & TWindowPlacement::RestoreToMaximized));
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    setGeometry(r.Left + m.left(), r.Top + m.top(), std::max(1, r.Width() - m.left() - m.right()),
                std::max(1, r.Height() - m.top() - m.bottom()));
    if (Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

int TMainFrm::RightPanelWidth() const { return FRightPanel->width(); }

void TMainFrm::SetRightPanelWidth(int Width) {
    const QList<int> Sizes = FSplitter->sizes();
    int Total = 0;
    for (int s : Sizes) Total += s;
    const int Min = FRightPanel->minimumSizeHint().width();
    const int Max = std::max(Min, Total - FLeftStack->minimumWidth());
    const int W = std::clamp(Width, Min, Max);
    FSplitter->setSizes({std::max(0, Total - W), W});
}

// ---------------------------------------------------------------------------------------------
// Window events

void TMainFrm::showEvent(QShowEvent* Event) {
    QMainWindow::showEvent(Event);
    if (!FShownOnce) {
        FShownOnce = true;
        QApplication::postEvent(this, new QEvent(AfterShowEvent));
    }
}

bool TMainFrm::event(QEvent* Event) {
    if (Event->type() == AfterShowEvent) {
        AfterShow();
        return true;
    }
    return QMainWindow::event(Event);
}

bool TMainFrm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::ToolTip && Watched->isWidgetType()) {
        // Hints stay up for 20 seconds, long enough for the longer ones.
        auto* w = static_cast<QWidget*>(Watched);
        if (w->window() == this && !w->toolTip().isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(Event)->globalPos(), w->toolTip(), w, {}, 20000);
            return true;
        }
    }
    if ((Event->type() == QEvent::KeyPress || Event->type() == QEvent::KeyRelease) && FInputPanel &&
        Watched->isWidgetType() && static_cast<QWidget*>(Watched)->window() == this) {
        auto* ke = static_cast<QKeyEvent*>(Event);
        const bool taken = Event->type() == QEvent::KeyPress
                               ? FInputPanel->KeyPress(ke->key(), ke->modifiers(), ke->isAutoRepeat())
                               : FInputPanel->KeyRelease(ke->key(), ke->modifiers(), ke->isAutoRepeat());
        if (taken) return true;
    }
    return QMainWindow::eventFilter(Watched, Event);
}

void TMainFrm::AfterShow() {
    FDisAsm->FocusList();
    emit FirstShown();
    if (!FCommandLineArgument.empty()) {
        const std::string arg = FCommandLineArgument;
        FCommandLineArgument.clear();
        Command([&] { FDebugger->Loading().HandleCommandLine(arg); });
    }
}

void TMainFrm::closeEvent(QCloseEvent* Event) {
    bool ok = true;
    Command([&] { ok = FDebugger->Loading().CanCloseGame(true); });
    if (ok) {
        FLoop->Stop();
        Event->accept();
    } else {
        Event->ignore();
    }
}

} // namespace tarvolin
