#pragma once

// The grid every screen uses: the view grid with its content kept in the row
// and cell model (Rows). Every value and attribute query is answered from the
// cell at that position, edits go back into the cell, and rows and columns
// moved, inserted or deleted in the grid are moved, inserted or deleted in the
// model. Tree levels come from a hidden level column (LevelCol).

#include <memory>

#include "grid/model/PTOwner.h"
#include "grid/model/PTRows.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"

using TPTCellEvent = TEvent<TObject*, TPTCell*>;
using TDrawSplitLineEvent = TEvent<TObject*, int, bool&>;

class TTavikPTGrid : public TTavikCustomViewGrid, public IPTGridOwner {
public:
    explicit TTavikPTGrid(TComponent* owner);
    ~TTavikPTGrid() override;
    static constexpr const char* StaticClassName() { return "TTavikPTGrid"; }
    const char* ClassName() const override { return StaticClassName(); }

    // The cell at the position, the model synchronised first when it is short;
    // nullptr outside the grid.
    TPTCell* Cell(int col, int row);
    // Brings the model to colCount x rowCount, adding and removing at the ends.
    void Synchronise(int colCount, int rowCount);

    TPTRows* Rows() { return rows_.get(); }
    const TPTRows* Rows() const { return rows_.get(); }
    // Copies the given rows into the grid's own.
    void SetRows(const TPTRows* rows);
    int LevelCol() const { return levelCol_; }
    void SetLevelCol(int value);
    bool DoubleBuffered() const { return doubleBuffered_; }
    // Kept for the stored form: the grid paints off screen in any case.
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    // An image list named before it was read; looked up when loading ends.
    void SetImagesName(const QString& name) { pendingImages_ = name; }
    // Copies this grid's look, sizes and cells into another PT grid. Any other
    // destination is a programming error and raises EAssertionFailed
    // ("Assertion failed: …"), not the framework's "Cannot assign a …", which
    // stays for copies between foreign persistent classes (cells, rows, fonts).
    void AssignTo(TPersistent* dest) const override;

    // --- answers to the view grid's queries (PTGridQueries.cpp) ---
    QString GetCellValue(int col, int row) override;
    void SetCellValue(int col, int row, const QString& value) override;
    void GetCellAttrs(int col, int row, TCellAttrInfo& info, TCellAttributes attrs) override;
    void SetCellAttrs(int col, int row, const TCellAttrInfo& info, TCellAttributes attrs) override;
    int MergeId(int col, int row) override;
    void SetMergeId(int col, int row, int id) override;
    TRowStyle RowStyle(int row) override;

    // --- tree rows (PTGridTree.cpp) ---
    uint8_t RowLevel(int row) override;
    bool RowExpanded(int row) override;
    void SetRowExpanded(int row, bool expanded) override;
    bool IsTreeColumn(int col) override;

    // --- rows and columns (PTGridRows.cpp) ---
    void DeleteRow(int row) override;
    void InsertRow(int row) override;
    void SizeChanging(int oldColCount, int oldRowCount) override;
    void ColumnMoved(int from, int to) override;
    void RowMoved(int from, int to) override;

    // --- ranges and painting (PTGridRanges.cpp) ---
    void FillRangeChanged(const TGridRect& source, const TGridRect& target) override;
    void MoveRangeChanged(const TGridRect& source, const TGridRect& target) override;
    void Paint(TCanvas& canvas) override;
    // Where the split line of column col lies, or -1 when it gets none.
    int SplitLineX(int col);

    // --- events ---
    TPTCellEvent OnCellDestroyed;
    // The first handler connected stays; connecting one while a stored form is
    // read replays it for every cell.
    const TPTCellEvent& OnCellCreated() const { return onCellCreated_; }
    void SetOnCellCreated(const TPTCellEvent& handler);
    TDrawSplitLineEvent OnDrawSplitLine;

    // --- what the model needs from its grid ---
    const TFont& GridFont() const override { return Font(); }
    TColor GridColor() const override { return Color(); }
    void CellCreated(TPTCell* cell) override;
    void CellDestroyed(TPTCell* cell) override;
    void RowChanged(int row) override;
    void RowsChanged() override;
    void ExpandCollapse(int row, bool expand) override;

protected:
    void Loaded() override;
    void FontChanged() override;
    void ColorChanged() override;

private:
    // The level in the row's level cell, whether or not the grid is a tree.
    int LevelOf(int row) const;
    void CopyRange(const TGridRect& source, const TGridRect& target, bool fill);
    // The view grid's own row move, with the model left where it is.
    void MoveRowKeepModel(int from, int to);

    std::unique_ptr<TPTRows> rows_;
    int levelCol_ = -1;
    TPTCellEvent onCellCreated_;
    bool modelMoveSuppressed_ = false;
    bool doubleBuffered_ = false;
    QString pendingImages_;
};
