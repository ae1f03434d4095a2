// The options dialog ("Options"): address notation, LFSR addressing, listing comments, the
// mnemonic set, the shortcut set, the sound wave form and the interface language. Fixed size,
// centred; OK is the default button, Cancel the cancel button.
#pragma once

#include <QDialog>

#include "debugger/options_control.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class QSlider;

namespace tarvolin {

class TOptionsDlg : public QDialog {
    Q_OBJECT
public:
    TOptionsDlg(QWidget* Parent, const TOptionsDialogValues& Values);
    TOptionsDialogValues Values() const;

    QCheckBox* AddressNotationCB = nullptr;
    QCheckBox* LFSRAddressingCB = nullptr;
    QCheckBox* DisAsmCommentsCB = nullptr;
    QRadioButton* MnemonicsRB[3] = {};
    QRadioButton* DefaultShortcutsRB = nullptr;
    QRadioButton* MAMEShortcutsRB = nullptr;
    QRadioButton* RawWaveRB = nullptr;
    QRadioButton* DerivationWaveRB = nullptr;
    QCheckBox* LiveSoundCB = nullptr;
    QSlider* VolumeSlider = nullptr;
    QLabel* VolumeValue = nullptr;
    QCheckBox* MuteAtFullSpeedCB = nullptr;
    QCheckBox* MuteWhenMinimisedCB = nullptr;
    QRadioButton* EnglishRB = nullptr;
    QRadioButton* RussianRB = nullptr;
};

} // namespace tarvolin
