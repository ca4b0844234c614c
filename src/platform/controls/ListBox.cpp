#include "platform/controls/ListBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

#include "platform/canvas/Canvas.h"
#include "platform/framework/ControlWidget.h"
#include "platform/canvas/DevicePicture.h"
#include "platform/framework/window/WindowLayer.h"

namespace {

// Every item is painted by the control on a canvas.
class ListBoxDelegate : public QStyledItemDelegate {
public:
    explicit ListBoxDelegate(TCustomListBox* control) : control_(control) {}
    void Detach() { control_ = nullptr; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!control_)
            return;
        const QRect r = option.rect;
        if (r.width() <= 0 || r.height() <= 0)
            return;
        const int k = PaintScaleOf(painter->device());
        QImage image = NewDevicePicture(r.size(), k);
        TOwnerDrawState state = 0;
        if (option.state & QStyle::State_Selected)
            state |= odSelected;
        if (option.state & QStyle::State_HasFocus)
            state |= odFocused;
        GuardedPaintCall([&] {
            TCanvas canvas(image);
            canvas.SetScale(k);
            canvas.Font().Assign(&control_->Font());
            canvas.Brush().SetColor(control_->Color());
            control_->PaintItem(canvas, index.row(), {0, 0, r.width(), r.height()}, state);
        });
        DrawDevicePicture(*painter, r, image, image.rect(), k);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        int h = control_ ? control_->ItemHeight() : 16;
        if (control_ && control_->Style() == lbOwnerDrawVariable)
            GuardedPaintCall([&] { h = control_->MeasureItemHeight(index.row()); });
        return {option.rect.width(), h};
    }

private:
    TCustomListBox* control_;
};

} // namespace

class ListBoxWidget : public QListWidget {
public:
    explicit ListBoxWidget(TCustomListBox* control) : control_(control), delegate_(new ListBoxDelegate(control))
    {
        // The view does not own its delegate; the widget does, so it goes with it.
        delegate_->setParent(this);
        setItemDelegate(delegate_);
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(TCustomListBox::FrameWidth);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setMouseTracking(true);
        QObject::connect(this, &QListWidget::currentRowChanged, [this](int row) {
            if (control_)
                GuardedCall([&] { control_->WidgetRowChanged(row); });
        });
    }
    void Detach()
    {
        control_ = nullptr;
        delegate_->Detach();
    }

protected:
    bool event(QEvent* e) override
    {
        if (control_ && e->type() == QEvent::KeyPress) {
            bool consumed = false;
            GuardedCall([&] { consumed = control_->HandleKeyEvent(static_cast<QKeyEvent*>(e)); });
            if (!consumed)
                keyPressEvent(static_cast<QKeyEvent*>(e));
            e->accept();
            return true;
        }
        return QListWidget::event(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        // Dragging with the button down follows the pointer, as the platform's list does.
        if (e->buttons() & Qt::LeftButton) {
            const int row = indexAt(e->position().toPoint()).row();
            if (row >= 0)
                setCurrentRow(row);
            return;
        }
        QListWidget::mouseMoveEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QListWidget::mouseReleaseEvent(e);
        if (!control_)
            return;
        const QPoint p = e->position().toPoint() + viewport()->pos();
        const TMouseButton b = e->button() == Qt::RightButton ? mbRight : mbLeft;
        GuardedCall([&] { control_->ListMouseUp(b, WindowLayer::ShiftFromEvent(e), p.x(), p.y()); });
    }

private:
    TCustomListBox* control_;
    ListBoxDelegate* delegate_;
};

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

TCustomListBox::~TCustomListBox()
{
    if (ListBoxWidget* l = List())
        l->Detach();
}

ListBoxWidget* TCustomListBox::List() const
{
    return HasWidget() ? static_cast<ListBoxWidget*>(const_cast<TCustomListBox*>(this)->Widget()) : nullptr;
}

QWidget* TCustomListBox::CreateWidget()
{
    auto* list = new ListBoxWidget(this);
    list->setFocusPolicy(Qt::ClickFocus);
    return list;
}

void TCustomListBox::SyncWidget()
{
    TWinControl::SyncWidget();
    Refill();
}

void TCustomListBox::Refill()
{
    ListBoxWidget* l = List();
    if (!l)
        return;
    syncing_ = true;
    l->clear();
    l->addItems(items_);
    l->setUniformItemSizes(style_ != lbOwnerDrawVariable);
    if (itemIndex_ >= 0)
        l->setCurrentRow(itemIndex_);
    syncing_ = false;
    ColorChanged();
}

void TCustomListBox::FontChanged()
{
    TWinControl::FontChanged();
    if (ListBoxWidget* l = List())
        l->viewport()->update();
}

void TCustomListBox::ColorChanged()
{
    TWinControl::ColorChanged();
    if (ListBoxWidget* l = List()) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::Base, ToQColor(Color()));
        l->setPalette(pal);
        l->viewport()->update();
    }
}

void TCustomListBox::SetItems(const QStringList& items)
{
    items_ = items;
    itemIndex_ = -1;
    Refill();
}

void TCustomListBox::AddItem(const QString& item)
{
    items_ << item;
    if (ListBoxWidget* l = List()) {
        syncing_ = true;
        l->addItem(item);
        syncing_ = false;
    }
}

void TCustomListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= Count())
        index = -1;
    itemIndex_ = index;
    if (ListBoxWidget* l = List()) {
        syncing_ = true;
        l->setCurrentRow(index);
        if (index < 0)
            l->clearSelection();
        syncing_ = false;
    }
}

void TCustomListBox::WidgetRowChanged(int row)
{
    if (syncing_)
        return;
    itemIndex_ = row;
    OnChange(this);
}

int TCustomListBox::TopIndex() const
{
    ListBoxWidget* l = List();
    if (!l)
        return 0;
    const int row = l->indexAt(QPoint(1, 1)).row();
    return std::max(0, row);
}

void TCustomListBox::SetTopIndex(int index)
{
    if (ListBoxWidget* l = List(); l && index >= 0 && index < Count())
        l->scrollToItem(l->item(index), QAbstractItemView::PositionAtTop);
}

void TCustomListBox::SetStyle(TListBoxStyle v)
{
    style_ = v;
    Refill();
}

void TCustomListBox::SetItemHeight(int v)
{
    itemHeight_ = std::max(1, v);
    if (ListBoxWidget* l = List())
        l->doItemsLayout();
}

int TCustomListBox::MeasureItemHeight(int index)
{
    int h = itemHeight_;
    MeasureItem(index, h);
    return std::max(1, h);
}

int TCustomListBox::ItemAtPos(TPoint p) const
{
    ListBoxWidget* l = List();
    if (!l)
        return -1;
    const QPoint v = QPoint(p.X, p.Y) - l->viewport()->pos();
    return l->indexAt(v).row();
}

TRect TCustomListBox::ItemRect(int index) const
{
    ListBoxWidget* l = List();
    if (!l || index < 0 || index >= Count())
        return {};
    const QRect r = l->visualItemRect(l->item(index)).translated(l->viewport()->pos());
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

int TCustomListBox::MaxItemWidth() const
{
    TCanvas canvas;
    canvas.Font().Assign(&Font());
    int w = 0;
    for (const QString& s : items_)
        w = std::max(w, canvas.TextWidth(s));
    return w;
}

void TCustomListBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)
{
    const bool selected = state & odSelected;
    canvas.Brush().SetColor(selected ? clHighlight : Color());
    canvas.FillRect(rect);
    canvas.Font().SetColor(selected ? clHighlightText : Font().Color());
    if (index >= 0 && index < Count()) {
        canvas.Brush().SetStyle(bsClear);
        TRect r = rect;
        r.Left += 2;
        canvas.DrawText(items_[index], r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

bool TCustomListBox::HandleKeyEvent(QKeyEvent* event)
{
    const TShiftState shift = WindowLayer::ShiftFromEvent(event);
    Word key = WindowLayer::VirtualKey(event);
    if (key != 0) {
        KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    const QString text = event->text();
    if (!text.isEmpty()) {
        QChar ch = text[0];
        KeyPress(ch);
        if (ch.isNull())
            return true;
        if (ch.isPrint())
            return true; // no search of the window's own
    }
    return false;
}

void TCustomListBox::SendKey(Word key, TShiftState shift, QChar ch)
{
    int qtKey = Qt::Key_unknown;
    switch (key) {
    case VK_UP: qtKey = Qt::Key_Up; break;
    case VK_DOWN: qtKey = Qt::Key_Down; break;
    case VK_PRIOR: qtKey = Qt::Key_PageUp; break;
    case VK_NEXT: qtKey = Qt::Key_PageDown; break;
    case VK_HOME: qtKey = Qt::Key_Home; break;
    case VK_END: qtKey = Qt::Key_End; break;
    case VK_RETURN: qtKey = Qt::Key_Return; break;
    case VK_ESCAPE: qtKey = Qt::Key_Escape; break;
    case VK_BACK: qtKey = Qt::Key_Backspace; break;
    default: break;
    }
    QString text;
    if (!ch.isNull())
        text = QString(ch);
    else if (key == VK_BACK)
        text = QStringLiteral("\b");
    else if (key == VK_ESCAPE)
        text = QStringLiteral("\x1b");
    else if (key == VK_RETURN)
        text = QStringLiteral("\r");
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(Widget(), &press);
}

void TCustomListBox::SendMouse(int kind, int x, int y)
{
    ListBoxWidget* l = static_cast<ListBoxWidget*>(Widget());
    const QPoint local = QPoint(x, y) - l->viewport()->pos();
    const QPoint global = l->viewport()->mapToGlobal(local);
    const QEvent::Type type = kind == 0   ? QEvent::MouseButtonPress
                              : kind == 1 ? QEvent::MouseMove
                                          : QEvent::MouseButtonRelease;
    const Qt::MouseButton button = kind == 1 ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = kind == 2 ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(local), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(l->viewport(), &e);
}
