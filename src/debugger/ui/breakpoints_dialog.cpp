#include "debugger/ui/breakpoints_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvolin {

namespace {
constexpr int AddrRole = Qt::UserRole + 1;
}

TBreakpointsDlg::TBreakpointsDlg(QWidget* Parent, const TLists& Lists, std::function<bool(const std::string&)> Confirm,
                                 std::function<void(int)> GoTo)
    : QDialog(Parent), FConfirm(std::move(Confirm)), FGoTo(std::move(GoTo)) {
    setWindowTitle("Breakpoint addresses");
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* top = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    top->addLayout(groups);

    auto makeList = [&](TKind kind) {
        auto* list = new QListWidget(this);
        list->setFont(fixed);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        std::vector<TItem> items = Lists[kind];
        std::stable_sort(items.begin(), items.end(), [](const TItem& a, const TItem& b) { return a.Text < b.Text; });
        for (const TItem& it : items) {
            auto* li = new QListWidgetItem(QString::fromStdString(it.Text), list);
            li->setData(AddrRole, it.Addr);
        }
        list->setMinimumWidth(90);
        list->installEventFilter(this);
        FLists[kind] = list;
        auto* del = new QPushButton("Delete", this);
        del->setAutoDefault(false);
        FDeleteButtons[kind] = del;
        connect(del, &QPushButton::clicked, this, [this, kind] { DeleteSelected(kind); });
        connect(list, &QListWidget::itemSelectionChanged, this, &TBreakpointsDlg::UpdateButtons);
        return list;
    };

    auto* codeBox = new QGroupBox("&Code breakpoints", this);
    auto* codeLayout = new QVBoxLayout(codeBox);
    codeLayout->addWidget(makeList(bkCode));
    codeLayout->addWidget(FDeleteButtons[bkCode]);
    groups->addWidget(codeBox);
    connect(FLists[bkCode], &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item && FGoTo) FGoTo(item->data(AddrRole).toInt());
    });

    auto* memBox = new QGroupBox("Memory breakpoints", this);
    auto* memLayout = new QGridLayout(memBox);
    const char* captions[3] = {"&Read memory:", "&Write memory:", "C&hange memory:"};
    for (int k = 0; k < 3; ++k) {
        TKind kind = static_cast<TKind>(bkRead + k);
        auto* label = new QLabel(captions[k], memBox);
        QListWidget* list = makeList(kind);
        label->setBuddy(list);
        memLayout->addWidget(label, 0, k);
        memLayout->addWidget(list, 1, k);
        memLayout->addWidget(FDeleteButtons[kind], 2, k);
    }
    groups->addWidget(memBox, 3);

    auto* bottom = new QHBoxLayout;
    FDeleteAllButton = new QPushButton("Delete &all", this);
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
    for (QListWidget* list : FLists)
        if (list->count() > 0) {
            list->setFocus();
            break;
        }
}

void TBreakpointsDlg::UpdateButtons() {
    bool any = false;
    for (int k = 0; k < 4; ++k) {
        QListWidget* list = FLists[k];
        list->setEnabled(list->count() > 0);
        FDeleteButtons[k]->setEnabled(list->count() > 0 && !list->selectedItems().isEmpty());
        any = any || list->count() > 0;
    }
    FDeleteAllButton->setEnabled(any);
}

void TBreakpointsDlg::DeleteSelected(TKind Kind) {
    QListWidget* list = FLists[Kind];
    const int row = list->currentRow();
    if (row < 0 || list->selectedItems().isEmpty()) return;
    delete list->takeItem(row);
    if (list->count() > 0) {
        const int next = std::min(row, list->count() - 1);
        list->setCurrentRow(next);
        list->item(next)->setSelected(true);
    }
    UpdateButtons();
}

void TBreakpointsDlg::DeleteAll() {
    if (FConfirm && !FConfirm("Are you sure you want to delete all breakpoints?")) return;
    for (QListWidget* list : FLists) list->clear();
    UpdateButtons();
}

std::array<std::vector<int>, 4> TBreakpointsDlg::Addresses() const {
    std::array<std::vector<int>, 4> r;
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < FLists[k]->count(); ++i) r[k].push_back(FLists[k]->item(i)->data(AddrRole).toInt());
    return r;
}

bool TBreakpointsDlg::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(Event);
        if (ke->key() == Qt::Key_Delete && ke->modifiers() == Qt::NoModifier) {
            for (int k = 0; k < 4; ++k)
                if (Watched == FLists[k] && FDeleteButtons[k]->isEnabled()) {
                    DeleteSelected(static_cast<TKind>(k));
                    return true;
                }
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

} // namespace tarvolin
