#include "platform/controls/DropDownTreeView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>

#include "platform/framework/ControlWidget.h"

class TDropDownTreeView::Watch : public QObject {
public:
    explicit Watch(TDropDownTreeView* tree) : tree_(tree) {}
    void Detach() { tree_ = nullptr; }
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (!tree_ || e->type() != QEvent::MouseButtonRelease)
            return false;
        auto* m = static_cast<QMouseEvent*>(e);
        auto* w = static_cast<QWidget*>(watched);
        const QPoint p = w->mapTo(tree_->Widget(), m->position().toPoint());
        const TMouseButton b = m->button() == Qt::RightButton ? mbRight : mbLeft;
        TDropDownTreeView* tree = tree_;
        GuardedCall([&] { tree->ReleaseAt(b, p.x(), p.y()); });
        return false;
    }

private:
    TDropDownTreeView* tree_;
};

TDropDownTreeView::TDropDownTreeView(TComponent* owner) : TTreeView(owner), watch_(std::make_unique<Watch>(this))
{
    SetReadOnly(true);
    SetHideSelection(false);
}

TDropDownTreeView::~TDropDownTreeView()
{
    watch_->Detach();
}

QWidget* TDropDownTreeView::CreateWidget()
{
    QWidget* w = TTreeView::CreateWidget();
    auto* tree = static_cast<QTreeWidget*>(w);
    tree->viewport()->installEventFilter(watch_.get());
    tree->setContextMenuPolicy(Qt::NoContextMenu);
    tree->setMouseTracking(true);
    tree->viewport()->setAttribute(Qt::WA_Hover, true);
    return w;
}

void TDropDownTreeView::SendKey(Word key, TShiftState shift)
{
    int qtKey = Qt::Key_unknown;
    switch (key) {
    case VK_UP: qtKey = Qt::Key_Up; break;
    case VK_DOWN: qtKey = Qt::Key_Down; break;
    case VK_LEFT: qtKey = Qt::Key_Left; break;
    case VK_RIGHT: qtKey = Qt::Key_Right; break;
    case VK_PRIOR: qtKey = Qt::Key_PageUp; break;
    case VK_NEXT: qtKey = Qt::Key_PageDown; break;
    case VK_HOME: qtKey = Qt::Key_Home; break;
    case VK_END: qtKey = Qt::Key_End; break;
    default: return;
    }
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(Widget(), &press);
}

void TDropDownTreeView::SendMouse(int kind, int x, int y)
{
    auto* tree = static_cast<QTreeWidget*>(Widget());
    QWidget* vp = tree->viewport();
    const QPoint local = vp->mapFrom(tree, QPoint(x, y));
    const QEvent::Type type = kind == 0 ? QEvent::MouseButtonPress
                              : kind == 1 ? QEvent::MouseMove
                                          : QEvent::MouseButtonRelease;
    QMouseEvent e(type, QPointF(local), QPointF(vp->mapToGlobal(local)), kind == 1 ? Qt::NoButton : Qt::LeftButton,
                  kind == 2 ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
}

bool TDropDownTreeView::PointOnNodeText(TTreeNode* node, int x, int y) const
{
    if (!node || GetNodeAt(x, y) != node)
        return false;
    auto* tree = static_cast<QTreeWidget*>(const_cast<TDropDownTreeView*>(this)->Widget());
    const QPoint local = tree->viewport()->mapFrom(tree, QPoint(x, y));
    QTreeWidgetItem* item = tree->itemAt(local);
    if (!item)
        return false;
    const QRect r = tree->visualItemRect(item);
    const int textWidth = tree->fontMetrics().horizontalAdvance(item->text(0)) + 8;
    const int iconWidth = item->icon(0).isNull() ? 0 : tree->iconSize().width() + 4;
    return local.x() >= r.left() && local.x() < r.left() + iconWidth + textWidth;
}
