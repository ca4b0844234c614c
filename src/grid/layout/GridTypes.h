#pragma once

// Records, option sets and the error type shared by the whole grid family.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/Object.h"

// Column X, row Y; (-1, -1) is no cell.
struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Cell indices, inclusive on all four sides.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

inline TGridRect GridRect(TGridCoord a, TGridCoord b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

inline bool GridRectContains(const TGridRect& r, int col, int row)
{
    return col >= r.Left && col <= r.Right && row >= r.Top && row <= r.Bottom;
}

enum TGridDrawStateFlag : uint8_t { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = uint8_t;

enum TMoveReason : uint8_t { mrKey, mrMouse, mrProgram };

enum TGridOption : uint8_t {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goMultiSelection,
    goAlwaysShowEditor,
    goThumbTracking,
    goColDblClickMaxWidth,
    goCellMerge,
    goShowRowNo,
    goShowColNo,
    goRowSplit,
    goAdjustLiberty,
    goFixedColorExtent,
    goAutoThemeAdapt,
    goAllowCheckBoxGrayed,
    goBoolClickBoxSwitch,
    goFixedCellEvent,
    goRangeFilling,
    goRangeMoving,
};
using TGridOptions = uint32_t;

constexpr TGridOptions GridOption(TGridOption o) { return TGridOptions(1) << o; }
// The two axes. Algorithms that treat columns and rows alike are written once
// and take the axis; a coordinate's column or row is read through it.
enum TGridAxis : uint8_t { gaCols, gaRows };
inline int& AxisPart(TGridCoord& c, TGridAxis axis) { return axis == gaRows ? c.Y : c.X; }
inline int AxisPart(const TGridCoord& c, TGridAxis axis) { return axis == gaRows ? c.Y : c.X; }

inline bool HasOption(TGridOptions set, TGridOption o) { return (set & GridOption(o)) != 0; }

constexpr TGridOptions DefaultGridOptions =
    GridOption(goFixedVertLine) | GridOption(goFixedHorzLine) | GridOption(goVertLine) | GridOption(goHorzLine) |
    GridOption(goRangeSelect) | GridOption(goColSizing) | GridOption(goColMoving) | GridOption(goEditing) |
    GridOption(goTabs) | GridOption(goThumbTracking) | GridOption(goColDblClickMaxWidth) |
    GridOption(goAutoThemeAdapt) | GridOption(goAllowCheckBoxGrayed) | GridOption(goBoolClickBoxSwitch);
static_assert(DefaultGridOptions == 58822303);

enum TGridOptionEx : uint8_t { goAllowSelectRow, goAllowSelectCol, goAllowSelectAll, goHideEditOnExit, goReturnKeyAsTab };
using TGridOptionExs = uint8_t;

constexpr TGridOptionExs GridOptionEx(TGridOptionEx o) { return TGridOptionExs(1u << o); }
inline bool HasOptionEx(TGridOptionExs set, TGridOptionEx o) { return (set & GridOptionEx(o)) != 0; }

// What a pressed mouse button is doing; the numeric order is relied on
// (2..3 sizing, 4..5 moving, 8..9 range operations).
enum TGridMouseState : uint8_t {
    gmsNone,
    gmsSelecting,
    gmsRowResizing,
    gmsColResizing,
    gmsRowMoving,
    gmsColMoving,
    gmsColSelecting,
    gmsRowSelecting,
    gmsRangeFilling,
    gmsRangeMoving,
};

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// Names of the members as the stored definitions write them; entry i is bit i.
const std::vector<std::string>& GridOptionNames();
const std::vector<std::string>& GridOptionExNames();

class EGridException : public Exception {
    using Exception::Exception;
};

namespace grid_errors {
inline constexpr const char* IndexOutOfRange = "Grid index out of range";
inline constexpr const char* TooManyDeleted = "Too many rows or columns deleted";
inline constexpr const char* TooLarge = "Grid too large for operation";
inline constexpr const char* FixedColsTooBig = "Fixed column count must be less than column count";
inline constexpr const char* FixedRowsTooBig = "Fixed row count must be less than row count";
} // namespace grid_errors

// The most columns, and the most rows, a grid holds. Many walks (key moves,
// selections, the view grid's per-column data) are linear in the count, so a
// larger grid could not be served while the user waits.
inline constexpr int MaxGridCellCount = 1000000;

// Refuses a column or row count above MaxGridCellCount with an error naming the limit.
inline void CheckGridCellCount(int64_t count, bool rows)
{
    if (count > MaxGridCellCount)
        throw EGridException("A grid holds at most " + std::to_string(MaxGridCellCount) +
                             (rows ? " rows, not " : " columns, not ") + std::to_string(count));
}
