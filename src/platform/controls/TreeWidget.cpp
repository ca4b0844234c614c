#include "platform/controls/TreeWidget.h"

#include <QEvent>
#include <QHeaderView>

#include "platform/controls/TreeView.h"
#include "platform/framework/ControlWidget.h"

TreeItemDelegate::TreeItemDelegate(TreeWidget* tree) : QStyledItemDelegate(tree), tree_(tree) {}

QSize TreeItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QTreeWidgetItem* item = tree_->ItemOf(index);
    if (!item || index.column() != 0)
        return QStyledItemDelegate::sizeHint(option, index);
    if (auto it = sizes_.constFind(item); it != sizes_.cend())
        return *it;
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    sizes_.insert(item, size);
    return size;
}

TreeWidget::TreeWidget(TTreeView* control) : control_(control), delegate_(new TreeItemDelegate(this))
{
    setItemDelegate(delegate_);
}

void TreeWidget::EditApproved(QTreeWidgetItem* item)
{
    approved_ = true;
    editItem(item, 0);
    approved_ = false;
}

void TreeWidget::ForgetMeasures()
{
    widthHint_ = {};
    delegate_->Forget();
}

// The column follows its contents, and Qt measures every label again each
// time the header is resized or laid out (several times before a tree is
// first shown, and at each layout of the items). The width changes only with
// the items, the look, or which items show: the measure is kept until one of
// them changes (expanding and collapsing report through the control, which
// hears both from the window and makes them itself). Above the header's
// precision Qt measures only the rows around the visible ones, which depends
// on the scroll position: large trees are measured each time.
int TreeWidget::sizeHintForColumn(int column) const
{
    if (widthHint_.column == column)
        return widthHint_.width;
    const int width = QTreeWidget::sizeHintForColumn(column);
    if (control_ && control_->Items().Count() < header()->resizeContentsPrecision())
        widthHint_ = {column, width};
    return width;
}

bool TreeWidget::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool opens = trigger == AllEditTriggers || (trigger & editTriggers());
    if (control_ && opens && !approved_ && state() != EditingState) {
        TTreeNode* node = control_->NodeOf(itemFromIndex(index));
        bool allowed = false;
        GuardedCall([&] { allowed = node && control_->CanEdit(node); });
        if (!allowed)
            return false;
    }
    return QTreeWidget::edit(index, trigger, event);
}

void TreeWidget::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    ForgetMeasures();
    QTreeWidget::dataChanged(topLeft, bottomRight, roles);
}

void TreeWidget::rowsInserted(const QModelIndex& parent, int start, int end)
{
    ForgetWidthHint();
    QTreeWidget::rowsInserted(parent, start, end);
}

void TreeWidget::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    // The sizes go too: a new item may be made where a removed one was.
    ForgetMeasures();
    QTreeWidget::rowsAboutToBeRemoved(parent, start, end);
}

void TreeWidget::reset()
{
    ForgetMeasures();
    QTreeWidget::reset();
}

void TreeWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        ForgetMeasures();
    QTreeWidget::changeEvent(event);
}
