#include "debugger/ui/qt_prompter.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <vector>

#include "debugger/ui/input_dlg.h"

namespace tarvolin {

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

TMessageResult TQtPrompter::Message(TMessageKind Kind, const std::string& Text, TMessageButtons Buttons) {
    if (FOverride) return FOverride->Message(Kind, Text, Buttons);
    QMessageBox box(FParent);
    switch (Kind) {
    case TMessageKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(QCoreApplication::translate("TQtPrompter", "Information"));
        break;
    case TMessageKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QCoreApplication::translate("TQtPrompter", "Confirm"));
        break;
    case TMessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QCoreApplication::translate("TQtPrompter", "Warning"));
        break;
    case TMessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QCoreApplication::translate("TQtPrompter", "Error"));
        break;
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

bool TQtPrompter::Input(TInputDialog& Dialog) {
    if (FOverride) return FOverride->Input(Dialog);
    QStringList labels;
    std::vector<std::string> values;
    for (const TInputField& f : Dialog.Fields) {
        QString label = QString::fromStdString(f.Label);
        if (label.endsWith(':')) label.chop(1);
        labels << label;
        values.push_back(f.Text);
    }
    TInputDlg dlg(FParent, QString::fromStdString(Dialog.Title), labels, values, Dialog.Validate,
                  [this](const std::string& Text) { Message(TMessageKind::Error, Text, TMessageButtons::OK); });
    if (dlg.exec() != QDialog::Accepted) return false;
    const std::vector<std::string> texts = dlg.Texts();
    for (size_t i = 0; i < Dialog.Fields.size() && i < texts.size(); ++i) Dialog.Fields[i].Text = texts[i];
    return true;
}

bool TQtPrompter::OpenFile(const TFileDialog& Dialog, std::string& FileName) {
    if (FOverride) return FOverride->OpenFile(Dialog, FileName);
    QFileDialog dlg(FParent, QString::fromStdString(Dialog.Title), QString(), QtFileFilter(Dialog.Filter));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(Dialog.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!Dialog.FileName.empty()) dlg.selectFile(QString::fromStdString(Dialog.FileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    FileName = dlg.selectedFiles().front().toStdString();
    return true;
}

bool TQtPrompter::SaveFile(const TFileDialog& Dialog, std::string& FileName) {
    if (FOverride) return FOverride->SaveFile(Dialog, FileName);
    QFileDialog dlg(FParent, QString::fromStdString(Dialog.Title), QString(), QtFileFilter(Dialog.Filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!Dialog.DefaultExt.empty()) dlg.setDefaultSuffix(QString::fromStdString(Dialog.DefaultExt));
    if (!Dialog.OverwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!Dialog.FileName.empty()) dlg.selectFile(QString::fromStdString(Dialog.FileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    FileName = dlg.selectedFiles().front().toStdString();
    return true;
}

} // namespace tarvolin
