#pragma once

// TFlatPageControl: a set of pages (TFlatTabSheet) of which one shows at a
// time, with a strip of flat, gradient-coloured tabs along one edge. The tab
// strip is our own: TFlatTabStrip keeps and places the tabs, TTabHotTracking
// follows the mouse over them and TFlatTabPainter paints strip, tabs and page
// frame.
//
// Indices: a page index counts all pages; a tab index counts only the pages
// whose tab is shown.

#include <functional>
#include <memory>

#include "chrome/pagecontrol/FlatTabLayout.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "chrome/pagecontrol/TabMargin.h"
#include "platform/framework/WinControl.h"

class TBitmap;
class TCanvas;
class TImageList;
struct TFlatPageControlState;

enum TTabStyle : uint8_t { tsClassic, tsDotNet, tsStudio };

using TCanChangeEvent = TEvent<TObject*, int, int, bool&>;      // FromPage, ToPage, AllowChange
using TTabChangingEvent = TEvent<TObject*, bool&>;              // AllowChange
using TGetImageIndexEvent = TEvent<TObject*, int, int&>;        // TabIndex, ImageIndex
using TDrawTabEvent = TEvent<TObject*, int, const TRect&, bool>; // page index, tab rectangle, active

class TFlatPageControl : public TCustomControl {
public:
    static constexpr int VersionNumber = 0x01050004;
    static constexpr TColor DefaultBorderColor = 0x808080;

    explicit TFlatPageControl(TComponent* owner);
    ~TFlatPageControl() override;
    static constexpr const char* StaticClassName() { return "TFlatPageControl"; }
    const char* ClassName() const override { return StaticClassName(); }

    // ---- Pages ------------------------------------------------------------
    int PageCount() const;
    // Fails with EListError for an index out of range.
    TFlatTabSheet* Pages(int index) const;
    TFlatTabSheet* ActivePage() const;
    // Only pages of this control are accepted; a page whose tab is disabled is ignored.
    void SetActivePage(TFlatTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    TFlatTabSheet* FindNextPage(TFlatTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward);
    // Selects a page with a shown tab as a click on its tab does (the change
    // queries and events included); false when it is refused or not possible.
    bool SelectPageAsUser(TFlatTabSheet* page);

    // ---- Tabs ---------------------------------------------------------------
    // Rectangle of the page's tab; empty when the page has no tab.
    TRect TabRect(int pageIndex) const;
    // The page whose tab is under the point, or -1.
    int PageIndexAt(int x, int y) const;

    // ---- Properties ---------------------------------------------------------
    TTabMargin& TabMargin();
    const TTabMargin& TabMargin() const;
    TImageList* Images() const;
    void SetImages(TImageList* images);
    // A stored name read before its image list: looked up when loading ends.
    void SetImagesName(const QString& name);
    TFont& ActiveFont();
    const TFont& ActiveFont() const;

    TColor DefaultTextColor() const;
    void SetDefaultTextColor(TColor v);
    TColor DefaultTabColor() const;
    void SetDefaultTabColor(TColor v);
    TColor DefaultTabColorTo() const;
    void SetDefaultTabColorTo(TColor v);
    TColor ActiveColor() const;
    void SetActiveColor(TColor v);
    TColor ActiveColorTo() const;
    void SetActiveColorTo(TColor v);
    TColor TabBorderColor() const;
    void SetTabBorderColor(TColor v);
    TColor TabHoverColor() const;
    void SetTabHoverColor(TColor v);
    TColor TabHoverColorTo() const;
    void SetTabHoverColorTo(TColor v);
    TColor TabHoverBorder() const;
    void SetTabHoverBorder(TColor v);
    TColor TabSheetBorderColor() const;
    void SetTabSheetBorderColor(TColor v);
    TColor TabBackGroundColor() const;
    void SetTabBackGroundColor(TColor v);
    TColor TabBackGroundColorTo() const;
    void SetTabBackGroundColorTo(TColor v);

    bool TabBorder3D() const;
    void SetTabBorder3D(bool v);
    bool ShowFocus() const;
    void SetShowFocus(bool v);
    int TabOverlap() const;
    void SetTabOverlap(int v);
    bool TabSheet3D() const;
    void SetTabSheet3D(bool v);
    bool TabSplitLine() const;
    void SetTabSplitLine(bool v);
    bool RoundEdges() const;
    void SetRoundEdges(bool v);
    TTabStyle TabStyle() const;
    void SetTabStyle(TTabStyle v);
    int LowerActive() const;
    void SetLowerActive(int v);
    bool FreeOnClose() const;
    void SetFreeOnClose(bool v);
    // The pictures are changed through their setters only, so that the control repaints.
    const TBitmap& TabBackGround() const;
    const TBitmap& TabBackGroundActive() const;
    const TBitmap& CloseGlyph() const;
    void SetTabBackGround(const TBitmap& image);
    void SetTabBackGroundActive(const TBitmap& image);
    void SetCloseGlyph(const TBitmap& image);

    TTabPosition TabPosition() const;
    void SetTabPosition(TTabPosition v);
    int TabHeight() const;
    void SetTabHeight(int v);
    int TabWidth() const;
    void SetTabWidth(int v);
    bool MultiLine() const;
    void SetMultiLine(bool v);
    // Kept for stored definitions; our strip has no scroll buttons and no ragged rows.
    bool RaggedRight() const;
    void SetRaggedRight(bool v);
    bool ScrollOpposite() const;
    void SetScrollOpposite(bool v);
    bool HotTrack() const;
    void SetHotTrack(bool v);
    bool DockSite() const;
    void SetDockSite(bool v);
    // "1.5.0.4"; setting it does nothing.
    QString Version() const;
    void SetVersion(const QString&) {}

    // Sets the stored name of the active page; it is looked up once loading ends,
    // and a name that is not one of the pages is reported through fail.
    void SetActivePageName(const QString& name, std::function<void(const QString& problem)> fail = {});

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TCanChangeEvent OnCanChange;
    TGetImageIndexEvent OnGetImageIndex;
    TDrawTabEvent OnDrawTab;

    // The canvas being painted on, for OnDrawTab handlers; nullptr outside painting.
    TCanvas* Canvas() const;

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
    // A sheet joins, leaves, moves and shows or hides its tab through these.
    friend class TFlatTabSheet;
    // Tests read the strip's and the mouse's state through it.
    friend class PageControlTestAccess;

    int IndexOfPage(const TFlatTabSheet* sheet) const;
    void InsertPage(TFlatTabSheet* page);
    void RemovePage(TFlatTabSheet* page);
    void MovePage(TFlatTabSheet* page, int newIndex);
    void ShowTab(TFlatTabSheet* page);
    void HideTab(TFlatTabSheet* page);
    void RefreshTabText(TFlatTabSheet* page);
    void RefreshAllTabTexts();
    void Relayout();
    void ComputeSpacer();

    // A tab chosen by the user: the change queries, then the change and its event.
    bool CanChange(int targetPage);
    void SelectTab(int tabIndex);
    void UpdateActivePage();
    void Change();
    void ClosePage(TFlatTabSheet* page);
    bool ContainsFocus() const;

    std::unique_ptr<TFlatPageControlState> const d_;
};
