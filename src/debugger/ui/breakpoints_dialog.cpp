#include "debugger/ui/breakpoints_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "base/ui/fixed_font.h"

namespace tarvolin {

namespace {

constexpr int DetailRole = Qt::UserRole + 1;

// A line shows its address (the item's text) followed by its detail: the instruction of a
// code breakpoint, the value of a memory breakpoint's cell.
class TDetailDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const override {
        QStyledItemDelegate::initStyleOption(Option, Index);
        const QString detail = Index.data(DetailRole).toString();
        if (!detail.isEmpty()) Option->text += "  " + detail;
    }
};

} // namespace

TBreakpointsDlg::TBreakpointsDlg(QWidget* Parent, TBreakpointsDialogModel& Model, std::function<bool()> ConfirmDeleteAll,
                                 std::function<void(T11bits)> GoTo)
    : QDialog(Parent), FModel(Model), FConfirmDeleteAll(std::move(ConfirmDeleteAll)), FGoTo(std::move(GoTo)) {
    setWindowTitle(tr("Breakpoint addresses"));
    const QFont fixed = FixedPitchFont();
    auto* top = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    top->addLayout(groups);

    for (int k = 0; k < 4; ++k) {
        const auto kind = static_cast<TBreakpointListKind>(k);
        auto* list = new QListWidget(this);
        list->setFont(fixed);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setItemDelegate(new TDetailDelegate(list));
        // Room for an address and its instruction, or a cell and its value.
        const QFontMetrics fm(fixed);
        list->setMinimumWidth(fm.horizontalAdvance(QString(k == 0 ? 30 : 7, 'x')) + 32);
        list->installEventFilter(this);
        FLists[k] = list;
        auto* del = new QPushButton(tr("Delete"), this);
        del->setAutoDefault(false);
        FDeleteButtons[k] = del;
        connect(del, &QPushButton::clicked, this, [this, kind] { DeleteSelected(kind); });
        // Only a selected line counts (the focus alone makes a line current, not selected).
        connect(list, &QListWidget::itemSelectionChanged, this, [this, kind, list] {
            if (FFilling) return;
            const QList<QListWidgetItem*> sel = list->selectedItems();
            FModel.Select(kind, sel.isEmpty() ? -1 : list->row(sel.front()));
            UpdateButtons();
        });
        Fill(kind);
    }
    connect(FLists[0], &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const T11bits a = FModel.CodeAddressAt(FLists[0]->row(item));
        if (a != NoAddress && FGoTo) FGoTo(a);
    });

    auto* codeBox = new QGroupBox(tr("&Code breakpoints"), this);
    auto* codeLayout = new QVBoxLayout(codeBox);
    codeLayout->addWidget(FLists[0]);
    codeLayout->addWidget(FDeleteButtons[0]);
    groups->addWidget(codeBox, 1);

    auto* memBox = new QGroupBox(tr("Memory breakpoints"), this);
    auto* memLayout = new QGridLayout(memBox);
    const QString captions[3] = {tr("&Read memory:"), tr("&Write memory:"), tr("C&hange memory:")};
    for (int k = 1; k < 4; ++k) {
        auto* label = new QLabel(captions[k - 1], memBox);
        label->setBuddy(FLists[k]);
        memLayout->addWidget(label, 0, k - 1);
        memLayout->addWidget(FLists[k], 1, k - 1);
        memLayout->addWidget(FDeleteButtons[k], 2, k - 1);
    }
    groups->addWidget(memBox, 3);

    auto* bottom = new QHBoxLayout;
    FDeleteAllButton = new QPushButton(tr("Delete &all"), this);
    FDeleteAllButton->setAutoDefault(false);
    connect(FDeleteAllButton, &QPushButton::clicked, this, &TBreakpointsDlg::DeleteAll);
    bottom->addWidget(FDeleteAllButton);
    bottom->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    bottom->addWidget(buttons);
    top->addLayout(bottom);

    UpdateButtons();
    const int first = FModel.FirstNonEmptyList();
    if (first >= 0) FLists[first]->setFocus();
}

void TBreakpointsDlg::Fill(TBreakpointListKind Kind) {
    FFilling = true;
    QListWidget* list = FLists[size_t(Kind)];
    list->clear();
    const auto& model = FModel.List(Kind);
    for (const auto& line : model.Lines) {
        auto* item = new QListWidgetItem(QString::fromStdString(line.Text), list);
        item->setData(DetailRole, QString::fromStdString(line.Detail));
        if (!line.Detail.empty()) item->setToolTip(QString::fromStdString(line.Detail));
    }
    if (model.Selected >= 0 && model.Selected < list->count()) {
        list->setCurrentRow(model.Selected);
        list->item(model.Selected)->setSelected(true);
    } else {
        list->setCurrentRow(-1);
    }
    FFilling = false;
}

void TBreakpointsDlg::UpdateButtons() {
    for (int k = 0; k < 4; ++k) {
        const auto kind = static_cast<TBreakpointListKind>(k);
        FLists[k]->setEnabled(FModel.ListEnabled(kind));
        FDeleteButtons[k]->setEnabled(FModel.DeleteEnabled(kind));
    }
    FDeleteAllButton->setEnabled(FModel.DeleteAllEnabled());
}

void TBreakpointsDlg::DeleteSelected(TBreakpointListKind Kind) {
    if (!FModel.DeleteEnabled(Kind)) return;
    FModel.Delete(Kind);
    Fill(Kind);
    UpdateButtons();
    QListWidget* list = FLists[size_t(Kind)];
    if (list->isEnabled()) list->setFocus();
}

void TBreakpointsDlg::DeleteAll() {
    if (!FModel.DeleteAllEnabled()) return;
    if (FConfirmDeleteAll && !FConfirmDeleteAll()) return;
    FModel.DeleteAll();
    for (int k = 0; k < 4; ++k) Fill(static_cast<TBreakpointListKind>(k));
    UpdateButtons();
}

bool TBreakpointsDlg::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(Event);
        if (ke->key() == Qt::Key_Delete && ke->modifiers() == Qt::NoModifier) {
            for (int k = 0; k < 4; ++k)
                if (Watched == FLists[k] && FDeleteButtons[k]->isEnabled()) {
                    DeleteSelected(static_cast<TBreakpointListKind>(k));
                    return true;
                }
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

} // namespace tarvolin
