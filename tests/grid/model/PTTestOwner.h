#pragma once

// A stand-in for the PT grid: records what the model tells it.

#include <string>
#include <vector>

#include "grid/model/PTOwner.h"
#include "grid/model/PTRows.h"

class PTTestOwner : public IPTGridOwner {
public:
    PTTestOwner()
    {
        font.SetName(QStringLiteral("宋体"));
        font.SetSize(9);
    }
    // Cases derive from it to make the grid fail.
    virtual ~PTTestOwner() = default;

    const TFont& GridFont() const override { return font; }
    TColor GridColor() const override { return color; }
    void CellCreated(TPTCell* cell) override
    {
        created.push_back(cell);
        log.push_back("created");
    }
    void CellDestroyed(TPTCell* cell) override
    {
        destroyed.push_back(cell);
        // The cell must still be complete and in its row.
        log.push_back("destroyed " + cell->Value().toStdString() + "@" + std::to_string(cell->Index()));
    }
    void RowChanged(int row) override { log.push_back("row " + std::to_string(row)); }
    void RowsChanged() override { log.push_back("rows"); }
    void ExpandCollapse(int row, bool expand) override
    {
        log.push_back("walk " + std::to_string(row) + (expand ? " expand" : " collapse") + " was " +
                      (rows.Items(row)->Expand() ? "expanded" : "collapsed"));
    }

    void Fill(int rowCount, int colCount)
    {
        for (int r = 0; r < rowCount; ++r) {
            TPTRow* row = rows.Add();
            for (int c = 0; c < colCount; ++c)
                row->Cells()->Add();
        }
    }
    TPTCell* Cell(int col, int row) { return rows.Items(row)->Cells()->Items(col); }

    TFont font;
    TColor color = clWindow;
    std::vector<std::string> log;
    std::vector<TPTCell*> created;
    std::vector<TPTCell*> destroyed;
    TPTRows rows{this}; // last, so it goes first and still finds the log
};
