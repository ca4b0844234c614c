#pragma once

// The organisation chart control: the node tree it owns (Tree()) laid out as
// boxes joined by connector lines, with expand buttons, scrolling, fit-to-window
// zoom, a sideways (rotated) layout, an expand/collapse animation, keyboard and
// mouse selection, in-place editing of node texts and dragging of nodes.
// The work is split over OrgChart*.cpp by concern: properties and repaint
// management, painting, animation, keys and mouse, editing, dragging.

#include <memory>

#include "orgchart/model/OcLayout.h"
#include "orgchart/OrgChartTree.h"
#include "orgchart/model/OcTypes.h"
#include "orgchart/OrgChartDrag.h"
#include "platform/base/SaveFile.h"
#include "platform/framework/Form.h"
#include "platform/framework/actions/ImageListLink.h"

class TBitmap;
class TCanvas;
class TImageList;
class TOcInplaceEdit;

using TOcDrawEvent = TEvent<TObject*, TOcNode*, TCanvas&, TRect>;
using TOcEditedEvent = TEvent<TObject*, TOcNode*, QString&>;
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, bool&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;

class TCustomOrgChart : public TCustomControl {
public:
    explicit TCustomOrgChart(TComponent* owner);
    ~TCustomOrgChart() override;
    static constexpr const char* StaticClassName() { return "TCustomOrgChart"; }
    const char* ClassName() const override { return StaticClassName(); }

    // The nodes, the selection and the model's events (senders are the chart).
    TOcTree& Tree() { return tree_; }
    const TOcTree& Tree() const { return tree_; }

    // ---- Published properties -----------------------------------------------
    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor v);
    // LW: scaled while zoomed.
    int LineWidth() const;
    void SetLineWidth(int v);
    TColor SelectedNodeColor() const { return selectedNodeColor_; }
    void SetSelectedNodeColor(TColor v);
    TColor SelectedNodeTextColor() const { return selectedNodeTextColor_; }
    void SetSelectedNodeTextColor(TColor v);
    int DefaultNodeWidth() const { return defaultNodeWidth_; }
    void SetDefaultNodeWidth(int v);
    int DefaultNodeHeight() const { return defaultNodeHeight_; }
    void SetDefaultNodeHeight(int v);
    // IX and IY: swapped while rotated, scaled while zoomed.
    int IndentX() const;
    void SetIndentX(int v);
    int IndentY() const;
    void SetIndentY(int v);
    // The stored values, as the definition holds them.
    int RawLineWidth() const { return lineWidth_; }
    int RawIndentX() const { return indentX_; }
    int RawIndentY() const { return indentY_; }
    TOcEditMode EditMode() const { return editMode_; }
    void SetEditMode(TOcEditMode v);
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* images);
    void SetImagesName(const QString& name) { pendingImages_ = name; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle v);
    bool Rotated() const { return rotated_; }
    void SetRotated(bool v);
    bool Zoom();
    bool ZoomStored() const { return zoomOff_ == 0; }
    void SetZoom(bool v);
    TOcOptions Options() const { return options_; }
    void SetOptions(TOcOptions v);
    bool HasOption(TOcOption o) const { return (options_ & o) != 0; }

    // ---- Layout, scrolling, repainting --------------------------------------
    void BeginUpdate();
    void EndUpdate();
    void ScrollTo(int x, int y);
    int ScrollLeft();
    int ScrollTop();
    void SetScrollLeft(int v) { ScrollTo(v, ScrollTop()); }
    void SetScrollTop(int v) { ScrollTo(ScrollLeft(), v); }
    int FullWidth();
    int FullHeight();
    void UpdateLayout();
    // Zoom on and the chart shrunk to fit.
    bool Zoomed();
    // The geometry of the chart as it stands (sizes cached on the nodes).
    TOcLayout Layout();
    // A node's box (connector band included) and shape area, physical client
    // coordinates at the current scroll position; the node must be visible.
    TRect NodeBoxRect(TOcNode* node);
    TRect NodeShapeRect(TOcNode* node);
    TRect NodeContentRect(TOcNode* node);
    int MinNodeWidth() const;
    int MinNodeHeight() const;
    // Paints the whole chart, not the window's part of it: (0, 0) is the top-left
    // of the full FullWidth() x FullHeight() chart; what the canvas's clip shows
    // is painted, as the window would paint it were it that large. progress
    // (pixels along the siblings' axis done, of the area's) hears from it every
    // few hundred nodes; when it answers false the painting stops part way and
    // false is returned.
    bool PaintWhole(TCanvas& canvas, const TProgressHook& progress = {});

    // ---- Selection and interaction -----------------------------------------
    TOcNode* GetNodeAt(int x, int y);
    TOcHitFlags GetHitTestInfoAt(int x, int y);
    bool Editing() const;
    void SetEditing(bool v);
    virtual void ShowEditor();
    void HideEditor(bool save);
    TOcInplaceEdit* Editor() const { return editor_.get(); }
    // Composed text reaches the character phase ("+", "-") or, while a node is
    // renamed, the editor; the candidate window sits at the selected node.
    bool TakesInputMethod() const override { return true; }
    TWinControl* CompositionWindow(bool composing) override;
    TRect InputCaretRect() override;
    bool Dragging() const { return drag_.Active(); }
    bool AutoScrollRunning() const { return HasTimer(kAutoScrollTimer); }
    // Frames drawn by the last expand/collapse animation (0 without one).
    int LastAnimationFrames() const { return lastAnimationFrames_; }

    // ---- Overridable operations ------------------------------------------------
    virtual void DrawNode(TOcNode* node, TCanvas& canvas, const TRect& rect);
    virtual std::unique_ptr<TOcInplaceEdit> CreateEditor();

    TOcDrawEvent OnDrawNode;
    TOcAllowEvent OnEditing;
    TOcEditedEvent OnEdited;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;

    static constexpr unsigned kAutoScrollTimer = 1;
    static constexpr int kAutoScrollInterval = 220;

protected:
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void DoEnter() override;
    void DoExit() override;
    void TimerFired(unsigned id) override;
    void Resize() override;
    void Ctl3DChanged() override;
    void Loaded() override;
    void FontChanged() override;
    void ColorChanged() override;
    unsigned DialogCode() const override { return DLGC_WANTARROWS; }

    friend class TOcInplaceEdit;
    friend class TOrgChartTree;
    friend class TOrgChartDrag;
    // Drives the drag machinery directly (tests/support).
    friend class ChartTestAccess;

private:
    // What the tree asks of its view.
    void LayoutChanged();
    // False when nothing was invalidated (no window, node hidden, repaint pending).
    bool InvalidateNode(TOcNode* node);
    bool HasFocus() const;
    void SizesChangedNotice(TOcNode* node);
    void DropAllSizes(TOcSizeKind kind);
    bool BeginNodeAnimation(TOcNode* node);
    void PaintAnimation();
    void RepaintColumn(TOcNode* node);
    void FitNodeToText(TOcNode* node);
    void MakeNodeVisible(TOcNode* node);
    void ForgetHitOn(TOcNode* node);
    // Ends what holds node or its descendants before they go.
    void ForgetDoomed(TOcNode* node);

    // Text drawing shared by painting, node fitting and the editor.
    unsigned TextFlags() const;
    void DrawTextIn(TCanvas& canvas, const QString& text, TRect& rect, bool measure) const;

    TOcMetrics Metrics();
    void InvalidateAll();
    // The window's border and bars follow BorderStyle and Ctl3D.
    void ApplyWindowStyles();
    void UpdateScrollBars();
    void RecomputeZoom();
    void ScrollMessage(TScrollBarKind bar, unsigned code, int thumb);
    bool PaintTree(TCanvas& canvas, const TRect& area, int step, const TProgressHook* progress = nullptr);
    void RunAnimation(TCanvas& canvas, const TRect& area);
    void DrawButton(TCanvas& canvas, TPoint logical);
    void SetLinePen(TCanvas& canvas);
    TOcLayout::Hit HitAt(int x, int y);
    void SelectWithChanging(TOcNode* node);
    bool Navigate(Word key);
    void InsertKey(bool child);
    TRect EditorRect(TOcNode* node);
    void GrowEditor();
    void EditorKeyDown(Word& key, TShiftState shift, bool& handled);
    void EditorChar(QChar& key, bool& handled);
    void EditorLostFocus();
    void ResolvePendingImages();

    // Model and geometry state.
    TOrgChartTree tree_{*this};
    TOrgChartDrag drag_{*this};
    int updateLock_ = 0;
    int scrollX_ = 0;
    int scrollY_ = 0;
    uint16_t defaultNodeWidth_ = 64;
    uint16_t defaultNodeHeight_ = 40;
    uint16_t indentX_ = 16;
    uint16_t indentY_ = 16;
    TOcNode* hitNode_ = nullptr;
    TOcNode* animating_ = nullptr;
    TPoint hitPoint_{};
    int zoomOff_ = 1;
    int zoomNum_ = 1;
    int zoomDen_ = 1;
    std::unique_ptr<TOcInplaceEdit> editor_;
    TOcEditMode editMode_ = emWrap;
    TOcHitFlags hitFlags_ = 0;
    uint16_t lineWidth_ = 1;
    TColor lineColor_ = clBlack;
    TColor selectedNodeColor_ = clHighlight;
    TColor selectedNodeTextColor_ = clHighlightText;
    TImageListLink images_;
    QString pendingImages_;
    std::unique_ptr<TBitmap> animationBitmap_;
    bool layoutDirty_ = true;
    bool invalidatePending_ = false;
    TOcOptions options_ = kOcDefaultOptions;
    TFormBorderStyle borderStyle_ = bsSingle;
    bool rotated_ = false;
    bool mousePressed_ = false;
    bool animationSuppressed_ = false;
    bool hidingEditor_ = false;
    bool inAnimation_ = false;
    TPoint pressPoint_{};
    bool destroying_ = false;
    int lastAnimationFrames_ = 0;
    int scrollBarDepth_ = 0;
    // Inside Paint: the surface being painted must keep its size.
    bool painting_ = false;
};

class TOrgChart : public TCustomOrgChart {
public:
    explicit TOrgChart(TComponent* owner) : TCustomOrgChart(owner) {}
    static constexpr const char* StaticClassName() { return "TOrgChart"; }
    const char* ClassName() const override { return StaticClassName(); }
};
