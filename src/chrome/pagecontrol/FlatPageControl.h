#pragma once

// TFlatPageControl: a set of pages (TFlatTabSheet) of which one shows at a
// time, with a strip of flat, gradient-coloured tabs along one edge. The tab
// strip is our own: TFlatTabLayout places the tabs from their texts and this
// control paints strip, tabs and page frame itself.
//
// Indices: a page index counts all pages; a tab index counts only the pages
// whose tab is shown.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "chrome/pagecontrol/FlatTabLayout.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "chrome/pagecontrol/TabMargin.h"
#include "platform/canvas/Bitmap.h"
#include "platform/framework/actions/ImageListLink.h"
#include "platform/framework/WinControl.h"

class TImageList;
class TCanvas;

enum TTabStyle : uint8_t { tsClassic, tsDotNet, tsStudio };

using TCanChangeEvent = TEvent<TObject*, int, int, bool&>;      // FromPage, ToPage, AllowChange
using TTabChangingEvent = TEvent<TObject*, bool&>;              // AllowChange
using TGetImageIndexEvent = TEvent<TObject*, int, int&>;        // TabIndex, ImageIndex
using TDrawTabEvent = TEvent<TObject*, int, const TRect&, bool>; // page index, tab rectangle, active

// Close button states as drawn.
enum class TCloseButtonState : uint8_t { Normal, Hot, Pressed };

class TFlatPageControl : public TCustomControl {
public:
    static constexpr int VersionNumber = 0x01050004;
    static constexpr TColor DefaultBorderColor = 0x808080;

    explicit TFlatPageControl(TComponent* owner);
    ~TFlatPageControl() override;
    static constexpr const char* StaticClassName() { return "TFlatPageControl"; }
    const char* ClassName() const override { return StaticClassName(); }

    // ---- Pages ------------------------------------------------------------
    int PageCount() const { return static_cast<int>(pages_.size()); }
    // Fails with EListError for an index out of range.
    TFlatTabSheet* Pages(int index) const;
    int IndexOfPage(const TFlatTabSheet* sheet) const;
    TFlatTabSheet* ActivePage() const { return activePage_; }
    // Only pages of this control are accepted; a page whose tab is disabled is ignored.
    void SetActivePage(TFlatTabSheet* page);
    int ActivePageIndex() const { return IndexOfPage(activePage_); }
    void SetActivePageIndex(int index);
    TFlatTabSheet* FindNextPage(TFlatTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward);
    // Selects a page with a shown tab as a click on its tab does (the change
    // queries and events included); false when it is refused or not possible.
    bool SelectPageAsUser(TFlatTabSheet* page);
    // Pages closed by their close button while FreeOnClose is off, by component name.
    const std::vector<std::pair<QString, TFlatTabSheet*>>& ClosedPages() const { return closedPages_; }

    // ---- Tabs ---------------------------------------------------------------
    int TabCount() const { return static_cast<int>(tabs_.size()); }
    // The selected tab, -1 when none.
    int TabSelected() const { return tabSelected_; }
    // The text the tab of a shown page carries (with the active font's padding).
    QString TabText(int tabIndex) const;
    // Rectangle of the page's tab; empty when the page has no tab.
    TRect TabRect(int pageIndex) const;
    // The page whose tab is under the point, or -1.
    int PageIndexAt(int x, int y) const;
    const TFlatTabLayout& Layout() const { return layout_; }
    // The page under the mouse, -1 when none.
    int HoveredTab() const { return hoveredTab_; }
    TCloseButtonState CloseButtonState() const { return closeState_; }
    // The active tab's close button.
    TRect CloseButtonRect() const;

    // ---- Properties ---------------------------------------------------------
    TTabMargin& TabMargin() { return *tabMargin_; }
    const TTabMargin& TabMargin() const { return *tabMargin_; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    // A stored name read before its image list: looked up when loading ends.
    void SetImagesName(const QString& name) { pendingImages_ = name; }
    TFont& ActiveFont() { return *activeFont_; }
    const TFont& ActiveFont() const { return *activeFont_; }

    TColor DefaultTextColor() const { return defaultTextColor_; }
    void SetDefaultTextColor(TColor v);
    TColor DefaultTabColor() const { return defaultTabColor_; }
    void SetDefaultTabColor(TColor v);
    TColor DefaultTabColorTo() const { return defaultTabColorTo_; }
    void SetDefaultTabColorTo(TColor v);
    TColor ActiveColor() const { return activeColor_; }
    void SetActiveColor(TColor v) { SetColorField(activeColor_, v); }
    TColor ActiveColorTo() const { return activeColorTo_; }
    void SetActiveColorTo(TColor v) { SetColorField(activeColorTo_, v); }
    TColor TabBorderColor() const { return tabBorderColor_; }
    void SetTabBorderColor(TColor v) { SetColorField(tabBorderColor_, v); }
    TColor TabHoverColor() const { return tabHoverColor_; }
    void SetTabHoverColor(TColor v) { SetColorField(tabHoverColor_, v); }
    TColor TabHoverColorTo() const { return tabHoverColorTo_; }
    void SetTabHoverColorTo(TColor v) { SetColorField(tabHoverColorTo_, v); }
    TColor TabHoverBorder() const { return tabHoverBorder_; }
    void SetTabHoverBorder(TColor v) { SetColorField(tabHoverBorder_, v); }
    TColor TabSheetBorderColor() const { return tabSheetBorderColor_; }
    void SetTabSheetBorderColor(TColor v) { SetColorField(tabSheetBorderColor_, v); }
    TColor TabBackGroundColor() const { return tabBackGroundColor_; }
    void SetTabBackGroundColor(TColor v) { SetColorField(tabBackGroundColor_, v); }
    TColor TabBackGroundColorTo() const { return tabBackGroundColorTo_; }
    void SetTabBackGroundColorTo(TColor v) { SetColorField(tabBackGroundColorTo_, v); }

    bool TabBorder3D() const { return tabBorder3D_; }
    void SetTabBorder3D(bool v);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool v) { SetFlag(showFocus_, v); }
    int TabOverlap() const { return tabOverlap_; }
    void SetTabOverlap(int v);
    bool TabSheet3D() const { return tabSheet3D_; }
    void SetTabSheet3D(bool v) { SetFlag(tabSheet3D_, v); }
    bool TabSplitLine() const { return tabSplitLine_; }
    void SetTabSplitLine(bool v);
    bool RoundEdges() const { return roundEdges_; }
    void SetRoundEdges(bool v) { SetFlag(roundEdges_, v); }
    TTabStyle TabStyle() const { return tabStyle_; }
    void SetTabStyle(TTabStyle v);
    int LowerActive() const { return lowerActive_; }
    void SetLowerActive(int v);
    bool FreeOnClose() const { return freeOnClose_; }
    void SetFreeOnClose(bool v) { freeOnClose_ = v; }
    TBitmap& TabBackGround() { return *tabBackGround_; }
    TBitmap& TabBackGroundActive() { return *tabBackGroundActive_; }
    TBitmap& CloseGlyph() { return *closeGlyph_; }
    const TBitmap& TabBackGround() const { return *tabBackGround_; }
    const TBitmap& TabBackGroundActive() const { return *tabBackGroundActive_; }
    const TBitmap& CloseGlyph() const { return *closeGlyph_; }
    void SetTabBackGround(const TBitmap& image);
    void SetTabBackGroundActive(const TBitmap& image);
    void SetCloseGlyph(const TBitmap& image);

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition v);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int v);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int v);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool v);
    // Kept for stored definitions; our strip has no scroll buttons and no ragged rows.
    bool RaggedRight() const { return raggedRight_; }
    void SetRaggedRight(bool v) { raggedRight_ = v; }
    bool ScrollOpposite() const { return scrollOpposite_; }
    void SetScrollOpposite(bool v) { scrollOpposite_ = v; }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool v) { hotTrack_ = v; }
    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool v) { dockSite_ = v; }
    // "1.5.0.4"; setting it does nothing.
    QString Version() const;
    void SetVersion(const QString&) {}

    // Sets the stored name of the active page; it is looked up once loading ends,
    // and a name that is not one of the pages is reported through fail.
    void SetActivePageName(const QString& name, std::function<void(const QString& problem)> fail = {})
    {
        pendingActivePage_ = name;
        pendingFail_ = std::move(fail);
    }
    bool IsLoaded() const { return loaded_; }

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TCanChangeEvent OnCanChange;
    TGetImageIndexEvent OnGetImageIndex;
    TDrawTabEvent OnDrawTab;

    // The canvas being painted on, for OnDrawTab handlers; nullptr outside painting.
    TCanvas* Canvas() const { return paintCanvas_; }

    TRect ClientRect() const override;

protected:
    void Paint(TCanvas& canvas) override;
    void Loaded() override;
    void AlignControls(TRect& rect) override;
    void Notification(TComponent* component, bool removing) override;
    void BoundsChanged() override;
    void FontChanged() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;

private:
    friend class TFlatTabSheet;

    // Page list and tabs (FlatPageControl.cpp).
    void InsertPage(TFlatTabSheet* page);
    void RemovePage(TFlatTabSheet* page);
    void MovePage(TFlatTabSheet* page, int newIndex);
    void ShowTab(TFlatTabSheet* page);
    void HideTab(TFlatTabSheet* page);
    void SelectTab(int tabIndex);
    void UpdateActivePage();
    void RefreshTabText(TFlatTabSheet* page);
    void RefreshAllTabTexts();
    void Relayout();
    void ComputeSpacer();
    void MarginChanged(int newValue, int oldValue, TTabMargin::Which which);
    void SetColorField(TColor& field, TColor v);
    void SetFlag(bool& field, bool v);

    // User selection (FlatPageControlInput.cpp).
    bool CanChange(int targetPage);
    void Change();
    void ClosePage(TFlatTabSheet* page);
    void SetHovered(int pageIndex);
    void SetCloseState(TCloseButtonState state);

    bool ContainsFocus() const;

    // Painting (FlatPageControlPaint.cpp).
    void PaintTab(TCanvas& canvas, int pageIndex, bool splitShown);
    void PaintCloseButton(TCanvas& canvas, int x, int y, TCloseButtonState state);
    void PaintTabPicture(TCanvas& canvas, const TBitmap& picture, const TRect& r);
    void Paint3DTabs(TCanvas& canvas);
    TRect PageAreaRect(const TRect& strip) const;

    std::vector<TFlatTabSheet*> pages_;
    std::vector<TFlatTabSheet*> tabs_;  // pages with a shown tab, in page order
    std::vector<QString> tabTexts_;
    int tabSelected_ = -1;
    TFlatTabSheet* activePage_ = nullptr;
    QString pendingActivePage_;
    QString pendingImages_;
    std::function<void(const QString&)> pendingFail_;
    std::unique_ptr<TTabMargin> tabMargin_;
    std::vector<std::pair<QString, TFlatTabSheet*>> closedPages_;
    TImageListLink images_{[this] {
        ComputeSpacer();
        Invalidate();
    }};
    int spacerWidth_ = 1;
    int spacerHeight_ = 1;
    TFlatTabLayout layout_;
    TCanvas* paintCanvas_ = nullptr;

    TColor defaultTextColor_ = clBlack;
    TColor defaultTabColor_ = clBtnFace;
    TColor defaultTabColorTo_ = clNone;
    TColor activeColor_ = clBtnFace;
    TColor activeColorTo_ = clNone;
    TColor tabBorderColor_ = DefaultBorderColor;
    TColor tabHoverColor_ = clNone;
    TColor tabHoverColorTo_ = clNone;
    TColor tabHoverBorder_ = clNone;
    TColor tabSheetBorderColor_ = DefaultBorderColor;
    TColor tabBackGroundColor_ = clBtnFace;
    TColor tabBackGroundColorTo_ = clBtnFace;
    bool tabBorder3D_ = false;
    bool showFocus_ = false;
    bool tabSheet3D_ = false;
    bool tabSplitLine_ = false;
    bool roundEdges_ = false;
    bool freeOnClose_ = false;
    bool loaded_ = false;
    bool multiLine_ = false;
    bool raggedRight_ = false;
    bool scrollOpposite_ = false;
    bool hotTrack_ = false;
    bool dockSite_ = false;
    bool focused_ = false;
    int tabOverlap_ = 0;
    int lowerActive_ = 2;
    int hoveredTab_ = -1;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    TTabStyle tabStyle_ = tsClassic;
    TTabPosition tabPosition_ = TTabPosition::tpTop;
    TCloseButtonState closeState_ = TCloseButtonState::Normal;
    std::unique_ptr<TFont> activeFont_;
    std::unique_ptr<TBitmap> tabBackGround_;
    std::unique_ptr<TBitmap> tabBackGroundActive_;
    std::unique_ptr<TBitmap> closeGlyph_;
};
