#include "platform/controls/PopupMenu.h"

#include <QMenu>

#include "platform/framework/ControlWidget.h"

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

TPopupMenu::~TPopupMenu() = default;

TMenuItem* TPopupMenu::Add(const QString& caption)
{
    items_.push_back(std::make_unique<TMenuItem>());
    items_.back()->Caption = caption;
    return items_.back().get();
}

void TPopupMenu::Clear()
{
    if (menu_)
        menu_->hide();
    items_.clear();
}

TMenuItem* TPopupMenu::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[index].get();
}

void TPopupMenu::Popup(int x, int y)
{
    if (!menu_)
        menu_ = std::make_unique<QMenu>();
    menu_->clear();
    for (const auto& item : items_) {
        QAction* action = menu_->addAction(item->Caption);
        action->setCheckable(true);
        action->setChecked(item->Checked);
        action->setEnabled(item->Enabled);
        action->setStatusTip(item->Hint);
        action->setToolTip(item->Hint);
        TMenuItem* target = item.get();
        QObject::connect(action, &QAction::triggered, [target] { GuardedCall([&] { target->Click(); }); });
    }
    menu_->popup(QPoint(x, y));
}

bool TPopupMenu::IsShown() const
{
    return menu_ && menu_->isVisible();
}

void TPopupMenu::CloseMenu()
{
    if (menu_)
        menu_->hide();
}
