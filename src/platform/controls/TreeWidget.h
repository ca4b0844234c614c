#pragma once

// The window of a tree view (TTreeView): Qt's tree widget, which asks the
// control before a label editor opens and keeps its measures of the labels
// between the changes that alter them.

#include <QHash>
#include <QStyledItemDelegate>
#include <QTreeWidget>

class TTreeView;
class TreeWidget;

// Measures each item once. Qt asks for an item's size many times while it
// lays a tree out (the column's width, each row's height, the scroll bars,
// and again after each layout of the items); the size changes only with the
// item or the look, and the tree forgets the sizes when either changes.
// The labels never wrap, so the size does not depend on the row's width.
class TreeItemDelegate : public QStyledItemDelegate {
public:
    explicit TreeItemDelegate(TreeWidget* tree);
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void Forget() { sizes_.clear(); }

private:
    const TreeWidget* tree_;
    mutable QHash<const QTreeWidgetItem*, QSize> sizes_;
};

class TreeWidget : public QTreeWidget {
public:
    explicit TreeWidget(TTreeView* control);
    void Detach() { control_ = nullptr; }
    bool Editing() const { return state() == EditingState; }
    // Opens the editor for an edit the control has already allowed.
    void EditApproved(QTreeWidgetItem* item);
    // Other items show (expanded or collapsed): the column is measured again.
    void ForgetWidthHint() { widthHint_ = {}; }
    // The items or the look changed: every label is measured again.
    void ForgetMeasures();

    QTreeWidgetItem* ItemOf(const QModelIndex& index) const { return itemFromIndex(index); }

    int sizeHintForColumn(int column) const override;

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    // Every change of the items passes here before the view measures anew.
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void reset() override;
    void changeEvent(QEvent* event) override;

private:
    struct WidthHint {
        int column = -1;
        int width = 0;
    };

    TTreeView* control_;
    TreeItemDelegate* delegate_;
    bool approved_ = false;
    mutable WidthHint widthHint_;
};
