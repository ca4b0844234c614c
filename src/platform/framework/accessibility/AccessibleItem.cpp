#include "platform/framework/accessibility/AccessibleItem.h"

#include <QWidget>

#include "platform/framework/accessibility/AccessibleControl.h"
#include "platform/framework/Control.h"

TAccessibleSource* AccessibleItem::LiveSource() const
{
    TAccessibleSource* s = owner_->Source();
    return s && s->IsValid(item_) ? s : nullptr;
}

bool AccessibleItem::isValid() const { return LiveSource() != nullptr; }

QWindow* AccessibleItem::window() const { return owner_->window(); }

QAccessibleInterface* AccessibleItem::childAt(int x, int y) const
{
    TAccessibleSource* s = LiveSource();
    if (!s || s->ChildCount(item_) == 0)
        return nullptr;
    const TPoint p = s->Control().ScreenToClient({x, y});
    TAccItem hit = s->ItemAt(p.X, p.Y);
    while (hit != 0 && s->ParentOf(hit) != item_)
        hit = s->ParentOf(hit);
    return hit != 0 ? owner_->ItemInterface(hit) : nullptr;
}

QAccessibleInterface* AccessibleItem::parent() const
{
    TAccessibleSource* s = LiveSource();
    return s ? owner_->ItemInterface(s->ParentOf(item_)) : nullptr;
}

QAccessibleInterface* AccessibleItem::WindowInterface() const
{
    TAccessibleSource* s = LiveSource();
    TControl* window = s ? s->ItemWindow(item_) : nullptr;
    return window ? QAccessible::queryAccessibleInterface(window->Widget()) : nullptr;
}

QAccessibleInterface* AccessibleItem::child(int index) const
{
    TAccessibleSource* s = LiveSource();
    if (s && index == s->ChildCount(item_))
        return WindowInterface();
    if (!s || index < 0 || index >= s->ChildCount(item_))
        return nullptr;
    const TAccItem c = s->Child(item_, index);
    return c != 0 ? owner_->ItemInterface(c) : nullptr;
}

int AccessibleItem::childCount() const
{
    TAccessibleSource* s = LiveSource();
    if (!s)
        return 0;
    return s->ChildCount(item_) + (s->ItemWindow(item_) ? 1 : 0);
}

int AccessibleItem::indexOfChild(const QAccessibleInterface* child) const
{
    TAccessibleSource* s = LiveSource();
    if (s && child && child == WindowInterface())
        return s->ChildCount(item_);
    auto* item = dynamic_cast<const AccessibleItem*>(child);
    if (!s || !item || item->owner_ != owner_ || !s->IsValid(item->item_) || s->ParentOf(item->item_) != item_)
        return -1;
    return s->IndexOf(item->item_);
}

QString AccessibleItem::text(QAccessible::Text t) const
{
    TAccessibleSource* s = LiveSource();
    if (!s)
        return {};
    switch (t) {
    case QAccessible::Name:
        return s->Name(item_);
    case QAccessible::Description:
        return s->Description(item_);
    case QAccessible::Accelerator:
        return s->Shortcut(item_);
    default:
        return {};
    }
}

QRect AccessibleItem::rect() const
{
    TAccessibleSource* s = LiveSource();
    if (!s || !s->Control().HasWidget())
        return {};
    const TRect r = s->Bounds(item_);
    const TPoint topLeft = s->Control().ClientToScreen(r.TopLeft());
    return {topLeft.X, topLeft.Y, r.Width(), r.Height()};
}

QAccessible::Role AccessibleItem::role() const
{
    TAccessibleSource* s = LiveSource();
    return s ? QtAccessibleRole(s->Role(item_)) : QAccessible::NoRole;
}

QAccessible::State AccessibleItem::state() const
{
    QAccessible::State st;
    TAccessibleSource* s = LiveSource();
    if (!s) {
        st.invalid = true;
        return st;
    }
    AddAccessibleStates(st, s->States(item_));
    const TControl& control = s->Control();
    if (!control.Showing())
        st.invisible = true;
    if (!control.Enabled())
        st.disabled = true;
    return st;
}

QAccessibleInterface* AccessibleItem::EditorInterface() const
{
    TAccessibleSource* s = LiveSource();
    TControl* editor = s ? s->Editor(item_) : nullptr;
    return editor && editor->HasWidget() ? QAccessible::queryAccessibleInterface(editor->Widget()) : nullptr;
}

void* AccessibleItem::interface_cast(QAccessible::InterfaceType type)
{
    switch (type) {
    case QAccessible::TableCellInterface: {
        TAccessibleSource* s = LiveSource();
        return s && s->Role(0) == arTable ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }
    case QAccessible::ActionInterface:
        return static_cast<QAccessibleActionInterface*>(this);
    case QAccessible::TextInterface:
    case QAccessible::EditableTextInterface:
        // While the item is edited, its text is the editor's.
        if (QAccessibleInterface* editor = EditorInterface())
            return editor->interface_cast(type);
        return nullptr;
    default:
        return nullptr;
    }
}

bool AccessibleItem::isSelected() const
{
    TAccessibleSource* s = LiveSource();
    return s && (s->States(item_) & asSelected);
}

QList<QAccessibleInterface*> AccessibleItem::columnHeaderCells() const
{
    QList<QAccessibleInterface*> cells;
    TAccessibleSource* s = LiveSource();
    if (!s)
        return cells;
    const TAccCellPlace place = s->PlaceOf(item_);
    for (int r = 0; r < s->HeaderRowCount() && r < place.Row; ++r)
        if (QAccessibleInterface* c = owner_->ItemInterface(s->CellAt(r, place.Col)); c && c != this)
            cells << c;
    return cells;
}

QList<QAccessibleInterface*> AccessibleItem::rowHeaderCells() const
{
    QList<QAccessibleInterface*> cells;
    TAccessibleSource* s = LiveSource();
    if (!s)
        return cells;
    const TAccCellPlace place = s->PlaceOf(item_);
    for (int c = 0; c < s->HeaderColumnCount() && c < place.Col; ++c)
        if (QAccessibleInterface* cell = owner_->ItemInterface(s->CellAt(place.Row, c)); cell && cell != this)
            cells << cell;
    return cells;
}

int AccessibleItem::columnIndex() const
{
    TAccessibleSource* s = LiveSource();
    return s ? s->PlaceOf(item_).Col : -1;
}

int AccessibleItem::rowIndex() const
{
    TAccessibleSource* s = LiveSource();
    return s ? s->PlaceOf(item_).Row : -1;
}

int AccessibleItem::columnExtent() const
{
    TAccessibleSource* s = LiveSource();
    return s ? s->PlaceOf(item_).ColSpan : 0;
}

int AccessibleItem::rowExtent() const
{
    TAccessibleSource* s = LiveSource();
    return s ? s->PlaceOf(item_).RowSpan : 0;
}

QAccessibleInterface* AccessibleItem::table() const { return const_cast<AccessibleControl*>(owner_); }

QStringList AccessibleItem::actionNames() const
{
    TAccessibleSource* s = LiveSource();
    return s ? AccessibleActionNames(*s, item_) : QStringList();
}

void AccessibleItem::doAction(const QString& actionName)
{
    if (TAccessibleSource* s = LiveSource())
        DoAccessibleAction(*s, item_, actionName);
}

QStringList AccessibleItem::keyBindingsForAction(const QString& actionName) const
{
    TAccessibleSource* s = LiveSource();
    if (s && actionName == QAccessibleActionInterface::pressAction() && !s->Shortcut(item_).isEmpty())
        return {s->Shortcut(item_)};
    return {};
}
