#include "debugger/ui/main_frm.h"

#include <QApplication>
#include <algorithm>
#include <vector>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QToolBar>
#include <QUrl>
#include <cmath>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolTip>
#include <QVBoxLayout>

#include "base/ui/shell_starter.h"
#include "debugger/pane_texts.h"
#include "debugger/session_format.h"
#include "debugger/ui/input_panel.h"
#include "debugger/ui/live_sound_view.h"
#include "debugger/ui/lcd_image_widget.h"
#include "persist/settings.h"

namespace tarvolin {

namespace {

const QEvent::Type AfterShowEvent = static_cast<QEvent::Type>(QEvent::User + 1);

constexpr double RealTimeCyclesPerSecond = 16384.0;

// Where the window keeps its geometry and dock arrangement in the settings.
const char* const LayoutGroup = "Window";
const char* const LayoutGeometry = "Geometry";
const char* const LayoutState = "DockState";
constexpr int LayoutVersion = 1;

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
    FLiveSoundView = new TLiveSoundView(*this, FDebugger->LiveSound());
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
    FLayoutRestored = RestoreLayout();
}

TMainFrm::~TMainFrm() {
    FLoop->Stop();
    qApp->removeEventFilter(this);
    delete FLiveSoundView; // hands the audio output back before it goes
    FLiveSoundView = nullptr;
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
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks | QMainWindow::AllowTabbedDocks);
    setAcceptDrops(true);
    FCentralStack = new QStackedWidget(this);
    FCentralStack->setContentsMargins(4, 4, 0, 0);

    // The central pane: the disassembly pane, or the start panel while no game is loaded.
    FLeftStack = new QStackedWidget(FCentralStack);
    auto* start = new QLabel(
        tr("Start by either opening a game from the Game menu,\nor by loading a previously saved debug session."),
        FLeftStack);
    start->setAlignment(Qt::AlignCenter);
    start->setFrameShape(QFrame::StyledPanel);
    start->setWordWrap(true);
    FStartInfoPanel = start;
    FDisAsmPage = new QWidget(FLeftStack);
    auto* left = new QVBoxLayout(FDisAsmPage);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(2);
    FDisAsm = new TDisAsmPane(*FActions, *this, FDisAsmPage);
    left->addWidget(FDisAsm, 1);
    FLeftStack->addWidget(FStartInfoPanel);
    FLeftStack->addWidget(FDisAsmPage);
    FLeftStack->setCurrentWidget(FStartInfoPanel);
    FLeftStack->setMinimumWidth(360);
    FCentralStack->addWidget(FLeftStack);
    setCentralWidget(FCentralStack);

    FPanes = new TStatePanes(this);
    FPanes->hide(); // its panes live in the docks
    FInputPanel = new TInputPanel(*this, this);
    CreateDocks();
    CreatePlayPage();

    FValuePanes = new TValuePanesView(*FPanes, *FDisAsm, *FLoop, *this);
    FValuePanes->SetInputPanel(FInputPanel);
    FValuePanes->SetToolWindows(&FTools);
    connect(FInputPanel, &TInputPanel::RawButtonPopupRequested, FValuePanes,
            [this](TRawButton Button, const QPoint& Pos) {
                FValuePanes->ShowValuePopupFor({TValueKind::RawInput, Button}, Pos);
            });
    connect(FInputPanel, &TInputPanel::GameKeysChanged, this, [this](const QString& Keys) { FActions->SetGameKeysText(Keys); });
    FLCDView = new TLCDPictureView(*FPanes->LCDImage, *FPanes->LCDImageThemeNameLabel, *FLoop, *this);
    FLCDView->SetToolWindows(&FTools);
    FLCDView->SetStatusBar(statusBar());
    FLoop->AddDeferredDrawing(*FValuePanes);
    FLoop->AddDeferredDrawing(*FLCDView);
    CreateStatusBar();

    // Tab goes from the list through every pane.
    QWidget* chain[] = {FDisAsm->List(), FPanes->RegistersGroupBox, FPanes->RAMGroupBox, FPanes->LCDGroupBox,
                        FPanes->LCDImage, FInputPanel};
    for (size_t i = 0; i + 1 < std::size(chain); ++i) setTabOrder(chain[i], chain[i + 1]);
}

QDockWidget* TMainFrm::AddDock(const QString& Title, const QString& Name, QWidget* Widget) {
    auto* dock = new QDockWidget(Title, this);
    dock->setObjectName(Name);
    dock->setAccessibleName(Title);
    dock->setWidget(Widget);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    FDocks.push_back(dock);
    return dock;
}

void TMainFrm::CreateDocks() {
    // The panes carry the dock titles; their own frames keep no title of their own.
    for (QGroupBox* box : {static_cast<QGroupBox*>(FPanes->RegistersGroupBox),
                           static_cast<QGroupBox*>(FPanes->RAMGroupBox), static_cast<QGroupBox*>(FPanes->LCDGroupBox)})
        box->setFlat(true);
    FRegistersDock = AddDock(FPanes->RegistersGroupBox->title(), "RegistersDock", FPanes->RegistersGroupBox);
    FRAMDock = AddDock(FPanes->RAMGroupBox->title(), "RAMDock", FPanes->RAMGroupBox);
    FLCDDock = AddDock(FPanes->LCDGroupBox->title(), "LCDDock", FPanes->LCDGroupBox);
    FPictureDock = AddDock(tr("LCD picture"), "LCDPictureDock", FPanes->LCDPictureBox);
    FInputDock = AddDock(tr("Input"), "InputDock", FInputPanel);
    for (QGroupBox* box : {static_cast<QGroupBox*>(FPanes->RegistersGroupBox),
                           static_cast<QGroupBox*>(FPanes->RAMGroupBox), static_cast<QGroupBox*>(FPanes->LCDGroupBox)})
        box->setTitle(QString());
    // The right dock area reaches down to the status bar; the input panel sits under the list.
    setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    ResetLayout();
    FDefaultState = saveState();
    if (QMenu* view = FActions->ViewMenu()) {
        QAction* before = view->actions().isEmpty() ? nullptr : view->actions().first();
        for (QDockWidget* dock : FDocks) view->insertAction(before, dock->toggleViewAction());
        view->insertSeparator(before);
    }
    FActions->OnResetLayout = [this] { ResetLayout(); };
}

void TMainFrm::ResetLayout() {
    for (QDockWidget* dock : FDocks) {
        dock->setFloating(false);
        removeDockWidget(dock);
    }
    // Registers and RAM side by side, the LCD registers and the picture under them.
    addDockWidget(Qt::RightDockWidgetArea, FRegistersDock);
    addDockWidget(Qt::RightDockWidgetArea, FLCDDock);
    splitDockWidget(FRegistersDock, FRAMDock, Qt::Horizontal);
    splitDockWidget(FLCDDock, FPictureDock, Qt::Horizontal);
    addDockWidget(Qt::BottomDockWidgetArea, FInputDock);
    for (QDockWidget* dock : FDocks) dock->show();
    if (isVisible()) ApplyDefaultSizes();
}

void TMainFrm::ApplyDefaultSizes() {
    // The right half of the window for the panes, most of it for the picture.
    const int right = std::max(width() * 55 / 100, 1);
    const int registers = FRegistersDock->minimumSizeHint().width();
    const int lcd = FLCDDock->minimumSizeHint().width();
    resizeDocks({FRegistersDock, FRAMDock}, {registers, std::max(1, right - registers)}, Qt::Horizontal);
    resizeDocks({FLCDDock, FPictureDock}, {lcd, std::max(1, right - lcd)}, Qt::Horizontal);
    resizeDocks({FRegistersDock, FLCDDock}, {1, std::max(1, height())}, Qt::Vertical);
}

QDockWidget* TMainFrm::Dock(const QString& Name) const {
    for (QDockWidget* dock : FDocks)
        if (dock->objectName() == Name) return dock;
    return nullptr;
}

void TMainFrm::CreatePlayPage() {
    FPlayPage = new QWidget(FCentralStack);
    auto* v = new QVBoxLayout(FPlayPage);
    v->setContentsMargins(8, 8, 8, 8);
    auto* picture = new QVBoxLayout;
    v->addLayout(picture, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    auto* controls = new QHBoxLayout;
    bottom->addLayout(controls);
    bottom->addStretch();
    auto* back = new QPushButton(tr("&Back to the debugger"), FPlayPage);
    back->setAccessibleName(tr("Back to the debugger"));
    connect(back, &QPushButton::clicked, this, [this] { SetPlayLayout(false); });
    bottom->addWidget(back, 0, Qt::AlignBottom);
    v->addLayout(bottom);
    FPlayPictureRoom = picture;
    FPlayControlsRoom = controls;
    FCentralStack->addWidget(FPlayPage);
    FActions->OnPlayLayout = [this](bool On) { SetPlayLayout(On); };
}

void TMainFrm::SetPlayLayout(bool On) {
    if (On == FPlayLayout) return;
    FPlayLayout = On;
    if (On) {
        FNormalState = saveState();
        FNormalGeometry = saveGeometry();
        FNormalRect = isMaximized() || isMinimized() ? normalGeometry() : geometry();
        FNormalWindowState = windowState();
        FToolBarWasVisible = FActions->ToolBar()->isVisible();
        for (QDockWidget* dock : FDocks) dock->hide();
        FActions->ToolBar()->hide();
        menuBar()->hide();
        statusBar()->hide();
        FPlayPictureRoom->addWidget(FPanes->LCDPictureBox);
        FPlayControlsRoom->addWidget(FInputPanel);
        FPanes->LCDPictureBox->show();
        FInputPanel->show();
        FInputPanel->SetLarge(true);
        FCentralStack->setCurrentWidget(FPlayPage);
        showFullScreen();
        FPanes->LCDImage->setFocus();
    } else {
        FInputPanel->SetLarge(false);
        FPictureDock->setWidget(FPanes->LCDPictureBox);
        FInputDock->setWidget(FInputPanel);
        FCentralStack->setCurrentWidget(FLeftStack);
        menuBar()->show();
        statusBar()->show();
        setWindowState(FNormalWindowState & ~Qt::WindowFullScreen);
        if (!(FNormalWindowState & (Qt::WindowMaximized | Qt::WindowFullScreen))) setGeometry(FNormalRect);
        restoreState(FNormalState);
        FActions->ToolBar()->setVisible(FToolBarWasVisible);
        FDisAsm->FocusList();
    }
    FActions->SetPlayLayoutChecked(On);
}

void TMainFrm::CreateStatusBar() {
    FStatusLabel = new QLabel(this);
    // A long status text is cut rather than widening the window.
    FStatusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    FStatusLabel->setMinimumWidth(80);
    statusBar()->addWidget(FStatusLabel, 1);
    FRecordingLabel = new QLabel(QString::fromUtf8("\u25CF ") + tr("REC"), this);
    FRecordingLabel->setToolTip(tr("Sound recording is ON"));
    FRecordingLabel->setAccessibleName(FRecordingLabel->toolTip());
    FRecordingLabel->setStyleSheet("QLabel { background: rgb(200,0,0); color: white; font-weight: bold; "
                                   "padding: 0px 6px; border-radius: 3px; }");
    FRecordingLabel->hide();
    statusBar()->addPermanentWidget(FRecordingLabel);
    FSpeedLabel = new QLabel(this);
    FSpeedLabel->setToolTip(
        tr("Speed reached by the emulation, in percent of the real chip (16384 cycles per second)"));
    FSpeedLabel->hide();
    statusBar()->addPermanentWidget(FSpeedLabel);
    FCyclesLabel = new QLabel(this);
    FCyclesLabel->setToolTip(tr("Machine cycles executed"));
    FCyclesLabel->hide();
    statusBar()->addPermanentWidget(FCyclesLabel);
    statusBar()->setAutoFillBackground(true);
    statusBar()->setSizeGripEnabled(true);
    FRunStatsTimer = new QTimer(this);
    FRunStatsTimer->setInterval(500);
    connect(FRunStatsTimer, &QTimer::timeout, this, [this] { UpdateRunStatistics(true); });
}

void TMainFrm::UpdateRunStatistics(bool Running) {
    const TSHARP_SM5A_MCU* mcu = FDebugger ? FDebugger->MCU() : nullptr;
    if (!mcu) {
        FSpeedLabel->hide();
        FCyclesLabel->hide();
        return;
    }
    const uint64_t cycles = mcu->CycleCount;
    FCyclesLabel->setText(tr("Cycles: %1").arg(QLocale().toString(qulonglong(cycles))));
    FCyclesLabel->setVisible(Running);
    if (Running && FRunStatsClock.isValid() && FRunStatsClock.nsecsElapsed() > 0 && FRunStatsTimer->isActive()) {
        const double seconds = FRunStatsClock.nsecsElapsed() / 1e9;
        const double percent = (cycles - FRunStatsCycles) / seconds / RealTimeCyclesPerSecond * 100.0;
        FSpeedLabel->setText(tr("Speed: %1 %").arg(percent, 0, 'f', 0));
        FSpeedLabel->setVisible(true);
    }
    if (!Running) FSpeedLabel->hide();
    FRunStatsClock.start();
    FRunStatsCycles = cycles;
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

void TMainFrm::SetSoundNote(const std::string& Note) {
    if (FLiveSoundView) FLiveSoundView->SetNote(Note);
}

void TMainFrm::SetCaption(const std::string& Caption) { setWindowTitle(QString::fromStdString(Caption)); }

void TMainFrm::CommandStatesChanged(const TCommandStates& S) {
    FActions->ApplyStates(S);
    FDisAsm->ApplyStates(S);
    FValuePanes->ApplyStates(S);
    FLCDView->ApplyStates(S);
    FLeftStack->setCurrentWidget(S.StartPanelVisible ? FStartInfoPanel : FDisAsmPage);
    FRecordingLabel->setVisible(S.SoundRecordingIndicatorVisible);
    // The speed and cycle count show while a run goes on.
    if (S.Pause && !FRunStatsTimer->isActive()) {
        UpdateRunStatistics(true);
        FRunStatsTimer->start();
    } else if (!S.Pause && FRunStatsTimer->isActive()) {
        FRunStatsTimer->stop();
        UpdateRunStatistics(false);
    }
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
    // In the Play layout the window is kept as it was before.
    const QRect n = FPlayLayout ? FNormalRect : isMaximized() || isMinimized() ? normalGeometry() : geometry();
    if (!n.isValid()) return false;
    const QMargins m = FrameMargins(*this);
    P = TWindowPlacement{};
    P.Left = n.left() - m.left();
    P.Top = n.top() - m.top();
    P.Right = n.right() + 1 + m.right();
    P.Bottom = n.bottom() + 1 + m.bottom();
    const Qt::WindowStates state = FPlayLayout ? FNormalWindowState : windowState();
    P.ShowCmd = (state & Qt::WindowMinimized)   ? TWindowPlacement::ShowMinimized
                : (state & Qt::WindowMaximized) ? TWindowPlacement::ShowMaximized
                                                : TWindowPlacement::ShowNormal;
    if ((state & Qt::WindowMinimized) && (state & Qt::WindowMaximized)) P.Flags = TWindowPlacement::RestoreToMaximized;
    return true;
}

void TMainFrm::SetWindowPlacement(const TWindowPlacement& P) {
    SetPlayLayout(false);
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

// The right panel is the right dock area: the docks there that are shown and not floating.
int TMainFrm::RightPanelWidth() const {
    QRect area;
    for (QDockWidget* dock : FDocks)
        if (dock->isVisible() && !dock->isFloating() && dockWidgetArea(dock) == Qt::RightDockWidgetArea)
            area = area.united(dock->geometry());
    return area.width();
}

void TMainFrm::SetRightPanelWidth(int Width) {
    std::vector<QDockWidget*> docks;
    for (QDockWidget* dock : FDocks)
        if (dock->isVisible() && !dock->isFloating() && dockWidgetArea(dock) == Qt::RightDockWidgetArea)
            docks.push_back(dock);
    if (docks.empty() || Width <= 0) return;
    // Docks side by side share the width in their present proportions; a few rounds bring
    // the area to the asked width within what the panes' minimum widths allow.
    for (int round = 0; round < 4; ++round) {
        if (QLayout* l = layout()) l->activate();
        const int current = RightPanelWidth();
        if (current <= 0 || current == Width) return;
        QList<QDockWidget*> list;
        QList<int> sizes;
        for (QDockWidget* dock : docks) {
            list << dock;
            sizes << std::max(1, int(std::lround(double(dock->width()) * Width / current)));
        }
        resizeDocks(list, sizes, Qt::Horizontal);
    }
    if (QLayout* l = layout()) l->activate();
}

// ---------------------------------------------------------------------------------------------
// Layout kept between runs

void TMainFrm::SaveLayout() {
    const QByteArray geometry = FPlayLayout ? FNormalGeometry : saveGeometry();
    const QByteArray state = FPlayLayout ? FNormalState : saveState(LayoutVersion);
    TSettingsStore& store = FSettings.Store();
    store.Write(LayoutGroup, LayoutGeometry, geometry.toBase64().toStdString());
    store.Write(LayoutGroup, LayoutState, state.toBase64().toStdString());
    store.Flush();
}

bool TMainFrm::RestoreLayout() {
    TSettingsStore& store = FSettings.Store();
    const std::optional<std::string> geometry = store.Read(LayoutGroup, LayoutGeometry);
    const std::optional<std::string> state = store.Read(LayoutGroup, LayoutState);
    bool ok = false;
    if (geometry) ok = restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*geometry)));
    // A stored arrangement this program cannot read leaves the first arrangement.
    if (state && !restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state)), LayoutVersion)) {
        restoreState(FDefaultState);
        ok = false;
    }
    return ok && state;
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
    // A menu closed with Esc leaves the menu bar in keyboard mode, and the bar takes the next
    // Esc for itself. During a run that Esc is Pause as well: the bar leaves its mode and the
    // run stops on the first press.
    if (Event->type() == QEvent::KeyPress && Watched == menuBar()) {
        auto* ke = static_cast<QKeyEvent*>(Event);
        QAction* pause = Action("DebugPause");
        if (ke->key() == Qt::Key_Escape && (ke->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && pause &&
            pause->isEnabled() && pause->shortcut() == QKeySequence(Qt::Key_Escape))
            pause->trigger();
    }
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

void TMainFrm::dragEnterEvent(QDragEnterEvent* Event) {
    // One local file: a ROM or a debug session, opened as from the command line.
    const QList<QUrl> urls = Event->mimeData()->urls();
    if (urls.size() == 1 && urls[0].isLocalFile()) Event->acceptProposedAction();
}

void TMainFrm::dropEvent(QDropEvent* Event) {
    const QList<QUrl> urls = Event->mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile()) return;
    Event->acceptProposedAction();
    const std::string path = QDir::toNativeSeparators(urls[0].toLocalFile()).toStdString();
    // The drop ends before any question is asked.
    QTimer::singleShot(0, this, [this, path] {
        activateWindow();
        Command([&] { FDebugger->Loading().HandleCommandLine(path); });
    });
}

void TMainFrm::AfterShow() {
    if (!FLayoutRestored) ApplyDefaultSizes();
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
        SaveLayout();
        Event->accept();
    } else {
        Event->ignore();
    }
}

} // namespace tarvolin
