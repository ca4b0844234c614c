#pragma once

// A PT grid on paper: every row, not only those in view, page after page with
// the head rows (and fixed columns) on each page. The grid's own painting
// draws each page through the canvas's vector back end: a copy of the grid,
// sized to the page and scrolled to the page's first row, paints onto the
// printer, so the screen's grid is left as it is. A grid wider than the page
// is shrunk to its width; rows under a collapsed tree row are printed too.

#include <memory>
#include <vector>

#include "platform/controls/dialogs/DrawingPrinter.h"

class TTavikPTGrid;

class TGridPrintWriter {
public:
    // The grid's content is copied now; later changes to it are not printed.
    explicit TGridPrintWriter(TTavikPTGrid& grid);
    ~TGridPrintWriter();

    // Lays the rows out on pages of width x height logical pixels; returns the
    // page count. Each page starts at a row and shows the rows that fit whole
    // (a row taller than a page gets a page of its own, cut off).
    int Paginate(double pageWidth, double pageHeight);
    // The first data row of each page after Paginate.
    const std::vector<int>& PageRows() const { return pageRows_; }
    // How much the pages shrink the grid to fit its width (at most 1).
    double Scale() const { return scale_; }
    // The grid's whole width in pixels.
    int FullWidth() const { return fullWidth_; }
    // Paints page `page` (after Paginate) from the canvas's origin.
    void PaintPage(TCanvas& canvas, int page);

    // Paginates for the printer's page and prints every page. Returns false
    // when progress cancelled; throws EFileError when printing fails.
    bool Print(TDrawingPrinter& printer, const TProgressHook& progress = {});

private:
    std::unique_ptr<TTavikPTGrid> copy_;
    QString title_;
    std::vector<int> pageRows_;
    std::vector<int> pageBottoms_;
    double scale_ = 1;
    int fullWidth_ = 0;
};
