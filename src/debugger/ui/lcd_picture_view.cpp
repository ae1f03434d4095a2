#include "debugger/ui/lcd_picture_view.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "base/ui/shell_starter.h"

#include "debugger/debugger.h"
#include "debugger/ui/command_runner.h"
#include "debugger/ui/lcd_image_widget.h"

namespace tarvolin {

TLCDPictureView::TLCDPictureView(TLCDImageWidget& Image, QLabel& ThemeLabel, TMainLoop& Loop, TCommandRunner& Runner)
    : QObject(&Image), FImage(Image), FThemeLabel(ThemeLabel), FLoop(Loop), FRunner(Runner) {
    FThemeNameTimer.setSingleShot(true);
    FThemeNameTimer.setInterval(1500);
    connect(&FThemeNameTimer, &QTimer::timeout, this, [this] { FThemeLabel.setVisible(false); });
    connect(&FImage, &TLCDImageWidget::DoubleClicked, this,
            [this](bool shift) { FRunner.RunCommand([&] { FDebugger->LCD().SwitchLCDImage(shift); }); });
    FImage.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&FImage, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (!FDebugger) return;
        QMenu* menu = BuildLCDImagePopupMenu();
        menu->exec(FImage.mapToGlobal(pos));
        menu->deleteLater();
    });
}

void TLCDPictureView::SetDebugger(TDebugger* Debugger) {
    FDebugger = Debugger;
    if (!FDebugger) return;
    const QColor panel = FImage.palette().color(FImage.backgroundRole());
    FDebugger->LCD().SetLCDBackgroundColor(TColor(panel.red()) | (TColor(panel.green()) << 8) |
                                           (TColor(panel.blue()) << 16));
    FImage.SetRaster(&FDebugger->LCD().LCDBitmap());
}

void TLCDPictureView::LCDImageChanged(const TRaster& Bitmap) {
    if (FImage.Raster() != &Bitmap) FImage.SetRaster(&Bitmap);
    if (FLoop.IsDeferring())
        FChangePending = true;
    else
        FImage.CheckForChanges();
}

void TLCDPictureView::FlushDeferred() {
    if (!FChangePending) return;
    FChangePending = false;
    if (FDebugger) FDebugger->LCD().CatchUp();
    FImage.CheckForChanges();
}

void TLCDPictureView::ShowLCDThemeName(const std::string& Name) {
    FThemeNameTimer.stop();
    if (Name.empty()) {
        FThemeLabel.setVisible(false);
        return;
    }
    FThemeLabel.setText(QString::fromStdString(Name));
    FThemeLabel.setVisible(true);
    FThemeNameTimer.start();
}

// The status label is the run state's; a note overlays it for a while.
void TLCDPictureView::ShowArtworkNote(const std::string& Text) {
    if (FStatusBar) FStatusBar->showMessage(QString::fromStdString(Text), 20000);
}

void TLCDPictureView::ApplyStates(const TCommandStates& States) {
    FImage.setToolTip(QString::fromStdString(States.LCDImageHint));
}

QMenu* TLCDPictureView::BuildLCDImagePopupMenu() {
    auto* menu = new QMenu(&FImage);
    QAction* inter = menu->addAction(tr("Show &interconnection of MCU and LCD..."));
    inter->setEnabled(FTools && FDebugger->IsGameLoaded());
    connect(inter, &QAction::triggered, this,
            [this] { FRunner.RunCommand([&] { FTools->ShowInterconnection(); }); });
    QAction* artwork = menu->addAction(tr("Open &artwork folder"));
    artwork->setObjectName("LCDOpenArtworkFolder");
    artwork->setEnabled(!FDebugger->LCD().ArtworkFolder().empty());
    connect(artwork, &QAction::triggered, this, [this] {
        FRunner.RunCommand([&] { OpenDocument(FDebugger->LCD().PrepareArtworkFolder().string()); });
    });
    menu->addSeparator();
    const TLCDImageMenu& m = FDebugger->LCD().LCDImageMenu();
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
            connect(a, &QAction::triggered, this,
                    [this, index] { FRunner.RunCommand([&] { FDebugger->LCD().SelectLCDImage(index); }); });
        }
    }
    return menu;
}

} // namespace tarvolin
