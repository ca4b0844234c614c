#pragma once

// A grid stand-in for the selection set: columns 50 pixels wide and rows 20
// high, each followed by a 1-pixel line, everything in view unless a range
// starts at or beyond HiddenFromCol. Repaints, notifications and events are
// logged as text so tests can compare whole sequences.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "grid/Selections.h"

class SelectionTestHost : public ISelectionHost {
public:
    int cols = 8, rows = 10, fixedCols = 1, fixedRows = 1, fixedEditCols = 0, fixedEditRows = 0;
    TGridOptions options = GridOption(goRangeSelect);
    TGridOptionExs optionExs = 0;
    std::map<int, TRowStyle> rowStyles;
    std::vector<TGridRect> merged;
    TGridCoord anchor{1, 1}, current{1, 1};
    TGridMouseState mouseState = gmsNone;
    bool destroying = false;
    TGridCoord topLeft{1, 1};
    bool editorMode = true;
    bool allowMove = true, allowRowChange = true;
    int hiddenFromCol = 1000;
    std::vector<std::string> log;

    static constexpr int ColStep = 51;
    static constexpr int RowStep = 21;

    static std::string Str(const TGridRect& r)
    {
        return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
               std::to_string(r.Bottom) + ")";
    }
    static std::string Kind(const TGridSelection* s)
    {
        if (dynamic_cast<const TRangeSelection*>(s))
            return "range";
        if (dynamic_cast<const TRowSelection*>(s))
            return "rows";
        if (dynamic_cast<const TColSelection*>(s))
            return "cols";
        return "full";
    }
    // Pixel box of a range as the fake lays it out, without lines.
    static TRect Box(const TGridRect& r)
    {
        return {r.Left * ColStep, r.Top * RowStep, r.Right * ColStep + 50, r.Bottom * RowStep + 20};
    }

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
    TRowStyle RowStyle(int row) override
    {
        auto it = rowStyles.find(row);
        return it == rowStyles.end() ? rsNormal : it->second;
    }
    TGridRect WidenToMergedAreas(const TGridRect& rect) override
    {
        TGridRect r = rect;
        for (bool grew = true; grew;) {
            grew = false;
            for (const TGridRect& m : merged) {
                const bool touches = m.Left <= r.Right && m.Right >= r.Left && m.Top <= r.Bottom && m.Bottom >= r.Top;
                if (!touches)
                    continue;
                const TGridRect u{std::min(r.Left, m.Left), std::min(r.Top, m.Top), std::max(r.Right, m.Right),
                                  std::max(r.Bottom, m.Bottom)};
                if (u != r) {
                    r = u;
                    grew = true;
                }
            }
        }
        return r;
    }
    TGridCoord Anchor() const override { return anchor; }
    void SetAnchor(TGridCoord a) override { anchor = a; }
    TGridCoord Current() const override { return current; }
    void PlaceCurrent(TGridCoord c) override
    {
        current = c;
        log.push_back("current " + std::to_string(c.X) + "," + std::to_string(c.Y));
    }
    TGridRect SelectionRect() override
    {
        const TGridRect r = GridRect(anchor, current);
        return HasOption(goCellMerge) ? WidenToMergedAreas(r) : r;
    }
    TGridMouseState MouseState() const override { return mouseState; }
    void MoveCurrent(int col, int row, bool replace, bool, bool, bool moveAnchor) override
    {
        current = {col, row};
        if (moveAnchor)
            anchor = current;
        log.push_back("move " + std::to_string(col) + "," + std::to_string(row) + (replace ? " replace" : ""));
    }
    void MakeCellVisible(TGridCoord c) override
    {
        log.push_back("visible " + std::to_string(c.X) + "," + std::to_string(c.Y));
    }
    TRect BoxBounds(const TGridRect& r, bool withLines) override
    {
        if (r.Right < r.Left || r.Bottom < r.Top || r.Left >= hiddenFromCol)
            return {};
        TRect b = Box(r);
        if (withLines) {
            ++b.Right;
            ++b.Bottom;
        }
        return b;
    }
    void RepaintRangeChange(const TGridRect& o, const TGridRect& n, bool changeOnly, bool withHeads) override
    {
        log.push_back(std::string(changeOnly ? "change " : "union ") + Str(o) + Str(n) + (withHeads ? " heads" : ""));
    }
    void RepaintAll() override { log.push_back("all"); }
    bool IsDestroying() const override { return destroying; }
    void SelectionNotify(TGridSelection* s, TSelectoinNotification action) override
    {
        log.push_back(std::string(action == snAdded ? "added " : "deleted ") + Kind(s) + Str(s->GetRange()));
    }
    void FillRangeChanged(const TGridRect& s, const TGridRect& t) override { log.push_back("filled " + Str(s) + Str(t)); }
    void MoveRangeChanged(const TGridRect& s, const TGridRect& t) override { log.push_back("moved " + Str(s) + Str(t)); }

    TGridCoord TopLeft() const override { return topLeft; }
    void SetEditorMode(bool on) override { editorMode = on; }
    void SetMouseState(TGridMouseState state) override { mouseState = state; }
    void StartAutoScroll() override { log.push_back("timer"); }
    bool BeforeMoveCurrent(TGridCoord) override { return allowMove; }
    bool QueryRowChange() override { return allowRowChange; }
    void SetCurrentCol(int col) override
    {
        current.X = anchor.X = col;
        log.push_back("col " + std::to_string(col));
    }
    void SetCurrentRow(int row) override
    {
        current.Y = anchor.Y = row;
        log.push_back("row " + std::to_string(row));
    }
    void CurrentMoved(TGridCoord old, TMoveReason) override
    {
        log.push_back("moved from " + std::to_string(old.X) + "," + std::to_string(old.Y));
    }
    void RepaintCell(int col, int row) override
    {
        log.push_back("cell " + std::to_string(col) + "," + std::to_string(row));
    }
};
