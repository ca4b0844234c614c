#include "platform/framework/accessibility/AccessibleControl.h"

#include <algorithm>

#include <QAccessibleActionInterface>
#include <QWidget>

#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/framework/accessibility/AccessibleItem.h"
#include "platform/framework/Control.h"
#include "platform/framework/WinControl.h"
#include "platform/framework/ControlWidget.h"

QAccessible::Role QtAccessibleRole(TAccRole role)
{
    switch (role) {
    case arClient: return QAccessible::Client;
    case arFrame: return QAccessible::Window;
    case arDialog: return QAccessible::Dialog;
    case arTable: return QAccessible::Table;
    case arCell: return QAccessible::Cell;
    case arColumnHeader: return QAccessible::ColumnHeader;
    case arRowHeader: return QAccessible::RowHeader;
    case arCheckBox: return QAccessible::CheckBox;
    case arRadioButton: return QAccessible::RadioButton;
    case arTree: return QAccessible::Tree;
    case arTreeItem: return QAccessible::TreeItem;
    case arPageTabList: return QAccessible::PageTabList;
    case arPageTab: return QAccessible::PageTab;
    case arPropertyPage: return QAccessible::PropertyPage;
    case arToolBar: return QAccessible::ToolBar;
    case arPushButton: return QAccessible::Button;
    case arSeparator: return QAccessible::Separator;
    case arGrouping: return QAccessible::Grouping;
    case arLink: return QAccessible::Link;
    case arStaticText: return QAccessible::StaticText;
    case arPane: return QAccessible::Pane;
    }
    return QAccessible::Client;
}

void AddAccessibleStates(QAccessible::State& s, TAccStates states)
{
    s.focusable |= (states & asFocusable) != 0;
    s.focused |= (states & asFocused) != 0;
    s.selectable |= (states & asSelectable) != 0;
    s.selected |= (states & asSelected) != 0;
    s.checkable |= (states & asCheckable) != 0;
    s.checked |= (states & asChecked) != 0;
    s.checkStateMixed |= (states & asMixed) != 0;
    s.expandable |= (states & asExpandable) != 0;
    s.expanded |= (states & asExpanded) != 0;
    s.collapsed |= (states & asCollapsed) != 0;
    s.pressed |= (states & asPressed) != 0;
    s.disabled |= (states & asDisabled) != 0;
    s.invisible |= (states & asInvisible) != 0;
    s.editable |= (states & asEditable) != 0;
    s.readOnly |= (states & asReadOnly) != 0;
    s.multiSelectable |= (states & asMultiSelectable) != 0;
}

QString AccessibleActionName(TAccAction action)
{
    switch (action) {
    case aaPress: return QAccessibleActionInterface::pressAction();
    case aaToggle: return QAccessibleActionInterface::toggleAction();
    case aaExpand: return QStringLiteral("Expand");
    case aaCollapse: return QStringLiteral("Collapse");
    case aaRename: return QStringLiteral("Rename");
    }
    return {};
}

QStringList AccessibleActionNames(const TAccessibleSource& source, TAccItem item)
{
    QStringList names;
    for (TAccAction a : source.Actions(item))
        names << AccessibleActionName(a);
    return names;
}

bool DoAccessibleAction(TAccessibleSource& source, TAccItem item, const QString& name)
{
    for (TAccAction a : source.Actions(item))
        if (AccessibleActionName(a) == name)
            return source.DoAction(item, a);
    return false;
}

AccessibleControl::AccessibleControl(ControlWidget* widget, std::unique_ptr<TAccessibleSource> source)
    : QAccessibleWidget(widget), controlWidget_(widget), source_(std::move(source))
{
    plainSource_ = source_ == nullptr;
}

AccessibleControl::~AccessibleControl() { DropItems(); }

void AccessibleControl::DropItems()
{
    // Qt's cache owns the item objects; taking them out of it deletes them.
    auto items = std::move(items_);
    items_.clear();
    itemOrder_.clear();
    for (const auto& [item, id] : items)
        QAccessible::deleteAccessibleInterface(id);
}

TAccessibleSource* AccessibleControl::Source() const
{
    // A control being torn down no longer answers: its derived parts are gone.
    TControl* control = controlWidget_->Control();
    if (!control || control->IsDestroying())
        return nullptr;
    if (plainSource_) {
        if (auto s = MakeAccessibleSource(*control)) {
            source_ = std::move(s);
            plainSource_ = false;
        } else if (!source_) {
            source_ = MakePlainAccessibleSource(*control);
        }
    }
    return source_.get();
}

bool AccessibleControl::ControlHasFocus() const
{
    TAccessibleSource* s = Source();
    auto* control = s ? dynamic_cast<TWinControl*>(&s->Control()) : nullptr;
    return control && control->Focused();
}

QAccessibleInterface* AccessibleControl::ItemInterface(TAccItem item) const
{
    if (item == 0)
        return const_cast<AccessibleControl*>(this);
    TAccessibleSource* source = Source();
    if (!source || !source->IsValid(item))
        return nullptr;
    if (auto it = items_.find(item); it != items_.end())
        return QAccessible::accessibleInterface(it->second);
    auto* iface = new AccessibleItem(this, item);
    items_[item] = QAccessible::registerAccessibleInterface(iface);
    itemOrder_.push_back(item);
    // Give back the oldest, except the item that has the focus: assistive
    // technology comes back to it.
    const TAccItem focused = source->FocusedItem();
    while (itemOrder_.size() > ItemCacheLimit) {
        auto victim = std::find_if(itemOrder_.begin(), itemOrder_.end(),
                                   [&](TAccItem k) { return k != focused && k != item; });
        if (victim == itemOrder_.end())
            break;
        auto it = items_.find(*victim);
        const QAccessible::Id id = it->second;
        items_.erase(it);
        itemOrder_.erase(victim);
        QAccessible::deleteAccessibleInterface(id);
    }
    return iface;
}

bool AccessibleControl::IsTable() const
{
    TAccessibleSource* s = Source();
    return s && s->Role(0) == arTable;
}

bool AccessibleControl::isValid() const { return QAccessibleWidget::isValid() && Source() != nullptr; }

QAccessibleInterface* AccessibleControl::childAt(int x, int y) const
{
    TAccessibleSource* s = Source();
    if (!s)
        return nullptr;
    if (s->ChildCount(0) > 0) {
        const TPoint p = s->Control().ScreenToClient({x, y});
        TAccItem item = s->ItemAt(p.X, p.Y);
        // The topmost ancestor is our direct child.
        while (item != 0 && s->ParentOf(item) != 0)
            item = s->ParentOf(item);
        if (item != 0)
            return ItemInterface(item);
    }
    return s->WindowChildren() ? QAccessibleWidget::childAt(x, y) : nullptr;
}

int AccessibleControl::childCount() const
{
    TAccessibleSource* s = Source();
    if (!s)
        return 0;
    const int items = s->ChildCount(0);
    return s->WindowChildren() ? items + static_cast<int>(WindowChildList().size()) : items;
}

std::vector<QAccessibleInterface*> AccessibleControl::WindowChildList() const
{
    // Child windows that an item holds are that item's children instead.
    std::vector<QAccessibleInterface*> list;
    TAccessibleSource* s = Source();
    const int count = QAccessibleWidget::childCount();
    for (int i = 0; i < count; ++i) {
        QAccessibleInterface* c = QAccessibleWidget::child(i);
        if (!c)
            continue;
        auto* w = dynamic_cast<ControlWidget*>(c->object());
        if (s && w && w->Control() && s->ItemHolding(*w->Control()) != 0)
            continue;
        list.push_back(c);
    }
    return list;
}

QAccessibleInterface* AccessibleControl::child(int index) const
{
    TAccessibleSource* s = Source();
    if (!s || index < 0)
        return nullptr;
    const int items = s->ChildCount(0);
    if (index < items)
        return ItemInterface(s->Child(0, index));
    if (!s->WindowChildren())
        return nullptr;
    const std::vector<QAccessibleInterface*> windows = WindowChildList();
    return index - items < static_cast<int>(windows.size()) ? windows[index - items] : nullptr;
}

int AccessibleControl::indexOfChild(const QAccessibleInterface* child) const
{
    TAccessibleSource* s = Source();
    if (!s || !child)
        return -1;
    if (auto* item = dynamic_cast<const AccessibleItem*>(child))
        return item->Owner() == this && s->ParentOf(item->Item()) == 0 ? s->IndexOf(item->Item()) : -1;
    if (!s->WindowChildren())
        return -1;
    const std::vector<QAccessibleInterface*> windows = WindowChildList();
    const auto it = std::find(windows.begin(), windows.end(), child);
    return it == windows.end() ? -1 : static_cast<int>(it - windows.begin()) + s->ChildCount(0);
}

QAccessibleInterface* AccessibleControl::focusChild() const
{
    TAccessibleSource* s = Source();
    if (s && ControlHasFocus())
        if (TAccItem item = s->FocusedItem())
            return ItemInterface(item);
    return QAccessibleWidget::focusChild();
}

QAccessibleInterface* AccessibleControl::parent() const
{
    QAccessibleInterface* p = QAccessibleWidget::parent();
    auto* holder = dynamic_cast<AccessibleControl*>(p);
    TAccessibleSource* s = Source();
    TAccessibleSource* hs = holder ? holder->Source() : nullptr;
    if (s && hs)
        if (TAccItem item = hs->ItemHolding(s->Control()))
            if (QAccessibleInterface* itemIface = holder->ItemInterface(item))
                return itemIface;
    return p;
}

QString AccessibleControl::text(QAccessible::Text t) const
{
    TAccessibleSource* s = Source();
    if (!s)
        return {};
    switch (t) {
    case QAccessible::Name:
        return s->Name(0);
    case QAccessible::Description:
        return s->Description(0);
    case QAccessible::Accelerator:
        return s->Shortcut(0);
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::Role AccessibleControl::role() const
{
    TAccessibleSource* s = Source();
    return s ? QtAccessibleRole(s->Role(0)) : QAccessible::NoRole;
}

QAccessible::State AccessibleControl::state() const
{
    QAccessible::State st = QAccessibleWidget::state();
    if (TAccessibleSource* s = Source())
        AddAccessibleStates(st, s->States(0));
    return st;
}

void* AccessibleControl::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return IsTable() ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
    return QAccessibleWidget::interface_cast(type);
}

QStringList AccessibleControl::actionNames() const
{
    TAccessibleSource* s = Source();
    QStringList names = QAccessibleWidget::actionNames();
    if (s)
        for (const QString& n : AccessibleActionNames(*s, 0))
            if (!names.contains(n))
                names << n;
    return names;
}

void AccessibleControl::doAction(const QString& actionName)
{
    TAccessibleSource* s = Source();
    if (s && DoAccessibleAction(*s, 0, actionName))
        return;
    QAccessibleWidget::doAction(actionName);
}

QStringList AccessibleControl::keyBindingsForAction(const QString& actionName) const
{
    TAccessibleSource* s = Source();
    if (s && actionName == QAccessibleActionInterface::pressAction() && !s->Shortcut(0).isEmpty())
        return {s->Shortcut(0)};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

QAccessibleInterface* AccessibleControl::cellAt(int row, int column) const
{
    TAccessibleSource* s = Source();
    if (!s || row < 0 || column < 0 || row >= s->RowCount() || column >= s->ColumnCount())
        return nullptr;
    return ItemInterface(s->CellAt(row, column));
}

int AccessibleControl::selectedCellCount() const { return static_cast<int>(selectedCells().size()); }

QList<QAccessibleInterface*> AccessibleControl::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    if (TAccessibleSource* s = Source())
        for (TAccItem item : s->SelectedCells(static_cast<int>(ItemCacheLimit / 2)))
            if (QAccessibleInterface* c = ItemInterface(item))
                cells << c;
    return cells;
}

QString AccessibleControl::columnDescription(int column) const
{
    TAccessibleSource* s = Source();
    if (!s || s->HeaderRowCount() <= 0 || column < 0 || column >= s->ColumnCount())
        return {};
    return s->Name(s->CellAt(s->HeaderRowCount() - 1, column));
}

QString AccessibleControl::rowDescription(int row) const
{
    TAccessibleSource* s = Source();
    if (!s || s->HeaderColumnCount() <= 0 || row < 0 || row >= s->RowCount())
        return {};
    return s->Name(s->CellAt(row, s->HeaderColumnCount() - 1));
}

int AccessibleControl::columnCount() const
{
    TAccessibleSource* s = Source();
    return s ? s->ColumnCount() : 0;
}

int AccessibleControl::rowCount() const
{
    TAccessibleSource* s = Source();
    return s ? s->RowCount() : 0;
}
