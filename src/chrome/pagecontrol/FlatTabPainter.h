#pragma once

// Painting of the flat page control: tab strip, tabs, page frame and close
// buttons. It reads the control's properties and pages through its public
// interface, the tabs from the strip and the mouse's marks from the tracking.

#include "chrome/pagecontrol/TabHotTracking.h"

class TCanvas;
class TFlatPageControl;
class TFlatTabStrip;

class TFlatTabPainter {
public:
    // focused: the control has the focus (for ShowFocus). OnDrawTab is called
    // with the control as its sender.
    TFlatTabPainter(TFlatPageControl& control, const TFlatTabStrip& strip, const TTabHotTracking& hot, bool focused)
        : control_(control), strip_(strip), hot_(hot), focused_(focused)
    {
    }

    void Paint(TCanvas& canvas) const;

private:
    void PaintTab(TCanvas& canvas, int pageIndex, bool splitShown) const;
    void PaintCloseButton(TCanvas& canvas, int x, int y, TCloseButtonState state) const;
    void Paint3DTabs(TCanvas& canvas) const;
    // The page area beside the strip, whose extent is given in the control's coordinates.
    TRect PageAreaRect(const TRect& strip) const;

    TFlatPageControl& control_;
    const TFlatTabStrip& strip_;
    const TTabHotTracking& hot_;
    bool focused_;
};
