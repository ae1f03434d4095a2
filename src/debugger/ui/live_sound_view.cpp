#include "debugger/ui/live_sound_view.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMediaDevices>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

namespace tarvolin {

namespace {

// The device's own buffer: with the ring's cushion the sound stays well under 100 ms behind
// the run.
constexpr int DeviceBufferMilliseconds = 25;
// How long a closed output keeps playing what the ring holds (the fade to silence).
constexpr int DrainMilliseconds = 200;

} // namespace

// ---- the ring as a device ----

TAudioRingDevice::TAudioRingDevice(TAudioRing& Ring, QObject* Parent) : QIODevice(Parent), FRing(Ring) {}

qint64 TAudioRingDevice::bytesAvailable() const {
    // Always something to play: silence when the run is late.
    return std::max<qint64>(static_cast<qint64>(FRing.Filled()) * 2, 4096) + QIODevice::bytesAvailable();
}

qint64 TAudioRingDevice::readData(char* Data, qint64 MaxSize) {
    const size_t count = static_cast<size_t>(MaxSize / 2);
    auto* out = reinterpret_cast<int16_t*>(Data);
    const size_t got = FRing.Read(out, count);
    if (got > 0) FLast = out[got - 1];
    // About 1 ms to die away at 48 kHz.
    for (size_t i = got; i < count; ++i) {
        FLast *= 0.98;
        out[i] = static_cast<int16_t>(std::lrint(FLast));
    }
    return static_cast<qint64>(count * 2);
}

// ---- the output ----

TQtAudioOutput::TQtAudioOutput(QObject* Parent) : QObject(Parent) {
    FStopTimer.setSingleShot(true);
    FStopTimer.setInterval(DrainMilliseconds);
    connect(&FStopTimer, &QTimer::timeout, this, &TQtAudioOutput::StopNow);
}

TQtAudioOutput::~TQtAudioOutput() { StopNow(); }

uint32_t TQtAudioOutput::Open(TAudioRing& Ring, std::string& Reason) {
    FStopTimer.stop();
    // Still playing out the last run from the same ring: it goes on.
    if (FSink && FRing == &Ring && FSink->state() != QAudio::StoppedState) return FRate;
    StopNow();

    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        Reason = tr("No sound: no audio output device.").toStdString();
        return 0;
    }
    QAudioFormat format;
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const int preferred = device.preferredFormat().sampleRate();
    bool found = false;
    for (int rate : {preferred, 48000, 44100}) {
        if (rate <= 0) continue;
        format.setSampleRate(rate);
        if (device.isFormatSupported(format)) {
            found = true;
            break;
        }
    }
    if (!found) {
        Reason = tr("No sound: the audio output cannot play 16-bit mono samples.").toStdString();
        return 0;
    }
    FRate = static_cast<uint32_t>(format.sampleRate());
    FRing = &Ring;
    FSink = std::make_unique<QAudioSink>(device, format);
    FSink->setBufferSize(static_cast<qsizetype>(FRate) * 2 * DeviceBufferMilliseconds / 1000);
    FDevice = new TAudioRingDevice(Ring, this);
    FDevice->open(QIODevice::ReadOnly);
    FSink->start(FDevice);
    if (FSink->error() != QAudio::NoError) {
        StopNow();
        Reason = tr("No sound: the audio output could not be started.").toStdString();
        return 0;
    }
    return FRate;
}

void TQtAudioOutput::Close() {
    if (FSink) FStopTimer.start();
}

void TQtAudioOutput::StopNow() {
    FStopTimer.stop();
    if (FSink) {
        FSink->stop();
        FSink.reset();
    }
    delete FDevice;
    FDevice = nullptr;
    FRing = nullptr;
}

// ---- the view ----

TLiveSoundView::TLiveSoundView(QMainWindow& Window, TLiveSoundControl& Control)
    : QObject(&Window), FWindow(Window), FControl(Control) {
    FNoteLabel = new QLabel(&Window);
    FNoteLabel->setObjectName("LiveSoundNote");
    FNoteLabel->hide();
    Window.statusBar()->addPermanentWidget(FNoteLabel);
    Window.installEventFilter(this);
    FControl.SetAudioOutput(&FOutput);
}

TLiveSoundView::~TLiveSoundView() {
    FWindow.removeEventFilter(this);
    FControl.SetAudioOutput(nullptr);
}

void TLiveSoundView::SetNote(const std::string& Note) {
    FNoteLabel->setText(QString::fromStdString(Note));
    FNoteLabel->setToolTip(FNoteLabel->text());
    FNoteLabel->setVisible(!Note.empty());
}

bool TLiveSoundView::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == &FWindow && Event->type() == QEvent::WindowStateChange)
        FControl.SetMinimised(FWindow.isMinimized());
    return QObject::eventFilter(Watched, Event);
}

} // namespace tarvolin
