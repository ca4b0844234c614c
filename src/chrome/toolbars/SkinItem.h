#pragma once

// A toolbar button. Bound to an action it shows the action's caption,
// picture and state and runs the action when clicked; the current theme
// draws it normal, hot (under the mouse), pushed, checked or disabled.

#include "chrome/toolbars/SkinToolbarItem.h"
#include "platform/framework/actions/ActionLink.h"

class TAction;
struct TSkinItemState;

class TSkinItem : public TSkinToolbarItem, public TActionClient {
public:
    explicit TSkinItem(TComponent* owner);
    ~TSkinItem() override;
    static constexpr const char* StaticClassName() { return "TSkinItem"; }
    const char* ClassName() const override { return StaticClassName(); }

    TAction* Action() const { return link_.Action(); }
    void SetAction(TAction* action);
    // An action named in a stored definition; found in Loaded.
    void SetActionName(const QString& name) { pendingAction_ = name; }

    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int v) { helpContext_ = v; }
    int ShortCut() const { return shortCut_; }
    void SetShortCut(int v) { shortCut_ = v; }
    TSkinDisplayMode DisplayMode() const { return displayMode_; }
    void SetDisplayMode(TSkinDisplayMode v);
    TSkinItemLayout Layout() const { return layout_; }
    void SetLayout(TSkinItemLayout v);

    // Hot: the toolbar's highlighted item. Pushed: the left button is held on it.
    bool Hot() const;
    bool Pushed() const { return pushed_ && pointerInside_; }
    TSkinItemState ThemeState() const;
    // Picture and caption extents in the toolbar's item font.
    SkinToolbarLayout::ButtonContent Content() const;
    SkinToolbarLayout::Item LayoutItem() const override;

    // Runs the action (or OnClick without one) when the item is enabled.
    void Click() override;

    void ActionChanged(const TAction& action) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, bool removing) override;
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TextChanged() override;
    void EnabledChanged() override;

private:
    TActionLink link_;
    QString pendingAction_;
    bool checked_ = false;
    bool pushed_ = false;
    bool pointerInside_ = false;
    int imageIndex_ = -1;
    int helpContext_ = 0;
    int shortCut_ = 0;
    TSkinDisplayMode displayMode_ = nbdmDefault;
    TSkinItemLayout layout_ = sklAuto;
};
