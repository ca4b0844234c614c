#pragma once

// A grid stand-in for the selection set: columns 50 pixels wide and rows 20
// high, each followed by a 1-pixel line; a range from HiddenFromCol on is out
// of view. Repaints, notifications and events are logged as text.

#include <map>
#include <string>
#include <vector>

#include "grid/selection/Selections.h"

inline TGridRect R(int l, int t, int r, int b)
{
    return {l, t, r, b};
}

class SelectionTestHost : public ISelectionHost {
public:
    int cols = 8, rows = 10, fixedCols = 1, fixedRows = 1, fixedEditCols = 0, fixedEditRows = 0;
    TGridOptions options = GridOption(goRangeSelect);
    TGridOptionExs optionExs = 0;
    std::map<int, TRowStyle> rowStyles;
    std::vector<TGridRect> merged;
    TGridCoord anchor{1, 1}, current{1, 1}, topLeft{1, 1};
    TGridMouseState mouseState = gmsNone;
    bool destroying = false, editorMode = true, allowMove = true, allowRowChange = true;
    int hiddenFromCol = 1000;
    std::vector<std::string> log;

    static std::string Str(const TGridRect& r)
    {
        return "(" + N(r.Left) + "," + N(r.Top) + "," + N(r.Right) + "," + N(r.Bottom) + ")";
    }
    static std::string Kind(const TGridSelection* s)
    {
        return dynamic_cast<const TRangeSelection*>(s) ? "range"
               : dynamic_cast<const TRowSelection*>(s) ? "rows"
               : dynamic_cast<const TColSelection*>(s) ? "cols"
                                                         : "full";
    }
    static TRect Box(const TGridRect& r) { return {r.Left * 51, r.Top * 21, r.Right * 51 + 50, r.Bottom * 21 + 20}; }

    void Set(TGridOption o, bool on = true) { options = on ? options | GridOption(o) : options & ~GridOption(o); }
    void SetEx(TGridOptionEx o) { optionExs |= GridOptionEx(o); }

    int ColCount() const override { return cols; }
    int RowCount() const override { return rows; }
    int FixedCols() const override { return fixedCols; }
    int FixedRows() const override { return fixedRows; }
    int FixedEditCols() const override { return fixedEditCols; }
    int FixedEditRows() const override { return fixedEditRows; }
    bool HasOption(TGridOption o) const override { return ::HasOption(options, o); }
    bool HasOptionEx(TGridOptionEx o) const override { return ::HasOptionEx(optionExs, o); }
    TRowStyle RowStyle(int row) override { return rowStyles.count(row) ? rowStyles[row] : rsNormal; }
    TGridRect WidenToMergedAreas(const TGridRect& rect) override
    {
        TGridRect r = rect;
        for (bool grew = true; grew;) {
            grew = false;
            for (const TGridRect& m : merged) {
                if (m.Left > r.Right || m.Right < r.Left || m.Top > r.Bottom || m.Bottom < r.Top)
                    continue;
                const TGridRect u = GridRect({std::min(r.Left, m.Left), std::min(r.Top, m.Top)},
                                             {std::max(r.Right, m.Right), std::max(r.Bottom, m.Bottom)});
                grew = grew || u != r;
                r = u;
            }
        }
        return r;
    }
    TGridCoord Anchor() const override { return anchor; }
    void SetAnchor(TGridCoord a) override { anchor = a; }
    TGridCoord Current() const override { return current; }
    void PlaceCurrent(TGridCoord c) override { current = c, Log("current " + N(c.X) + "," + N(c.Y)); }
    TGridRect SelectionRect() override
    {
        return HasOption(goCellMerge) ? WidenToMergedAreas(GridRect(anchor, current)) : GridRect(anchor, current);
    }
    TGridMouseState MouseState() const override { return mouseState; }
    void MoveCurrent(int col, int row, bool replace, bool, bool, bool moveAnchor) override
    {
        current = {col, row};
        if (moveAnchor)
            anchor = current;
        Log("move " + N(col) + "," + N(row) + (replace ? " replace" : ""));
    }
    void MakeCellVisible(TGridCoord c) override { Log("visible " + N(c.X) + "," + N(c.Y)); }
    TRect BoxBounds(const TGridRect& r, bool withLines) override
    {
        if (r.Right < r.Left || r.Bottom < r.Top || r.Left >= hiddenFromCol)
            return {};
        const TRect b = Box(r);
        return withLines ? TRect{b.Left, b.Top, b.Right + 1, b.Bottom + 1} : b;
    }
    void RepaintRangeChange(const TGridRect& o, const TGridRect& n, bool changeOnly, bool withHeads) override
    {
        Log(std::string(changeOnly ? "change " : "union ") + Str(o) + Str(n) + (withHeads ? " heads" : ""));
    }
    void RepaintAll() override { Log("all"); }
    bool IsDestroying() const override { return destroying; }
    void SelectionNotify(TGridSelection* s, TSelectoinNotification action) override
    {
        // As the grid does: added rows never cut a merged cell.
        if (auto* added = dynamic_cast<TRowSelection*>(s); added && action == snAdded && HasOption(goCellMerge)) {
            const TGridRect w = WidenToMergedAreas(added->GetRange());
            added->SetRows(w.Top, w.Bottom);
        }
        Log((action == snAdded ? "added " : "deleted ") + Kind(s) + Str(s->GetRange()));
    }
    void FillRangeChanged(const TGridRect& s, const TGridRect& t) override { Log("filled " + Str(s) + Str(t)); }
    void MoveRangeChanged(const TGridRect& s, const TGridRect& t) override { Log("moved " + Str(s) + Str(t)); }
    TGridCoord TopLeft() const override { return topLeft; }
    void SetEditorMode(bool on) override { editorMode = on; }
    void SetMouseState(TGridMouseState state) override { mouseState = state; }
    void StartAutoScroll() override { Log("timer"); }
    bool BeforeMoveCurrent(TGridCoord) override { return allowMove; }
    bool QueryRowChange() override { return allowRowChange; }
    void SetCurrentCol(int col) override { current.X = anchor.X = col, Log("col " + N(col)); }
    void SetCurrentRow(int row) override { current.Y = anchor.Y = row, Log("row " + N(row)); }
    void CurrentMoved(TGridCoord old, TMoveReason) override { Log("moved from " + N(old.X) + "," + N(old.Y)); }
    void RepaintCell(int col, int row) override { Log("cell " + N(col) + "," + N(row)); }

private:
    static std::string N(int v) { return std::to_string(v); }
    void Log(const std::string& line) { log.push_back(line); }
};
