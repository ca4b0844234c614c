#pragma once

// The popup menu: a list of items with captions, hints and check marks, shown
// at a screen point; choosing an item runs its OnClick.

#include <memory>
#include <vector>

#include <QString>

#include "platform/framework/Component.h"
#include "platform/base/Types.h"

class QMenu;

class TMenuItem {
public:
    QString Caption;
    QString Hint;
    bool Checked = false;
    // A disabled item is shown greyed and cannot be chosen.
    bool Enabled = true;
    int Tag = 0;
    TNotifyEvent OnClick;
    void Click() { OnClick(nullptr); }
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    const char* ClassName() const override { return "TPopupMenu"; }

    TMenuItem* Add(const QString& caption);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    // EListError for an index out of range.
    TMenuItem* Items(int index) const;

    // Shows the menu at a screen point without waiting for the choice.
    void Popup(int x, int y);
    bool IsShown() const;
    void CloseMenu();

private:
    std::vector<std::unique_ptr<TMenuItem>> items_;
    std::unique_ptr<QMenu> menu_;
};
