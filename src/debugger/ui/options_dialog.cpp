#include "debugger/ui/options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "base/interface_language.h"

namespace tarvolin {

namespace {

// Two radio buttons side by side in a captioned group of their own.
QGroupBox* Pair(QWidget* Parent, const QString& Caption, QRadioButton*& First, const QString& FirstText,
                QRadioButton*& Second, const QString& SecondText) {
    auto* box = new QGroupBox(Caption, Parent);
    auto* row = new QHBoxLayout(box);
    First = new QRadioButton(FirstText, box);
    Second = new QRadioButton(SecondText, box);
    row->addWidget(First);
    row->addWidget(Second);
    row->addStretch(1);
    auto* group = new QButtonGroup(box);
    group->addButton(First);
    group->addButton(Second);
    return box;
}

} // namespace

TOptionsDlg::TOptionsDlg(QWidget* Parent, const TOptionsDialogValues& v) : QDialog(Parent) {
    setWindowTitle(tr("Options"));
    auto* outer = new QVBoxLayout(this);

    auto* options = new QGroupBox(tr("Options"), this);
    auto* grid = new QGridLayout(options);
    AddressNotationCB = new QCheckBox(tr("Use Bank:Page:Step &address notation"), options);
    LFSRAddressingCB = new QCheckBox(tr("Use &LFSR addressing"), options);
    DisAsmCommentsCB = new QCheckBox(tr("Append default disassembler &comments"), options);
    grid->addWidget(AddressNotationCB, 0, 0);
    grid->addWidget(LFSRAddressingCB, 1, 0);
    grid->addWidget(DisAsmCommentsCB, 2, 0);
    auto* mnemonics = new QGroupBox(tr("Instruction mnemonics"), options);
    auto* mnemonicsColumn = new QVBoxLayout(mnemonics);
    // The chip names are the same in every language.
    const QString MnemonicCaptions[3] = {tr("&Native to selected MCU"), "&SHARP SM-5A",
                                         QString::fromUtf8("КБ&1013ВК1-2")};
    auto* mnemonicsGroup = new QButtonGroup(mnemonics);
    for (int i = 0; i < 3; ++i) {
        MnemonicsRB[i] = new QRadioButton(MnemonicCaptions[i], mnemonics);
        mnemonicsColumn->addWidget(MnemonicsRB[i]);
        mnemonicsGroup->addButton(MnemonicsRB[i], i);
    }
    grid->addWidget(mnemonics, 0, 1, 3, 1);
    outer->addWidget(options);

    // The choices in pairs on the left, the sound during runs beside them: the dialog stays low
    // enough for a 768-pixel screen at 150 %.
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 1);
    outer->addLayout(columns);
    left->addWidget(
        Pair(this, tr("Keyboard shortcuts"), DefaultShortcutsRB, tr("&Default"), MAMEShortcutsRB, tr("&MAME style")));
    left->addWidget(
        Pair(this, tr("Sound output type"), RawWaveRB, tr("&Raw bit wave"), DerivationWaveRB, tr("&Derivation wave")));
    auto* live = new QGroupBox(tr("Sound during runs"), this);
    auto* liveGrid = new QGridLayout(live);
    LiveSoundCB = new QCheckBox(tr("Play the &buzzer through the audio output"), live);
    auto* volumeLabel = new QLabel(tr("&Volume:"), live);
    VolumeSlider = new QSlider(Qt::Horizontal, live);
    VolumeSlider->setRange(0, 100);
    VolumeSlider->setSingleStep(5);
    VolumeSlider->setPageStep(10);
    volumeLabel->setBuddy(VolumeSlider);
    VolumeValue = new QLabel(live);
    VolumeValue->setMinimumWidth(VolumeValue->fontMetrics().horizontalAdvance("100 %"));
    connect(VolumeSlider, &QSlider::valueChanged, VolumeValue,
            [this](int Value) { VolumeValue->setText(tr("%1 %").arg(Value)); });
    MuteAtFullSpeedCB = new QCheckBox(tr("Mute at &full emulation speed"), live);
    MuteWhenMinimisedCB = new QCheckBox(tr("Mute while the &window is minimised"), live);
    liveGrid->addWidget(LiveSoundCB, 0, 0, 1, 3);
    liveGrid->addWidget(volumeLabel, 1, 0);
    liveGrid->addWidget(VolumeSlider, 1, 1);
    liveGrid->addWidget(VolumeValue, 1, 2);
    liveGrid->addWidget(MuteAtFullSpeedCB, 2, 0, 1, 3);
    liveGrid->addWidget(MuteWhenMinimisedCB, 3, 0, 1, 3);
    liveGrid->setRowStretch(4, 1);
    columns->addWidget(live, 1);
    // Each language is named in its own language.
    left->addWidget(Pair(this, tr("User Interface language"), EnglishRB, "&English", RussianRB,
                         QString::fromUtf8("&Русский")));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);

    AddressNotationCB->setChecked(v.UseBankPageStepAddressNotation);
    LFSRAddressingCB->setChecked(v.UseLFSRAddressing);
    DisAsmCommentsCB->setChecked(v.AppendDisAsmComments);
    MnemonicsRB[v.InstructionMnemonics >= 0 && v.InstructionMnemonics <= 2 ? v.InstructionMnemonics : 0]->setChecked(true);
    (v.UseMAMEKeyMapping ? MAMEShortcutsRB : DefaultShortcutsRB)->setChecked(true);
    (v.DerivatedSoundWave ? DerivationWaveRB : RawWaveRB)->setChecked(true);
    (v.Russian ? RussianRB : EnglishRB)->setChecked(true);
    LiveSoundCB->setChecked(v.LiveSound);
    VolumeSlider->setValue(v.LiveSoundVolume);
    VolumeValue->setText(tr("%1 %").arg(VolumeSlider->value()));
    MuteAtFullSpeedCB->setChecked(v.MuteLiveSoundAtFullSpeed);
    MuteWhenMinimisedCB->setChecked(v.MuteLiveSoundWhenMinimised);

    // Fixed size; the Russian texts are longer, and the dialog is wider for them.
    adjustSize();
    setFixedSize(sizeHint().width() + (RussianUIActive() ? 112 : 0), sizeHint().height());
}

TOptionsDialogValues TOptionsDlg::Values() const {
    TOptionsDialogValues v;
    v.UseBankPageStepAddressNotation = AddressNotationCB->isChecked();
    v.UseLFSRAddressing = LFSRAddressingCB->isChecked();
    v.AppendDisAsmComments = DisAsmCommentsCB->isChecked();
    for (int i = 0; i < 3; ++i)
        if (MnemonicsRB[i]->isChecked()) v.InstructionMnemonics = i;
    v.UseMAMEKeyMapping = MAMEShortcutsRB->isChecked();
    v.DerivatedSoundWave = DerivationWaveRB->isChecked();
    v.Russian = RussianRB->isChecked();
    v.LiveSound = LiveSoundCB->isChecked();
    v.LiveSoundVolume = VolumeSlider->value();
    v.MuteLiveSoundAtFullSpeed = MuteAtFullSpeedCB->isChecked();
    v.MuteLiveSoundWhenMinimised = MuteWhenMinimisedCB->isChecked();
    return v;
}

} // namespace tarvolin
