#pragma once

// The flat page control's fields, behind TFlatPageControl's one pointer. Only
// the control's own source files see them; its collaborators get the parts
// they work on.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabStrip.h"
#include "chrome/pagecontrol/TabHotTracking.h"
#include "platform/canvas/Bitmap.h"
#include "platform/framework/actions/ImageListLink.h"

struct TFlatPageControlState {
    // imagesChanged runs when the image list changes its pictures or goes away.
    TFlatPageControlState(TFlatPageControl& control, std::function<void()> imagesChanged);

    std::vector<TFlatTabSheet*> pages;
    TFlatTabSheet* activePage = nullptr;
    TFlatTabStrip strip;
    TTabHotTracking hot;
    QString pendingActivePage;
    QString pendingImages;
    std::function<void(const QString&)> pendingFail;
    std::unique_ptr<TTabMargin> tabMargin;
    // Pages closed by their close button while FreeOnClose is off, by component name.
    std::vector<std::pair<QString, TFlatTabSheet*>> closedPages;
    TImageListLink images;
    TCanvas* paintCanvas = nullptr;

    TColor defaultTextColor = clBlack;
    TColor defaultTabColor = clBtnFace;
    TColor defaultTabColorTo = clNone;
    TColor activeColor = clBtnFace;
    TColor activeColorTo = clNone;
    TColor tabBorderColor = TFlatPageControl::DefaultBorderColor;
    TColor tabHoverColor = clNone;
    TColor tabHoverColorTo = clNone;
    TColor tabHoverBorder = clNone;
    TColor tabSheetBorderColor = TFlatPageControl::DefaultBorderColor;
    TColor tabBackGroundColor = clBtnFace;
    TColor tabBackGroundColorTo = clBtnFace;
    bool tabBorder3D = false;
    bool showFocus = false;
    bool tabSheet3D = false;
    bool tabSplitLine = false;
    bool roundEdges = false;
    bool freeOnClose = false;
    bool loaded = false;
    bool multiLine = false;
    bool raggedRight = false;
    bool scrollOpposite = false;
    bool hotTrack = false;
    bool dockSite = false;
    bool focused = false;
    int tabOverlap = 0;
    int lowerActive = 2;
    int tabHeight = 0;
    int tabWidth = 0;
    TTabStyle tabStyle = tsClassic;
    TTabPosition tabPosition = TTabPosition::tpTop;
    std::unique_ptr<TFont> activeFont;
    std::unique_ptr<TBitmap> tabBackGround;
    std::unique_ptr<TBitmap> tabBackGroundActive;
    std::unique_ptr<TBitmap> closeGlyph;
};
