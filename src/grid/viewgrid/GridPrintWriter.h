#pragma once

// A PT grid on paper: every row, not only those in view, page after page with
// the head rows (and fixed columns) on each page. The grid's own painting
// draws each page through the canvas's vector back end: a copy of the grid,
// sized to the page and scrolled to the page's first row, paints onto the
// printer, so the screen's grid is left as it is. Fitted, a grid wider than
// the page is shrunk to its width; at a chosen scale a grid wider than the
// page goes on over pages across, left to right and then down, as the chart
// does. The head columns (fixed columns) repeat on each page across as the
// head rows repeat down, unless they take more than half the page's width:
// then they are printed on the first page across only. Rows under a collapsed
// tree row are printed too.

#include <memory>
#include <vector>

#include "platform/controls/dialogs/DrawingPrinter.h"

class TTavikPTGrid;

class TGridPrintWriter {
public:
    // The grid's content is copied now; later changes to it are not printed.
    explicit TGridPrintWriter(TTavikPTGrid& grid);
    ~TGridPrintWriter();

    // Lays the grid out on pages of width x height logical pixels, fitted or
    // at a chosen scale; returns the page count. Each page starts at a row and
    // a column and shows the rows and columns that fit whole (one larger than
    // a page gets a page of its own, cut off).
    int Paginate(double pageWidth, double pageHeight, const TPrintScaling& scaling = {});
    // The first data row of each band of pages down, after Paginate.
    const std::vector<int>& PageRows() const { return pageRows_; }
    // The first data column of each page across (one page when fitted).
    std::vector<int> PageCols() const;
    int PagesAcross() const { return int(across_.size()); }
    // Whether the head columns are on every page across.
    bool HeadColumnsRepeat() const { return headColumnsRepeat_; }
    // The scale the pages show the grid at: fitted, what shrinks it to the
    // page's width (at most 1); otherwise the chosen one.
    double Scale() const { return scale_; }
    // The grid's whole width in pixels.
    int FullWidth() const { return fullWidth_; }
    // Paints page `page` (after Paginate; left to right, then down) from the
    // canvas's origin.
    void PaintPage(TCanvas& canvas, int page);

    // Paginates for the printer's page at the printer's scaling and prints
    // every page. Returns false when progress cancelled; throws EFileError
    // when printing fails.
    bool Print(TDrawingPrinter& printer, const TProgressHook& progress = {});

private:
    // A page across: its first data column, the grid's width for it, where
    // the whole columns end, and how far it is moved left (the head columns'
    // width when they are left out).
    struct Across {
        int col = 0;
        int width = 0;
        int right = 0;
        int shift = 0;
    };
    void PaginateColumns(int pageWidth, int height);

    std::unique_ptr<TTavikPTGrid> copy_;
    QString title_;
    std::vector<int> pageRows_;
    std::vector<int> pageBottoms_;
    std::vector<Across> across_;
    int pageHeight_ = 1;
    double scale_ = 1;
    int fullWidth_ = 0;
    bool headColumnsRepeat_ = true;
};
