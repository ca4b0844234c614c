#pragma once

// The four kinds of selection a grid keeps: a cell range, a run of whole rows,
// a run of whole columns, or everything. Row, column and full selections read
// the grid's counts whenever asked, so they follow count changes.

#include <memory>

#include "grid/layout/GridTypes.h"
#include "platform/base/Types.h"

class TSelections;

class TGridSelection {
public:
    virtual ~TGridSelection() = default;

    virtual TGridRect GetRange() const = 0;
    // The 6 x 6 grip, given the pixel rectangle of the range.
    virtual TRect HandleRect(const TRect& bounds) const;
    virtual bool CoversLine(int col, int row) const = 0;
    virtual std::unique_ptr<TGridSelection> Clone() const = 0;
    virtual bool Contains(TGridCoord cell) const;

    TSelections* Owner() const { return FOwner; }
    void SetOwner(TSelections* owner) { FOwner = owner; }

protected:
    TGridSelection() = default;
    TGridSelection(const TGridSelection&) = default;
    TGridSelection& operator=(const TGridSelection&) = default;

    // The grid's counts are only known through the owner; a kind that needs
    // them fails clearly when it has none yet.
    class ISelectionHost& Grid() const;

private:
    TSelections* FOwner = nullptr;
};

class TRangeSelection : public TGridSelection {
public:
    explicit TRangeSelection(const TGridRect& range);

    TGridRect GetRange() const override;
    bool CoversLine(int col, int row) const override;
    std::unique_ptr<TGridSelection> Clone() const override;

    // As given (normalised), before any widening to merged areas.
    const TGridRect& Range() const { return FRange; }

private:
    TGridRect FRange;
};

class TRowSelection : public TGridSelection {
public:
    TRowSelection(int row1, int row2);

    TGridRect GetRange() const override;
    TRect HandleRect(const TRect& bounds) const override;
    bool CoversLine(int col, int row) const override;
    std::unique_ptr<TGridSelection> Clone() const override;

    int FirstRow() const { return FFirstRow; }
    int LastRow() const { return FLastRow; }
    void SetRows(int row1, int row2);

private:
    int FFirstRow;
    int FLastRow;
};

class TColSelection : public TGridSelection {
public:
    TColSelection(int col1, int col2);

    TGridRect GetRange() const override;
    TRect HandleRect(const TRect& bounds) const override;
    bool CoversLine(int col, int row) const override;
    std::unique_ptr<TGridSelection> Clone() const override;

    int FirstCol() const { return FFirstCol; }
    int LastCol() const { return FLastCol; }

private:
    int FFirstCol;
    int FLastCol;
};

class TFullSelection : public TGridSelection {
public:
    TFullSelection() = default;

    TGridRect GetRange() const override;
    bool CoversLine(int col, int row) const override;
    std::unique_ptr<TGridSelection> Clone() const override;
};
