#pragma once

// Qt's accessibility object for the window of one of our controls: what the
// control's TAccessibleSource says, with its items as children (made on
// demand, see ItemInterface) ahead of its child windows, and a table
// interface for tables.

#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include <QAccessibleWidget>

#include "platform/framework/accessibility/AccessibleSource.h"

class ControlWidget;

class AccessibleControl : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    AccessibleControl(ControlWidget* widget, std::unique_ptr<TAccessibleSource> source);
    ~AccessibleControl() override;

    // Item interfaces live in Qt's cache while in use: at most ItemCacheLimit
    // of them, the oldest given back first, all of them with the control.
    static constexpr size_t ItemCacheLimit = 512;
    QAccessibleInterface* ItemInterface(TAccItem item) const;
    size_t CachedItemCount() const { return items_.size(); }
    // The source while the control lives, else nullptr.
    TAccessibleSource* Source() const;
    bool ControlHasFocus() const;

    // QAccessibleInterface
    bool isValid() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { DropItems(); }

private:
    bool IsTable() const;
    void DropItems();
    std::vector<QAccessibleInterface*> WindowChildList() const;

    ControlWidget* controlWidget_;
    // Found on first use: a window may be asked about while its control is
    // still being built, and a plain answer then is looked up again later.
    mutable std::unique_ptr<TAccessibleSource> source_;
    mutable bool plainSource_ = true;
    mutable std::unordered_map<TAccItem, QAccessible::Id> items_;
    mutable std::deque<TAccItem> itemOrder_; // oldest first
};

// The answer for controls that no provider describes.
std::unique_ptr<TAccessibleSource> MakePlainAccessibleSource(TControl& control);

// The mappings from the plain types to Qt's.
QAccessible::Role QtAccessibleRole(TAccRole role);
void AddAccessibleStates(QAccessible::State& state, TAccStates states);
QString AccessibleActionName(TAccAction action);
// The source's actions of an item by Qt's names; the shortcut goes with the press.
QStringList AccessibleActionNames(const TAccessibleSource& source, TAccItem item);
bool DoAccessibleAction(TAccessibleSource& source, TAccItem item, const QString& name);
