#pragma once

// The content grid: every cell has a value and attributes, asked for through
// two overridable queries and their events, and the grid paints each cell
// completely from them (background, lines, heads, images, text, check boxes,
// rich text, the tree column, comment markers). Its input adds check-box
// toggling, tree rows, best widths, comment pop-ups and the size hint.

#include <memory>
#include <vector>

#include <QString>

#include "grid/layout/CellAttributes.h"
#include "grid/selection/GridSelection.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "platform/framework/actions/ImageListLink.h"

class TImageList;
class TRichSymbolDraw;
class TCustomCommentBox;
class TCustomHintBox;

using TQueryCellValueEvent = TEvent<TObject*, int, int, QString&>;
using TUpdateCellValueEvent = TEvent<TObject*, int, int, const QString&>;
using TQueryCellAttributeEvent = TEvent<TObject*, int, int, TCellAttributes, TCellAttrInfo&>;
using TUpdateCellAttributeEvent = TEvent<TObject*, int, int, TCellAttributes, const TCellAttrInfo&>;
using TSelectionChangedEvent = TEvent<TObject*, TGridSelection*, TSelectoinNotification>;
using TQueryRowExpandEvent = TEvent<TObject*, int, bool&>;
using TUpdateRowExpandEvent = TEvent<TObject*, int, bool>;
using TQueryRowLevelEvent = TEvent<TObject*, int, uint8_t&>;
using TQueryParentRowEvent = TEvent<TObject*, int, int&>;
using TQueryNextSiblingEvent = TEvent<TObject*, int, bool&, bool&>;
using TQueryRowStyleEvent = TEvent<TObject*, int, TRowStyle&>;
using TDrawCellBackgroundEvent = TEvent<TObject*, TCanvas&, int, int, const TRect&, TGridDrawState>;

namespace view_grid_errors {
inline constexpr const char* BadRow = "非法行下标";
inline constexpr const char* BadCol = "非法列下标";
} // namespace view_grid_errors

// Widths of the four lines of a cell, merged areas taking theirs from the right cells.
struct TCellLineWidths {
    int Right = 0;
    int Bottom = 0;
    int Diagonal = 0;
    int AntiDiagonal = 0;
};

class TTavikCustomViewGrid : public TTavikCustomDrawGrid {
public:
    explicit TTavikCustomViewGrid(TComponent* owner);
    ~TTavikCustomViewGrid() override;
    static constexpr const char* StaticClassName() { return "TTavikCustomViewGrid"; }
    const char* ClassName() const override { return StaticClassName(); }

    // --- operations the view grid introduces, in slot order ---
    virtual int GetRowData(int row);
    virtual void SetRowData(int row, int value);
    virtual QString GetCellValue(int col, int row);
    virtual void SetCellValue(int col, int row, const QString& value);
    virtual void GetCellAttrs(int col, int row, TCellAttrInfo& info, TCellAttributes attrs);
    virtual void SetCellAttrs(int col, int row, const TCellAttrInfo& info, TCellAttributes attrs);
    virtual bool IsTreeColumn(int col);
    virtual int SymbolScale(int col, int row) { return 100; }

    // --- the core's operations, refined ---
    int MergeId(int col, int row) override;
    void SetMergeId(int col, int row, int id) override;
    void DrawCellBackground(int col, int row, TGridDrawState state, const TRect& rect) override {}
    void DrawCellDecoration(int col, int row, TGridDrawState state, const TRect& rect) override;
    void DrawMergedCells(const TGridPaintPass& pass) override {}
    void AdjustEditorRect(int col, int row, TRect& out, const TRect& rect) override;
    TRowStyle RowStyle(int row) override;
    QString GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const QString& text) override;
    void SizeChanging(int oldColCount, int oldRowCount) override;
    void SetColCount(int value) override;
    void SetRowCount(int value) override;
    void MoveColumn(int from, int to) override;
    void MoveRow(int from, int to) override;

    // Tree rows and selections (ViewGridTree.cpp).
    void NormalizeSelRect(const TGridRect& in, TGridRect& out) override;
    void SelectionNotify(TGridSelection* selection, TSelectoinNotification action) override;
    int GetRowHeight(int row) const override;
    int NextShownRow(int from, int end) const override;
    int PrevShownRow(int from, int stop) const override;
    int ParentRow(int row) override;
    bool RowHasNextSibling(int row) override;
    bool IsTree() override { return isTree_; }
    uint8_t RowLevel(int row) override;
    bool RowExpanded(int row) override;
    void SetRowExpanded(int row, bool expanded) override;
    // Rows directly after row that lie deeper than it.
    int DescendantCount(int row);
    // Owners whose levels, parents or expanded states change behind the
    // grid's back (through the query events) say so here.
    void TreeShapeChanged() { treeCacheValid_ = false; }

    // Input hooks (ViewGridInput.cpp).
    bool HasEditParts(int col, int row) override;
    bool IsSpecialRegion(int x, int y) override;
    bool ClickShowsEditor(int x, int y) override;
    bool IsCheckCell(int col, int row) override;
    bool ToggleCheckCell(int col, int row) override;
    // Whether a toggled check value may be stored: the editor's hide query
    // (OnQueryEditHide) is asked with the new text.
    virtual bool QueryToggleStore(int col, int row, const QString& text);
    bool IsBestWidthHit(int x, int y) override;
    // Sets the column's width to the widest of its shown cells (at least 10).
    void ApplyBestWidth(int col);
    int BestWidth(int col);
    // The size hint's text for the running resize, or empty.
    QString SizeHintText();
    // Where the comment of the cell under the point would be shown, with its text.
    bool CommentAt(int x, int y, QString& text, TPoint& where);

    // --- per-column and per-row data ---
    int ColData(int col) const;
    void SetColData(int col, int value);

    // --- properties ---
    bool IsTreeGrid() const { return isTree_; }
    void SetIsTree(bool value);
    bool DirectEditBool() const { return directEditBool_; }
    void SetDirectEditBool(bool value) { directEditBool_ = value; }
    int CellHorzMargin() const { return cellHorzMargin_; }
    void SetCellHorzMargin(int value);
    int CellVertMargin() const { return cellVertMargin_; }
    void SetCellVertMargin(int value);
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* images) { images_.Set(images); }
    bool ShowCommentMark() const { return showCommentMark_; }
    void SetShowCommentMark(bool value) { showCommentMark_ = value; }
    bool ShowComment() const { return showComment_; }
    void SetShowComment(bool value) { showComment_ = value; }
    bool ShowSizeHint() const { return showSizeHint_; }
    void SetShowSizeHint(bool value) { showSizeHint_ = value; }
    bool PaintSelection() const { return paintSelection_; }
    void SetPaintSelection(bool value) { paintSelection_ = value; }
    bool BlendHighlight() const { return blendHighlight_; }
    void SetBlendHighlight(bool value) { blendHighlight_ = value; }

    // The auxiliary objects, created on first use (nullptr before).
    TRichSymbolDraw* RichDrawer() const { return richDraw_.get(); }
    TCustomCommentBox* CommentBox() const { return commentBox_; }
    TCustomHintBox* HintBox() const { return hintBox_; }

    // --- geometry and colours used by painting and input ---
    TCellLineWidths LineWidths(int col, int row);
    // The colour a cell's background gets (heads, tints).
    TColor CellColor(int col, int row, TGridDrawState state);
    // The selection colour of a head, or clNone when the head keeps its look.
    TColor HeadSelectionColor(int col, int row, TGridDrawState state);
    // The rectangle the content of a cell is drawn in, margins applied.
    TRect ContentRect(int col, int row, const TRect& rect);
    // The letters of column col with goShowColNo (empty from 256 on).
    static QString ColumnLetters(int col);
    // The text a cell shows: its row number or column letters where the grid
    // draws them, else its value (a check cell's stored value).
    QString ShownText(int col, int row);
    // The shared off-screen canvas that measures texts.
    static TCanvas& MeasureCanvas();
    // The height of text wrapped into width, in the font of the cell.
    int TextHeight(const TCellAttrInfo& font, const QString& text, int width);

    // --- events ---
    TSelectionChangedEvent OnSelectionChanged;
    TQueryCellAttributeEvent OnQueryCellAttribute;
    TUpdateCellAttributeEvent OnUpdateCellAttribute;
    TQueryCellValueEvent OnQueryCellValue;
    TUpdateCellValueEvent OnUpdateCellValue;
    TQueryRowExpandEvent OnQueryRowExpand;
    TUpdateRowExpandEvent OnUpdateRowExpand;
    TQueryRowLevelEvent OnQueryRowLevel;
    TDrawCellBackgroundEvent OnDrawCellBackground;
    TQueryRowStyleEvent OnQueryRowStyle;
    TQueryParentRowEvent OnQueryParentRow;
    TQueryNextSiblingEvent OnQueryNextSibling;

    // --- mouse ---
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;

protected:
    void Loaded() override;
    void Resize() override;

    // Painting steps (ViewGridPaint.cpp).
    void PaintBackground(int col, int row, TGridDrawState state, const TRect& rect, bool split);
    void FillFixedCell(const TRect& r, int col, int row, TGridDrawState state);
    void PaintLines(int col, int row, TGridDrawState state, const TRect& rect, bool split);
    // Draws the cell's image into c and takes its part; false when none is drawn.
    void PaintImage(int col, int row, TRect& c);
    void PaintText(int col, int row, const QString& text, const TRect& rect, THorzAlignment align);
    void PaintTreeCell(int col, int row, const TRect& content, const QString& text, TCellDataType type);
    void PaintCommentMark(int col, int row, const TRect& rect);
    void PaintFocusRect(TGridDrawState state, const TRect& rect);
    bool FocusRectWanted(TGridDrawState state) const;

    void ResetRowArrays();
    void ResizeArrays(int cols, int rows);
    void CheckRow(int row) const;
    void CheckCol(int col) const;
    bool InGrid(int col, int row) const { return col >= 0 && row >= 0 && col < ColCount() && row < RowCount(); }
    TCellAttrInfo DefaultAttrs() const;
    void BuildTreeCache() const;
    void ShowSizeHintAt(int x, int y);
    void UpdateSizeHint();
    void UpdateComment(int x, int y);

private:
    std::vector<int> colData_;
    std::vector<int> rowData_;
    std::vector<uint8_t> rowExpanded_;
    bool isTree_ = false;
    bool directEditBool_ = true;
    uint8_t cellHorzMargin_ = 2;
    uint8_t cellVertMargin_ = 2;
    std::unique_ptr<TRichSymbolDraw> richDraw_;
    TImageListLink images_;
    bool showCommentMark_ = true;
    bool showComment_ = true;
    TCustomCommentBox* commentBox_ = nullptr;
    bool showSizeHint_ = true;
    TCustomHintBox* hintBox_ = nullptr;
    bool paintSelection_ = true;
    bool blendHighlight_ = true;

    // Rows hidden under a collapsed ancestor, computed in one pass over the
    // rows when first needed after a change of the tree.
    mutable std::vector<uint8_t> hiddenRows_;
    mutable bool treeCacheValid_ = false;
};
