// The window's side of the live sound: the system's default audio output through Qt
// Multimedia (a sink that pulls the samples from the feature's ring buffer), the note in the
// status bar, and the window's minimised state handed to the feature.
#pragma once

#include <QIODevice>
#include <QObject>
#include <QTimer>
#include <memory>

#include "debugger/live_sound.h"

class QAudioSink;
class QLabel;
class QMainWindow;
class QStatusBar;

namespace tarvolin {

// A read-only device over the ring. What the ring lacks (the run was late) is filled with the
// last sample dying away, so a gap is heard as a short silence, not a click.
class TAudioRingDevice : public QIODevice {
    Q_OBJECT
public:
    TAudioRingDevice(TAudioRing& Ring, QObject* Parent);
    qint64 bytesAvailable() const override;
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* Data, qint64 MaxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    TAudioRing& FRing;
    double FLast = 0;
};

class TQtAudioOutput : public QObject, public TAudioOutput {
    Q_OBJECT
public:
    explicit TQtAudioOutput(QObject* Parent);
    ~TQtAudioOutput() override;
    uint32_t Open(TAudioRing& Ring, std::string& Reason) override;
    void Close() override;

private:
    void StopNow();

    std::unique_ptr<QAudioSink> FSink;
    TAudioRingDevice* FDevice = nullptr;
    TAudioRing* FRing = nullptr;
    uint32_t FRate = 0;
    QTimer FStopTimer;
};

class TLiveSoundView : public QObject {
    Q_OBJECT
public:
    // Installs the audio output into the feature and a note label into the status bar, and
    // follows the window's minimised state.
    TLiveSoundView(QMainWindow& Window, TLiveSoundControl& Control);
    ~TLiveSoundView() override;
    void SetNote(const std::string& Note);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QMainWindow& FWindow;
    TLiveSoundControl& FControl;
    TQtAudioOutput FOutput{nullptr};
    QLabel* FNoteLabel = nullptr;
};

} // namespace tarvolin
