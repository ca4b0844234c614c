#pragma once

// Qt's accessibility object for an item a control paints without a window of
// its own (a cell, a node, a tab). It asks its control's object for the source
// on every call, so it turns invalid as soon as the item or the control goes.

#include <QAccessible>

#include "platform/framework/accessibility/AccessibleSource.h"

class AccessibleControl;

class AccessibleItem : public QAccessibleInterface,
                       public QAccessibleTableCellInterface,
                       public QAccessibleActionInterface {
public:
    AccessibleItem(const AccessibleControl* owner, TAccItem item) : owner_(owner), item_(item) {}

    TAccItem Item() const { return item_; }
    const AccessibleControl* Owner() const { return owner_; }

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override;
    int rowExtent() const override;
    QAccessibleInterface* table() const override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TAccessibleSource* LiveSource() const;
    // The accessibility object of the editor that edits the item now.
    QAccessibleInterface* EditorInterface() const;
    // The window of a control the item holds, its last child.
    QAccessibleInterface* WindowInterface() const;

    const AccessibleControl* owner_;
    TAccItem item_;
};
