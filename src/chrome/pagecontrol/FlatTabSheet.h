#pragma once

// One page of the flat page control: a container that fills the control's page
// area, shows while it is the active page, and carries the look of its tab.

#include <cstdint>

#include "platform/framework/WinControl.h"

class TFlatPageControl;

// How a tab's colour runs; the order is the stored value.
enum TTabGradientDirection : uint8_t { gdVertical, gdHorizontal };

using TCanCloseEvent = TEvent<TObject*, bool&>;

class TFlatTabSheet : public TCustomControl {
public:
    explicit TFlatTabSheet(TComponent* owner);
    ~TFlatTabSheet() override;
    static constexpr const char* StaticClassName() { return "TFlatTabSheet"; }
    const char* ClassName() const override { return StaticClassName(); }

    TFlatPageControl* PageControl() const { return pageControl_; }
    // Joins control (leaving the old one); nullptr leaves without joining.
    void SetPageControl(TFlatPageControl* control);
    // A flat page control as parent makes the sheet one of its pages.
    void SetParent(TWinControl* parent) override;

    // Position among all pages; -1 without a control.
    int PageIndex() const;
    void SetPageIndex(int index);
    // Position among the shown tabs; -1 when the sheet has no tab.
    int TabIndex() const;

    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v);
    bool TabShown() const { return tabShown_; }
    bool TabEnable() const { return tabEnable_; }
    void SetTabEnable(bool v);
    bool Highlighted() const { return highlighted_; }
    void SetHighlighted(bool v);

    // The text the tab is measured by (see ApplyCaption).
    const QString& LayoutText() const { return layoutText_; }
    bool ShowClose() const { return showClose_; }
    void SetShowClose(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // The image reported for the tab: ImageIndex, or 0 when that is negative.
    int TabImage() const { return tabImage_; }

    TColor TextColor() const { return textColor_; }
    void SetTextColor(TColor v);
    TColor TabColor() const { return tabColor_; }
    void SetTabColor(TColor v);
    TColor TabColorTo() const { return tabColorTo_; }
    void SetTabColorTo(TColor v);
    TColor ColorTo() const { return colorTo_; }
    void SetColorTo(TColor v);
    TTabGradientDirection TabGradientDirection() const { return tabGradientDirection_; }
    void SetTabGradientDirection(TTabGradientDirection v);
    TTabGradientDirection HoverGradientDirection() const { return hoverGradientDirection_; }
    void SetHoverGradientDirection(TTabGradientDirection v);

    // Showing a page (Show, Visible := true) makes it the active page of its control.
    void SetVisible(bool visible) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnClose;
    TCanCloseEvent OnCanClose;

protected:
    void Paint(TCanvas& canvas) override;
    void TextChanged() override;
    void VisibleChanged() override;
    void ColorChanged() override;

private:
    friend class TFlatPageControl;
    // Recomputes the layout text from the caption and refreshes the tab.
    void ApplyCaption();
    void RepaintControl();

    QString layoutText_;
    TColor textColor_ = clBlack;
    TColor tabColor_ = clNone;
    TColor tabColorTo_ = clNone;
    TColor colorTo_ = clNone;
    bool showClose_ = false;
    TTabGradientDirection tabGradientDirection_ = gdVertical;
    TTabGradientDirection hoverGradientDirection_ = gdVertical;
    int imageIndex_ = 0;
    int tabImage_ = 0;
    TFlatPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    bool tabShown_ = false;
    bool highlighted_ = false;
    bool tabEnable_ = true;
    bool activating_ = false;
};
