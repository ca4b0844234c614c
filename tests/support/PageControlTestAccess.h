#pragma once

// The flat page control's tab strip and mouse tracking read directly (the
// control lets this class in as a friend).

#include <utility>
#include <vector>

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatPageControlState.h"

class PageControlTestAccess {
public:
    static int TabCount(const TFlatPageControl& pc) { return pc.d_->strip.Count(); }
    static int TabSelected(const TFlatPageControl& pc) { return pc.d_->strip.Selected(); }
    static QString TabText(const TFlatPageControl& pc, int tab) { return pc.d_->strip.Text(tab); }
    static const TFlatTabLayout& Layout(const TFlatPageControl& pc) { return pc.d_->strip.Layout(); }
    static int HoveredTab(const TFlatPageControl& pc) { return pc.d_->hot.Hovered(); }
    static TCloseButtonState CloseButtonState(const TFlatPageControl& pc) { return pc.d_->hot.CloseState(); }
    static TRect CloseButtonRect(const TFlatPageControl& pc) { return pc.d_->hot.CloseButtonRect(); }
    static const std::vector<std::pair<QString, TFlatTabSheet*>>& ClosedPages(const TFlatPageControl& pc)
    {
        return pc.d_->closedPages;
    }
    static bool IsLoaded(const TFlatPageControl& pc) { return pc.d_->loaded; }
};
