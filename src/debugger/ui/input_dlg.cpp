#include "debugger/ui/input_dlg.h"

#include <algorithm>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "base/ui/fixed_font.h"

namespace tarvolin {

TInputDlg::TInputDlg(QWidget* Parent, const QString& Title, const QStringList& Labels,
                           const std::vector<std::string>& Values, TValidator Validator, TErrorSink ErrorSink)
    : QDialog(Parent), FValidator(std::move(Validator)), FErrorSink(std::move(ErrorSink)) {
    setWindowTitle(Title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    QFont fixed = FixedPitchFont();
    for (int i = 0; i < Labels.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setFont(fixed);
        if (i < static_cast<int>(Values.size())) edit->setText(QString::fromStdString(Values[i]));
        edit->setMinimumWidth(Labels.size() > 1 ? 320 : 160);
        auto* label = new QLabel(Labels[i] + ":", this);
        label->setBuddy(edit);
        form->addRow(label, edit);
        FEdits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TInputDlg::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (!FEdits.empty()) {
        FEdits.front()->selectAll();
        FEdits.front()->setFocus();
    }
    setSizeGripEnabled(false);
    setMinimumWidth(TitleWidth(Title));
}

int TInputDlg::TitleWidth(const QString& Title) const {
    // The title bar shows the title in a bold font next to the window's icon and buttons; the
    // dialog is wide enough for all of them (the valid range is at the end of the title), and
    // no wider than the screen.
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    int w = fm.horizontalAdvance(Title) + 7 * fm.height();
    if (const QScreen* s = screen()) w = std::min(w, s->availableGeometry().width() - 16);
    return w;
}

std::vector<std::string> TInputDlg::Texts() const {
    std::vector<std::string> r;
    for (auto* e : FEdits) r.push_back(e->text().toStdString());
    return r;
}

void TInputDlg::TryAccept() {
    const TInputCheck check = FValidator ? FValidator(Texts()) : TInputCheck::Accept();
    if (check.Accepted) {
        accept();
        return;
    }
    if (!check.ErrorText.empty() && FErrorSink) FErrorSink(check.ErrorText);
    if (!FEdits.empty()) {
        FEdits.front()->setFocus();
        FEdits.front()->selectAll();
    }
}

} // namespace tarvolin
