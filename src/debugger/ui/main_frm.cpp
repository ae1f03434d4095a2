#include "debugger/ui/main_frm.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolTip>
#include <QVBoxLayout>

#include "persist/settings.h"
#include "base/options.h"
#include "debugger/ui/breakpoints_dialog.h"
#include "debugger/ui/input_dlg.h"
#include "debugger/ui/input_panel.h"
#include "debugger/ui/lcd_image_widget.h"
#include "disasm/ui/code_aid_windows.h"

namespace tarvolin {

namespace {

const QEvent::Type AfterShowEvent = static_cast<QEvent::Type>(QEvent::User + 1);

QColor RGBColour(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

} // namespace

// "Desc (*.txt)|*.txt|All files (*.*)|*.*" -> Qt's "Desc (*.txt);;All files (*)".
QString QtFileFilter(const std::string& Filter) {
    const QStringList parts = QString::fromStdString(Filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(';', ' ');
        // "*.*" would only match names with a dot on this platform.
        pattern.replace("*.*", "*");
        QString desc = parts[i];
        const int paren = desc.indexOf('(');
        if (paren >= 0) desc = desc.left(paren).trimmed();
        out << QString("%1 (%2)").arg(desc, pattern);
    }
    return out.join(";;");
}

TMainFrm::TMainFrm(TSettings& Settings, QWidget* Parent) : QMainWindow(Parent), FSettings(Settings) {
    setWindowTitle(TDebugger::ApplicationName);
    FPreviousReporter = SetMessageReporter(&FReporter);
    CreateWidgets();
    CreateMenus();
    CreateDisAsmPopup();

    FIdleTimer.setInterval(0);
    connect(&FIdleTimer, &QTimer::timeout, this, &TMainFrm::OnIdle);
    FThemeNameTimer.setSingleShot(true);
    FThemeNameTimer.setInterval(1500);
    connect(&FThemeNameTimer, &QTimer::timeout, this, [this] { FPanes->LCDImageThemeNameLabel->setVisible(false); });

    FDebugger = std::make_unique<TDebugger>(*this, *this, FSettings);
    // The input panel sits under the disassembly list, where the list can spare the room.
    FInputPanel = new TInputPanel(*FDebugger, FDisAsmPage);
    FInputPanel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    FDisAsmPage->layout()->addWidget(FInputPanel);
    // Game keys reach the game controls before the focused widget sees them.
    qApp->installEventFilter(this);
    const QColor panel = FPanes->LCDImage->palette().color(FPanes->LCDImage->backgroundRole());
    FDebugger->SetLCDBackgroundColor(TColor(panel.red()) | (TColor(panel.green()) << 8) | (TColor(panel.blue()) << 16));
    FPanes->LCDImage->SetRaster(&FDebugger->LCDBitmap());
    FDisAsmList->SetSource(this);
    SetGameMenu(GameMenuEntries());
    Command([this] { FDebugger->Initialize(); });
    ApplyDebugShortcuts();
    QSize size(1240, 820);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
}

TMainFrm::~TMainFrm() {
    FIdleTimer.stop();
    qApp->removeEventFilter(this);
    // The controller still talks to the view while it closes the game.
    FDebugger.reset();
    SetMessageReporter(FPreviousReporter);
}

TPrompter& TMainFrm::ActivePrompter() { return FPrompterOverride ? *FPrompterOverride : *this; }

// ---------------------------------------------------------------------------------------------
// Widgets

void TMainFrm::CreateWidgets() {
    auto* central = new QWidget(this);
    auto* h = new QHBoxLayout(central);
    h->setContentsMargins(4, 4, 4, 4);
    auto* splitter = new QSplitter(Qt::Horizontal, central);
    h->addWidget(splitter);

    // Left: the hint label and the disassembly list, or the start panel.
    FLeftStack = new QStackedWidget(splitter);
    FStartInfoPanel = new QLabel(
        "Start by either opening a game from the Game menu,\nor by loading a previously saved debug session.",
        FLeftStack);
    static_cast<QLabel*>(FStartInfoPanel)->setAlignment(Qt::AlignCenter);
    static_cast<QLabel*>(FStartInfoPanel)->setFrameShape(QFrame::StyledPanel);
    FDisAsmPage = new QWidget(FLeftStack);
    auto* left = new QVBoxLayout(FDisAsmPage);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(2);
    auto* hintRow = new QHBoxLayout;
    FHintLabel = new QLabel(FDisAsmPage);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    FHintLabel->setFont(fixed);
    FHintLabel->setTextFormat(Qt::PlainText);
    FHintLabel->setMinimumWidth(100);
    FHintLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    hintRow->addWidget(FHintLabel, 1);
    FUpdateDisAsmCB = new QCheckBox("Update", FDisAsmPage);
    FUpdateDisAsmCB->setToolTip("Update disassembly on animated run");
    FUpdateDisAsmCB->setChecked(true);
    FUpdateDisAsmCB->setVisible(false);
    hintRow->addWidget(FUpdateDisAsmCB);
    FSpeedLabel = new QLabel("Speed:", FDisAsmPage);
    FSpeedLabel->setVisible(false);
    hintRow->addWidget(FSpeedLabel);
    FSpeedTrackBar = new QSlider(Qt::Horizontal, FDisAsmPage);
    FSpeedTrackBar->setRange(0, 6);
    FSpeedTrackBar->setPageStep(1);
    FSpeedTrackBar->setTickPosition(QSlider::TicksBelow);
    FSpeedTrackBar->setValue(DefaultSpeedFactor);
    FSpeedTrackBar->setFixedWidth(120);
    FSpeedTrackBar->setVisible(false);
    FSpeedTrackBar->setFocusPolicy(Qt::NoFocus);
    hintRow->addWidget(FSpeedTrackBar);
    // The row is as high as the run controls it shows, so they appear without moving the list.
    FHintLabel->setMinimumHeight(std::max({FHintLabel->sizeHint().height(), FSpeedTrackBar->sizeHint().height(),
                                           FUpdateDisAsmCB->sizeHint().height(), FSpeedLabel->sizeHint().height()}));
    left->addLayout(hintRow);
    FDisAsmList = new TDisAsmListView(FDisAsmPage);
    left->addWidget(FDisAsmList, 1);
    FLeftStack->addWidget(FStartInfoPanel);
    FLeftStack->addWidget(FDisAsmPage);
    FLeftStack->setCurrentWidget(FStartInfoPanel);
    FLeftStack->setMinimumWidth(380);

    // Right: registers, RAM and LCD.
    FRightPanel = new QWidget(splitter);
    auto* right = new QVBoxLayout(FRightPanel);
    right->setContentsMargins(0, 0, 0, 0);
    FPanes = new TStatePanes(FRightPanel);
    right->addWidget(FPanes);
    splitter->addWidget(FLeftStack);
    splitter->addWidget(FRightPanel);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({560, 660});
    setCentralWidget(central);

    FStatusLabel = new QLabel(this);
    statusBar()->addWidget(FStatusLabel, 1);
    statusBar()->setAutoFillBackground(true);
    statusBar()->setSizeGripEnabled(true);

    // Panes.
    connect(FPanes, &TStatePanes::RowDoubleClicked, this, [this](int Row) {
        Command([&] { FDebugger->EditValue(RowToValueId(Row)); });
    });
    connect(FPanes, &TStatePanes::RowPopupRequested, this, &TMainFrm::ShowValuePopup);
    connect(FPanes, &TStatePanes::DigitLabelClicked, this, [this](int Index) {
        Command([&] { FDebugger->DigitLabelClicked(static_cast<TOIndex>(Index)); });
    });
    connect(FPanes->SetCurrentTimeButton, &QPushButton::clicked, this,
            [this] { Command([&] { FDebugger->SetCurrentTime(); }); });
    auto connectCB = [this](QCheckBox* cb, TPane pane) {
        connect(cb, &QCheckBox::toggled, this, [this, pane](bool on) {
            if (FUpdatingStates) return;
            Command([&] { FDebugger->SetUpdateCheckBox(pane, on); });
            // A redraw the run asked for before the box was unticked is not shown any more.
            if (!on) FDeferredPanes &= static_cast<TPanes>(~pane);
        });
    };
    connectCB(FUpdateDisAsmCB, pnDisAsm);
    connectCB(FPanes->UpdateRegistersCB, pnRegisters);
    connectCB(FPanes->UpdateRAMCB, pnRAM);
    connectCB(FPanes->UpdateLCDRegistersCB, pnLCDRegisters);
    connect(FSpeedTrackBar, &QSlider::valueChanged, this, [this](int v) {
        if (!FUpdatingStates) Command([&] { FDebugger->SetSpeedFactor(v); });
    });
    connect(FPanes->LCDImage, &TLCDImageWidget::DoubleClicked, this,
            [this](bool shift) { Command([&] { FDebugger->SwitchLCDImage(shift); }); });
    FPanes->LCDImage->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FPanes->LCDImage, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = BuildLCDImagePopupMenu();
        menu->exec(FPanes->LCDImage->mapToGlobal(pos));
        menu->deleteLater();
    });

    // List.
    connect(FDisAsmList, &TDisAsmListView::SelectRequested, this,
            [this](int Index) { Command([&] { FDebugger->SelectItem(Index); }); });
    connect(FDisAsmList, &TDisAsmListView::DoubleClicked, this,
            [this] { Command([&] { FDebugger->ListDoubleClick(); }); });
    connect(FDisAsmList, &TDisAsmListView::RightButtonDown, this, [this](int Index) {
        if (Index >= 0) Command([&] { FDebugger->SelectItem(Index); });
    });
    connect(FDisAsmList, &TDisAsmListView::ContextMenuRequested, this,
            [this](const QPoint& pos) { FDisAsmPopup->exec(pos); });
}

QColor TMainFrm::StatusBarColour() const { return statusBar()->palette().color(QPalette::Window); }

QAction* TMainFrm::Action(const std::string& Name) const {
    auto it = FActions.find(Name);
    return it == FActions.end() ? nullptr : it->second;
}

QAction* TMainFrm::AddAction(QMenu* Menu, const std::string& Name, const QString& Caption) {
    auto* a = new QAction(Caption, this);
    if (Menu) Menu->addAction(a);
    FActions[Name] = a;
    return a;
}

void TMainFrm::CreateMenus() {
    QMenuBar* bar = menuBar();
    FGameMenu = bar->addMenu("&Game");
    FGameGroup = new QActionGroup(this);
    FGameGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

    // Session files come with the session reader and writer; until then the items stay disabled.
    QMenu* session = bar->addMenu("&Session");
    AddAction(session, "SessionOpen", "&Open...")->setEnabled(false);
    AddAction(session, "SessionSave", "&Save")->setEnabled(false);
    AddAction(session, "SessionSaveAs", "Save &as...")->setEnabled(false);

    QMenu* debug = bar->addMenu("&Debug");
    auto cmd = [this](QMenu* menu, const std::string& name, const QString& caption, void (TDebugger::*fn)()) {
        QAction* a = AddAction(menu, name, caption);
        connect(a, &QAction::triggered, this, [this, fn] { Command([&] { (FDebugger.get()->*fn)(); }); });
        return a;
    };
    cmd(debug, "DebugTraceInto", "&Trace into", &TDebugger::TraceInto);
    cmd(debug, "DebugStepOver", "&Step over", &TDebugger::StepOver);
    cmd(debug, "DebugRunUntilReturn", "Run u&ntil Return", &TDebugger::RunUntilReturn);
    debug->addSeparator();
    cmd(debug, "DebugAnimatedRun", "&Animated run", &TDebugger::AnimatedRun);
    cmd(debug, "DebugUnattendedRun", "&Unattended run", &TDebugger::UnattendedRun);
    cmd(debug, "DebugPause", "&Pause", &TDebugger::Pause);
    debug->addSeparator();
    cmd(debug, "DebugRefresh", "Re&fresh", &TDebugger::Refresh);
    cmd(debug, "DebugReset", "MCU &Reset", &TDebugger::MCUReset);
    debug->addSeparator();
    QAction* bps = AddAction(debug, "DebugBreakpoints", "&Breakpoints...");
    connect(bps, &QAction::triggered, this, &TMainFrm::OpenBreakpointsDialog);
    QAction* seven = AddAction(debug, "Debug7SegmentCodingTable", "&7-segment Coding Table...");
    connect(seven, &QAction::triggered, this, [this] { ShowSevenSegmentCodingTable(-1, -1, true, -1); });
    Action("DebugPause")->setShortcut(QKeySequence(Qt::Key_Escape));
    for (const char* n : {"DebugTraceInto", "DebugStepOver", "DebugRunUntilReturn", "DebugAnimatedRun",
                          "DebugUnattendedRun", "DebugPause", "DebugRefresh", "DebugReset", "DebugBreakpoints"})
        Action(n)->setEnabled(false);

    FGameSpecificMenu = bar->addMenu("Game");
    FGameSpecificMenuAction = FGameSpecificMenu->menuAction();
    FGameSpecificMenuAction->setVisible(false);
    // The MCU-pins and interconnection windows come with their own work; their items stay disabled.
    AddAction(FGameSpecificMenu, "GameMCUPins", "&MCU pins...")->setEnabled(false);
    AddAction(FGameSpecificMenu, "GameInterconnection", "&Interconnection of MCU and LCD...")->setEnabled(false);
    FGameSpecificMenu->addSeparator();
    QAction* cheats = AddAction(FGameSpecificMenu, "GameCheats", "&Cheats / Test modes / Hidden features...");
    connect(cheats, &QAction::triggered, this, [this] { Command([&] { FDebugger->ShowCheats(); }); });
    FGameSpecificMenu->addSeparator();
    QAction* sound = AddAction(FGameSpecificMenu, "GameSoundRecording", "Sound recording");
    sound->setCheckable(true);
    connect(sound, &QAction::triggered, this, [this] {
        Command([&] { FDebugger->ToggleSoundRecording(); });
        // The controller decides the checked state.
        Action("GameSoundRecording")->setChecked(FStates.SoundRecordingChecked);
    });

    // The options dialog and the Misc windows come later; their entries are in place but disabled.
    QAction* options = AddAction(nullptr, "Options", "&Options...");
    bar->addAction(options);
    options->setEnabled(false);
    QMenu* misc = bar->addMenu("&Misc");
    AddAction(misc, "MiscUsefulLinks", "&Useful links...")->setEnabled(false);
    AddAction(misc, "MiscAbout", "&About...")->setEnabled(false);
}

void TMainFrm::SetGameMenu(const std::vector<TGameMenuEntry>& Entries) {
    FGameMenu->clear();
    for (QAction* a : FGameGroup->actions()) FGameGroup->removeAction(a);
    FGameActions.clear();
    for (const TGameMenuEntry& e : Entries) {
        if (!e.Class) {
            FGameMenu->addSeparator();
            continue;
        }
        QAction* a = FGameMenu->addAction(QString::fromUtf8(e.MenuCaption));
        a->setCheckable(true);
        FGameGroup->addAction(a);
        if (e.MenuShortcut && *e.MenuShortcut) a->setShortcut(QKeySequence(QString::fromUtf8(e.MenuShortcut)));
        const TMCUClass* cls = e.Class;
        connect(a, &QAction::triggered, this, [this, cls] {
            Command([&] { FDebugger->LoadGameFromMenu(cls); });
            for (auto& [c, act] : FGameActions) act->setChecked(c == FStates.CheckedGame);
        });
        FGameActions[cls] = a;
    }
    std::vector<const TMCUClass*> catalogue;
    for (const TGameMenuEntry& e : Entries)
        if (e.Class && !e.Class->IsCustomGame()) catalogue.push_back(e.Class);
    if (FDebugger) FDebugger->SetGameCatalogue(std::move(catalogue));
}

void TMainFrm::CreateDisAsmPopup() {
    FDisAsmPopup = new QMenu(this);
    auto item = [this](const std::string& name, const QString& caption, void (TDebugger::*fn)()) {
        QAction* a = AddAction(FDisAsmPopup, name, caption);
        if (fn) connect(a, &QAction::triggered, this, [this, fn] { Command([&] { (FDebugger.get()->*fn)(); }); });
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        FDisAsmList->addAction(a);
        return a;
    };
    item("DisAsmLBShow7SegmentCodingTable", "Show &7-segment Coding Table...",
         &TDebugger::Show7SegmentCodingTableForSelection);
    item("DisAsmLBShowOpcodeLegend", "S&how opcode legend...", &TDebugger::ShowOpcodeLegendForSelection);
    FDisAsmPopup->addSeparator();
    QAction* toggle = item("DisAsmLBToggleBreakpoint", "Toggle address &breakpoint", nullptr);
    connect(toggle, &QAction::triggered, this, [this] { Command([&] { FDebugger->ToggleBreakpointAtSelection(); }); });
    FDisAsmPopup->setDefaultAction(toggle);
    item("DisAsmLBRunToCursor", "&Run to cursor", &TDebugger::RunToCursor);
    FDisAsmPopup->addSeparator();
    item("DisAsmLBGoToAddress", "&Go to address...", &TDebugger::GoToAddress)->setShortcut(QKeySequence("Ctrl+G"));
    item("DisAsmLBGoToCurrentPC", "G&o to current PC", &TDebugger::GoToCurrentPC)->setShortcut(QKeySequence("Ctrl+O"));
    item("DisAsmLBFollow", "&Follow", &TDebugger::Follow)->setShortcut(QKeySequence("Ctrl+F"));
    item("DisAsmLBGoToCaller", "Go to ca&ller", &TDebugger::GoToCaller)->setShortcut(QKeySequence("Ctrl+L"));
    item("DisAsmLBGoToPrevious", "Go to &previous", &TDebugger::GoToPrevious)->setShortcut(QKeySequence("Ctrl+P"));
    FDisAsmPopup->addSeparator();
    item("DisAsmLBSetNewPC", "S&et PC to cursor", &TDebugger::SetPCToCursor)->setShortcut(QKeySequence("Ctrl+N"));
    FDisAsmPopup->addSeparator();
    item("DisAsmLBSetAddressDescription", "Set a&ddress description...", &TDebugger::SetAddressDescription)
        ->setShortcut(QKeySequence(Qt::Key_Semicolon));
    FDisAsmPopup->addSeparator();
    // Opcode patching comes with its own work; these items stay disabled until then.
    item("DisAsmLBChangeOpcode", "&Change opcode...", nullptr);
    item("DisAsmLBRevertOpcode", "Rever&t changed opcode", nullptr);
    item("DisAsmLBRevertAllOpcodes", "Revert &all opcode modifications", nullptr);
    FDisAsmPopup->addSeparator();
    item("DisAsmLBSearch", "&Search opcode...", &TDebugger::SearchOpcode)->setShortcut(QKeySequence("Ctrl+S"));
    item("DisAsmLBSearchNext", "Find ne&xt", &TDebugger::FindNext)->setShortcut(QKeySequence(Qt::Key_F3));
    FDisAsmPopup->addSeparator();
    item("DisAsmLBSaveDisassembly", "Sa&ve disassembly to file...", &TDebugger::SaveDisassembly);
    for (const char* n : {"DisAsmLBChangeOpcode", "DisAsmLBRevertOpcode", "DisAsmLBRevertAllOpcodes"})
        Action(n)->setEnabled(false);

    // Enabled states are computed when the menu opens; the shortcuts stay live (the commands
    // check their own conditions).
    connect(FDisAsmPopup, &QMenu::aboutToShow, this, [this] {
        const TDisAsmPopupStates s = FDebugger->DisAsmPopupStates();
        Action("DisAsmLBShow7SegmentCodingTable")->setVisible(s.Show7SegmentVisible);
        Action("DisAsmLBRunToCursor")->setEnabled(s.RunToCursor);
        Action("DisAsmLBGoToAddress")->setEnabled(s.GoToAddress);
        Action("DisAsmLBGoToCurrentPC")->setEnabled(s.GoToCurrentPC);
        Action("DisAsmLBFollow")->setEnabled(s.Follow);
        Action("DisAsmLBGoToCaller")->setEnabled(s.GoToCaller);
        Action("DisAsmLBGoToPrevious")->setEnabled(s.GoToPrevious);
        Action("DisAsmLBSetNewPC")->setEnabled(s.SetNewPC);
        Action("DisAsmLBSetAddressDescription")->setEnabled(s.SetAddressDescription);
        Action("DisAsmLBSearch")->setEnabled(s.Search);
        Action("DisAsmLBSearchNext")->setEnabled(s.SearchNext);
        Action("DisAsmLBSaveDisassembly")->setEnabled(s.SaveDisassembly);
    });
    connect(FDisAsmPopup, &QMenu::aboutToHide, this, [this] {
        // Re-enable after the triggered action (queued) has run.
        QTimer::singleShot(0, this, [this] {
            for (const char* n : {"DisAsmLBRunToCursor", "DisAsmLBGoToAddress", "DisAsmLBGoToCurrentPC", "DisAsmLBFollow",
                                  "DisAsmLBGoToCaller", "DisAsmLBGoToPrevious", "DisAsmLBSetNewPC",
                                  "DisAsmLBSetAddressDescription", "DisAsmLBSearch", "DisAsmLBSearchNext",
                                  "DisAsmLBSaveDisassembly"})
                Action(n)->setEnabled(true);
        });
    });
}

void TMainFrm::ApplyDebugShortcuts() {
    const bool mame = Options().UseMAMEKeyMapping;
    struct S {
        const char* Name;
        const char* Default;
        const char* MAME;
    };
    static const S table[] = {
        {"DebugTraceInto", "F7", "F11"},         {"DebugStepOver", "F8", "F10"},
        {"DebugRunUntilReturn", "Ctrl+F8", "Shift+F11"}, {"DebugAnimatedRun", "F9", "Ctrl+F5"},
        {"DebugUnattendedRun", "Ctrl+F9", "F5"}, {"DebugRefresh", "F5", "F2"},
        {"DebugReset", "Ctrl+F2", "Shift+F3"},   {"DisAsmLBToggleBreakpoint", "F2", "F9"},
        {"DisAsmLBRunToCursor", "F4", "F4"},
    };
    for (const S& s : table) Action(s.Name)->setShortcut(QKeySequence(mame ? s.MAME : s.Default));
}

// ---------------------------------------------------------------------------------------------
// Main loop

void TMainFrm::EnsureMainLoop() {
    if (FDebugger && !FDebugger->IsStopped() && !FIdleTimer.isActive()) {
        FLastDeferredDraw.start();
        FIdleTimer.start();
    }
}

void TMainFrm::OnIdle() {
    // A message box shown from inside a slice runs its own event loop, which fires this timer
    // again: the instruction under way must finish before the next one starts.
    if (FInSlice) {
        FIdleTimer.stop(); // restarted when the slice ends
        return;
    }
    if (!FDebugger || FDebugger->IsStopped()) {
        FIdleTimer.stop();
        FlushDeferredDrawing(true);
        return;
    }
    QElapsedTimer slice;
    slice.start();
    const int64_t limit = FSliceNanoseconds;
    bool running = false;
    FInSlice = true;
    struct TLeave {
        bool& Flag;
        ~TLeave() { Flag = false; }
    } leave{FInSlice};
    try {
        // Reading the clock costs about as much as an instruction: look at it every 64th.
        unsigned calls = 0;
        running = FDebugger->RunSlice([&] { return (++calls & 63) == 0 && slice.nsecsElapsed() >= limit; });
    } catch (const std::exception& e) {
        running = !FDebugger->IsStopped();
        FlushDeferredDrawing(true);
        ActivePrompter().Error(e.what());
    }
    FlushDeferredDrawing(!running);
    if (!running)
        FIdleTimer.stop();
    else if (!FIdleTimer.isActive())
        FIdleTimer.start();
}

void TMainFrm::FlushDeferredDrawing(bool Force) {
    // During full runs the panes are redrawn at most every 40 ms: the screen shows no more,
    // and the emulation keeps the time.
    if (!Force && FLastDeferredDraw.isValid() && FLastDeferredDraw.elapsed() < 40) return;
    FLastDeferredDraw.start();
    if (FDeferredPanes) {
        const TPanes p = FDeferredPanes;
        FDeferredPanes = 0;
        DrawPanesNow(p, false);
    }
    if (FLCDChangePending) {
        FLCDChangePending = false;
        FPanes->LCDImage->CheckForChanges();
    }
}

// ---------------------------------------------------------------------------------------------
// TDebuggerView

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
    FStates = S;
    FUpdatingStates = true;
    Action("DebugTraceInto")->setEnabled(S.TraceInto);
    Action("DebugStepOver")->setEnabled(S.StepOver);
    Action("DebugRunUntilReturn")->setEnabled(S.RunUntilReturn);
    Action("DebugAnimatedRun")->setEnabled(S.AnimatedRun);
    Action("DebugUnattendedRun")->setEnabled(S.UnattendedRun);
    Action("DebugPause")->setEnabled(S.Pause);
    Action("DebugRefresh")->setEnabled(S.Refresh);
    Action("DebugReset")->setEnabled(S.MCUReset);
    Action("DebugBreakpoints")->setEnabled(S.Breakpoints);
    for (auto& [cls, act] : FGameActions) act->setChecked(cls == S.CheckedGame);
    FGameSpecificMenuAction->setVisible(S.GameSpecificVisible);
    FGameSpecificMenu->setTitle(QString::fromStdString(S.GameSpecificCaption).replace("&", "&&"));
    Action("GameCheats")->setEnabled(S.Cheats);
    Action("GameSoundRecording")->setEnabled(S.SoundRecording);
    Action("GameSoundRecording")->setChecked(S.SoundRecordingChecked);
    FPanes->SoundRecordingIndicator->setVisible(S.SoundRecordingIndicatorVisible);
    FPanes->SetCurrentTimeButton->setEnabled(S.SetCurrentTime);
    FUpdateDisAsmCB->setVisible(S.UpdateDisAsmVisible);
    FPanes->UpdateRegistersCB->setVisible(S.UpdateRegistersVisible);
    FPanes->UpdateRAMCB->setVisible(S.UpdateRAMVisible);
    FPanes->UpdateLCDRegistersCB->setVisible(S.UpdateLCDRegistersVisible);
    FUpdateDisAsmCB->setChecked(S.UpdateDisAsmChecked);
    FPanes->UpdateRegistersCB->setChecked(S.UpdateRegistersChecked);
    FPanes->UpdateRAMCB->setChecked(S.UpdateRAMChecked);
    FPanes->UpdateLCDRegistersCB->setChecked(S.UpdateLCDRegistersChecked);
    FSpeedLabel->setVisible(S.SpeedControlsVisible);
    FSpeedTrackBar->setVisible(S.SpeedControlsVisible);
    FSpeedTrackBar->setValue(S.SpeedFactor);
    FLeftStack->setCurrentWidget(S.StartPanelVisible ? FStartInfoPanel : FDisAsmPage);
    for (int i = 0; i < 9; ++i) FPanes->DigitLabels[i]->setVisible(S.DigitLabelVisible[i]);
    FPanes->LCDImage->setToolTip(QString::fromStdString(S.LCDImageHint));
    FUpdatingStates = false;
    EnsureMainLoop();
}

TValueId TMainFrm::RowToValueId(int Row) {
    if (Row >= prAcc && Row <= prR) return {static_cast<TValueKind>(Row), 0};
    if (Row >= prRAM0 && Row < prO0) return {TValueKind::RAMCell, Row - prRAM0};
    if (Row >= prO0 && Row < prO_0) return {TValueKind::O, Row - prO0};
    if (Row >= prO_0 && Row < prTD) return {TValueKind::O_, Row - prO_0};
    if (Row == prTD) return {TValueKind::TD, 0};
    return {TValueKind::LD0, 0};
}

void TMainFrm::DrawPanes(TPanes Panes, bool OnlyChanged) {
    ++FDrawPanesCount;
    if (FDebugger && FDebugger->IsFullRun() && FIdleTimer.isActive()) {
        // Drawn (with every text) when the slice ends.
        FDeferredPanes |= Panes;
        return;
    }
    DrawPanesNow(Panes, OnlyChanged);
}

void TMainFrm::DrawValue(int Row, const TValueText& Text, bool OnlyChanged) {
    const TPaneRowLabels& l = FPanes->Row(Row);
    if (OnlyChanged && !Text.Rewrite) {
        if (l.Value) l.Value->SetValue(l.Value->text(), Text.Changed);
        if (l.Bits) l.Bits->SetValue(l.Bits->text(), Text.Changed);
        return;
    }
    if (l.Value) l.Value->SetValue(QString::fromStdString(Text.Value), Text.Changed);
    if (l.Bits) l.Bits->SetValue(QString::fromStdString(Text.Bits), Text.Changed);
}

void TMainFrm::DrawPanesNow(TPanes Panes, bool OnlyChanged) {
    const TPaneTexts& t = FDebugger->PaneTexts();
    if (Panes & pnDisAsm) FDisAsmList->viewport()->update();
    if (Panes & pnRegisters) {
        const TValueText* rows[11] = {&t.Acc, &t.DP, &t.DPCell, &t.T, &t.T14, &t.MSB,
                                      &t.Page, &t.PC, &t.A, &t.Carry, &t.R};
        for (int r = prAcc; r <= prR; ++r) DrawValue(r, *rows[r], OnlyChanged);
        FPanes->RAMbyDPWarningLabel->setVisible(t.DPWarningVisible);
        FPanes->RAMbyDPWarningLabel->setToolTip(QString::fromStdString(t.DPWarningHint));
        if (!t.RHint.empty()) FPanes->SetRowHint(prR, QString::fromStdString(t.RHint));
    }
    if (Panes & pnRAM) {
        for (int a = 0; a < RAMSize; ++a) {
            if (!IsValidRAMAddress(static_cast<T7bits>(a))) continue;
            DrawValue(prRAM0 + a, t.RAM[a], OnlyChanged);
            QColor bg;
            switch (t.RAMBackground[a]) {
            case TRAMCellBackground::Normal: break;
            case TRAMCellBackground::DP: bg = RGBColour(DPCellBackgroundRGB); break;
            case TRAMCellBackground::Breakpoint: bg = RGBColour(BreakpointCellBackgroundRGB); break;
            }
            FPanes->Value(prRAM0 + a)->SetBackground(bg);
        }
    }
    if ((Panes & pnRawInput) && FInputPanel) FInputPanel->RefreshStates();
    if (Panes & pnLCDRegisters) {
        for (int i = 8; i >= 0; --i) DrawValue(prO0 + i, t.O[i], OnlyChanged);
        for (int i = 8; i >= 0; --i) DrawValue(prO_0 + i, t.O_[i], OnlyChanged);
        DrawValue(prTD, t.TD, OnlyChanged);
        DrawValue(prLD0, t.LD0, OnlyChanged);
    }
}

void TMainFrm::ListReset() { FDisAsmList->ItemsReset(); }
void TMainFrm::ListItemChanged(int Index) { FDisAsmList->ItemChanged(Index); }
void TMainFrm::RepaintList() { FDisAsmList->viewport()->update(); }
void TMainFrm::ListSelectionChanged(int Index) { FDisAsmList->SetItemIndex(Index); }
void TMainFrm::ScrollListTo(int TopIndex) { FDisAsmList->SetTopIndex(TopIndex); }
int TMainFrm::ListTopIndex() const { return FDisAsmList->TopIndex(); }
int TMainFrm::ListVisibleRows() const { return FDisAsmList->VisibleRowEstimate(); }

void TMainFrm::FocusList() {
    if (FDisAsmList->Count() > 0 && FDisAsmList->isEnabled()) FDisAsmList->setFocus();
}

void TMainFrm::SetHintLabel(const std::string& Text) { FHintLabel->setText(QString::fromStdString(Text)); }

void TMainFrm::LCDImageChanged(const TRaster& Bitmap) {
    if (FPanes->LCDImage->Raster() != &Bitmap) FPanes->LCDImage->SetRaster(&Bitmap);
    if (FDebugger && FDebugger->IsFullRun() && FIdleTimer.isActive())
        FLCDChangePending = true;
    else
        FPanes->LCDImage->CheckForChanges();
}

void TMainFrm::ShowLCDThemeName(const std::string& Name) {
    QLabel* l = FPanes->LCDImageThemeNameLabel;
    FThemeNameTimer.stop();
    if (Name.empty()) {
        l->setVisible(false);
        return;
    }
    l->setText(QString::fromStdString(Name));
    l->setVisible(true);
    FThemeNameTimer.start();
}

void TMainFrm::LCDImageMenuChanged() {
    // The LCD image pop-up menu is built from the controller's menu model each time it opens.
}

void TMainFrm::RebuildInputPanel() {
    if (FInputPanel) FInputPanel->Rebuild();
    // The R row's hint depends on the chip; the panes read it with the registers.
    if (FDebugger && !FDebugger->PaneTexts().RHint.empty())
        FPanes->SetRowHint(prR, QString::fromStdString(FDebugger->PaneTexts().RHint));
}

void TMainFrm::SetBusy(bool Busy) {
    if (Busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TMainFrm::ShowSevenSegmentCodingTable(int O, int O_, bool TD0IsCOM1, int HighlightAcc) {
    if (!FSevenSegment) FSevenSegment = new TSevenSegmentCodingTableForm(this);
    if (HighlightAcc >= 0)
        FSevenSegment->ShowSevenSegmentTableForAcc(HighlightAcc);
    else
        // The half held in O counts as the TD=0 half exactly when TD=0 selects COM1.
        FSevenSegment->ShowSevenSegmentTable(O, O_, TD0IsCOM1);
}

void TMainFrm::ShowOpcodeLegend(uint8_t Opcode, uint8_t Operand) {
    if (!FOpcodeLegend) FOpcodeLegend = new TOpcodeLegendForm(this);
    FOpcodeLegend->ShowOpcodeLegend(FDebugger ? FDebugger->MCU() : nullptr, Opcode, Operand);
    activateWindow();
}

void TMainFrm::RefreshOpcodeLegend() {
    if (!FOpcodeLegend || !FOpcodeLegend->isVisible() || !FDebugger || !FDebugger->MCU()) return;
    T11bits a = NoAddress;
    if (!FDebugger->GetSelectedAddr(a)) return;
    uint8_t op = 0, operand = 0;
    FDebugger->MCU()->GetOpcodeExt(a, op, operand);
    FOpcodeLegend->ShowOpcodeLegend(FDebugger->MCU(), op, operand);
}

// ---------------------------------------------------------------------------------------------
// Pop-up menus

QMenu* TMainFrm::BuildLCDImagePopupMenu() {
    auto* menu = new QMenu(this);
    // The interconnection window comes with its own work; until then the item stays disabled.
    QAction* inter = menu->addAction("Show &interconnection of MCU and LCD...");
    inter->setEnabled(false);
    connect(inter, &QAction::triggered, this, [this] { ShowInterconnection(); });
    menu->addSeparator();
    const TLCDImageMenu& m = FDebugger->LCDImageMenu();
    if (m.Visible) {
        QAction* header = menu->addAction(QString::fromStdString(m.Header));
        header->setEnabled(false);
        auto* group = new QActionGroup(menu);
        for (size_t i = 0; i < m.Captions.size(); ++i) {
            QAction* a = menu->addAction(QString::fromStdString(m.Captions[i]));
            a->setCheckable(true);
            a->setChecked(static_cast<int>(i) == m.Checked);
            group->addAction(a);
            const int index = static_cast<int>(i);
            connect(a, &QAction::triggered, this, [this, index] { Command([&] { FDebugger->SelectLCDImage(index); }); });
        }
    }
    return menu;
}

QMenu* TMainFrm::BuildValuePopupMenu(int Row, TLabelRole Role) {
    const TValueId id = RowToValueId(Row);
    const TValuePopupStates s = FDebugger->ValuePopupStates(id);
    auto* menu = new QMenu(this);
    auto add = [&](const QString& caption, bool visible, bool enabled, auto fn) {
        QAction* a = menu->addAction(caption);
        a->setVisible(visible);
        a->setEnabled(enabled);
        connect(a, &QAction::triggered, this, [this, fn] { Command(fn); });
        return a;
    };
    QAction* change = add("&Change value...", s.ChangeValueVisible, s.ChangeValueEnabled,
                          [this, id] { FDebugger->EditValue(id); });
    menu->setDefaultAction(change);
    add("&Follow", s.FollowVisible, s.FollowEnabled, [this, id] { FDebugger->FollowValue(id); });
    const int ram = FDebugger->ValueRAMAddress(id);
    const char* setCaptions[3] = {"Set &read memory breakpoint", "Set &write memory breakpoint",
                                  "Set c&hange memory breakpoint"};
    const char* removeCaptions[3] = {"Remove &read memory breakpoint", "Remove &write memory breakpoint",
                                     "Remove c&hange memory breakpoint"};
    if (menu->actions().size() && (s.ChangeValueVisible || s.FollowVisible)) menu->addSeparator();
    for (int k = 0; k < 3; ++k) {
        const auto kind = static_cast<TMemoryBreakpointKind>(k);
        const T7bits addr = static_cast<T7bits>(ram < 0 ? 0x7F : ram);
        add(setCaptions[k], s.SetVisible[k], s.SetEnabled[k],
            [this, kind, addr] { FDebugger->SetMemoryBreakpointCommand(kind, addr); });
        add(removeCaptions[k], s.RemoveVisible[k], true,
            [this, kind, addr] { FDebugger->RemoveMemoryBreakpointCommand(kind, addr); });
    }
    add("Show &7-segment Coding Table...", s.Show7SegmentVisible, true,
        [this, id] { FDebugger->ShowSevenSegmentCodingTableForValue(id); });
    // The MCU-pins and interconnection windows come with their own work.
    add("Show &MCU pins...", s.ShowMCUPinsVisible, false, [this] { ShowMCUPins(); });
    add("Show &interconnection of MCU and LCD...", s.ShowInterconnectionVisible, false,
        [this] { ShowInterconnection(); });
    (void)Role;
    return menu;
}

void TMainFrm::ShowValuePopup(int Row, TLabelRole Role, const QPoint& GlobalPos) {
    QMenu* menu = BuildValuePopupMenu(Row, Role);
    bool anyVisible = false;
    for (QAction* a : menu->actions()) anyVisible = anyVisible || (a->isVisible() && !a->isSeparator());
    if (anyVisible) menu->exec(GlobalPos);
    menu->deleteLater();
}

void TMainFrm::OpenBreakpointsDialog() {
    Command([this] {
        std::unique_ptr<TBreakpointsDialogModel> model;
        if (!FDebugger->PrepareBreakpointsDialog(model) || !model) return;
        TBreakpointsDlg dlg(
            this, *model, [this] { return FDebugger->ConfirmDeleteAllBreakpoints(); },
            [this](T11bits a) { Command([&] { FDebugger->GoToAddr(a); }); });
        if (dlg.exec() == QDialog::Accepted) FDebugger->ApplyBreakpointsDialog(*model);
    });
}

// ---------------------------------------------------------------------------------------------
// TPrompter

TMessageResult TMainFrm::Message(TMessageKind Kind, const std::string& Text, TMessageButtons Buttons) {
    if (FPrompterOverride) return FPrompterOverride->Message(Kind, Text, Buttons);
    QMessageBox box(this);
    switch (Kind) {
    case TMessageKind::Information: box.setIcon(QMessageBox::Information); box.setWindowTitle("Information"); break;
    case TMessageKind::Confirmation: box.setIcon(QMessageBox::Question); box.setWindowTitle("Confirm"); break;
    case TMessageKind::Warning: box.setIcon(QMessageBox::Warning); box.setWindowTitle("Warning"); break;
    case TMessageKind::Error: box.setIcon(QMessageBox::Critical); box.setWindowTitle("Error"); break;
    }
    box.setText(QString::fromStdString(Text));
    switch (Buttons) {
    case TMessageButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case TMessageButtons::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case TMessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case TMessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    const int r = box.exec();
    switch (r) {
    case QMessageBox::Ok: return TMessageResult::OK;
    case QMessageBox::Yes: return TMessageResult::Yes;
    case QMessageBox::No: return TMessageResult::No;
    default:
        // Closing the box with Esc or the title bar: No for a Yes/No question, else Cancel.
        return Buttons == TMessageButtons::YesNo ? TMessageResult::No
               : Buttons == TMessageButtons::OK  ? TMessageResult::OK
                                                 : TMessageResult::Cancel;
    }
}

bool TMainFrm::Input(TInputDialog& Dialog) {
    if (FPrompterOverride) return FPrompterOverride->Input(Dialog);
    QStringList labels;
    std::vector<std::string> values;
    for (const TInputField& f : Dialog.Fields) {
        QString label = QString::fromStdString(f.Label);
        if (label.endsWith(':')) label.chop(1);
        labels << label;
        values.push_back(f.Text);
    }
    TInputDlg dlg(this, QString::fromStdString(Dialog.Title), labels, values, Dialog.Validate,
                  [this](const std::string& Text) { Message(TMessageKind::Error, Text, TMessageButtons::OK); });
    if (dlg.exec() != QDialog::Accepted) return false;
    const std::vector<std::string> texts = dlg.Texts();
    for (size_t i = 0; i < Dialog.Fields.size() && i < texts.size(); ++i) Dialog.Fields[i].Text = texts[i];
    return true;
}

bool TMainFrm::OpenFile(const TFileDialog& Dialog, std::string& FileName) {
    if (FPrompterOverride) return FPrompterOverride->OpenFile(Dialog, FileName);
    QFileDialog dlg(this, QString::fromStdString(Dialog.Title), QString(), QtFileFilter(Dialog.Filter));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(Dialog.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!Dialog.FileName.empty()) dlg.selectFile(QString::fromStdString(Dialog.FileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    FileName = dlg.selectedFiles().front().toStdString();
    return true;
}

bool TMainFrm::SaveFile(const TFileDialog& Dialog, std::string& FileName) {
    if (FPrompterOverride) return FPrompterOverride->SaveFile(Dialog, FileName);
    QFileDialog dlg(this, QString::fromStdString(Dialog.Title), QString(), QtFileFilter(Dialog.Filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!Dialog.DefaultExt.empty()) dlg.setDefaultSuffix(QString::fromStdString(Dialog.DefaultExt));
    if (!Dialog.OverwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!Dialog.FileName.empty()) dlg.selectFile(QString::fromStdString(Dialog.FileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    FileName = dlg.selectedFiles().front().toStdString();
    return true;
}

// ---------------------------------------------------------------------------------------------
// TDisAsmListSource

int TMainFrm::ItemCount() const { return FDebugger ? FDebugger->Listing().Count() : 0; }

std::string TMainFrm::ItemText(int Index) const {
    const auto& e = FDebugger->Listing().Entries();
    return Index >= 0 && Index < static_cast<int>(e.size()) ? e[Index].Text : std::string();
}

std::string TMainFrm::RowHeader(int Index) const { return FDebugger->RowHeader(Index); }
std::string TMainFrm::RowLabel(int Index) const { return FDebugger->RowLabel(Index); }
TListRowLook TMainFrm::RowLook(int Index) const { return FDebugger->RowLook(Index); }

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
    FocusList();
    if (!FCommandLineArgument.empty()) {
        const std::string arg = FCommandLineArgument;
        FCommandLineArgument.clear();
        Command([&] { FDebugger->HandleCommandLine(arg); });
    }
}

void TMainFrm::closeEvent(QCloseEvent* Event) {
    bool ok = true;
    Command([&] { ok = FDebugger->CanCloseGame(true); });
    if (ok) {
        FIdleTimer.stop();
        Event->accept();
    } else {
        Event->ignore();
    }
}

} // namespace tarvolin
