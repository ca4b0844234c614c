#include "grid/viewgrid/GridPrintWriter.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "grid/core/paint/GridPainter.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/canvas/Canvas.h"

namespace {

// Wide enough that every column of a grid lies in view.
constexpr int kUnboundedExtent = INT_MAX / 4;

// Paper shows the rows under a collapsed tree row too, as the CSV export
// writes them: they get back the height they had before they were hidden.
void OpenCollapsedRows(TTavikPTGrid& from, TTavikPTGrid& to)
{
    if (!from.IsTreeGrid() || from.LevelCol() < 0)
        return;
    const int rows = std::min(from.RowCount(), from.Rows()->Count());
    for (int r = 0; r < std::min(rows, to.Rows()->Count()); ++r)
        to.Rows()->Items(r)->SetExpand(true);
    // The tree rows above the present one: their levels and whether they are open.
    std::vector<std::pair<int, bool>> path;
    int closedAbove = 0;
    for (int r = from.FixedRows(); r < rows; ++r) {
        const int level = from.RowLevel(r);
        while (!path.empty() && path.back().first >= level) {
            closedAbove -= path.back().second ? 0 : 1;
            path.pop_back();
        }
        if (closedAbove > 0 && to.GetRowHeight(r) == 0) {
            const int saved = from.Rows()->Items(r)->SavedHeight();
            to.SetRowHeights(r, saved > 0 ? saved : to.DefaultRowHeight());
        }
        const bool open = from.RowExpanded(r);
        path.emplace_back(level, open);
        closedAbove += open ? 0 : 1;
    }
    to.TreeShapeChanged();
}

} // namespace

TGridPrintWriter::TGridPrintWriter(TTavikPTGrid& grid) : copy_(std::make_unique<TTavikPTGrid>(nullptr)), title_(grid.Name())
{
    grid.AssignTo(copy_.get());
    copy_->SetIsTree(grid.IsTreeGrid());
    OpenCollapsedRows(grid, *copy_);
    copy_->SetImages(grid.Images());
    copy_->SetOptionExs(grid.OptionExs());
    copy_->SetGridLineWidth(grid.GridLineWidth());
    copy_->SetGridLineColor(grid.GridLineColor());
    copy_->SetBoundLineColor(grid.BoundLineColor());
    copy_->SetFlat(grid.Flat());
    copy_->SetBorderStyle(bsNone);
    copy_->SetScrollBars(ssNone);
    // Paper shows the content, not where the user was working.
    copy_->SetPaintSelection(false);
    copy_->Selections().Clear();
    copy_->SetBounds(0, 0, kUnboundedExtent, 100);
    fullWidth_ = std::max(1, copy_->ComputeLayout().Horz.GridBoundary);
}

TGridPrintWriter::~TGridPrintWriter() = default;

int TGridPrintWriter::Paginate(double pageWidth, double pageHeight, const TPrintScaling& scaling)
{
    pageRows_.clear();
    pageBottoms_.clear();
    across_.clear();
    scale_ = scaling.fitToPage ? std::min(1.0, pageWidth / fullWidth_) : std::clamp(scaling.scale, 0.01, 100.0);
    const int height = std::max(1, int(pageHeight / scale_));
    pageHeight_ = height;
    const int fixedCols = copy_->FixedCols();
    if (scaling.fitToPage) {
        headColumnsRepeat_ = true;
        across_.push_back({fixedCols, fullWidth_, fullWidth_, 0});
    } else {
        PaginateColumns(std::max(1, int(pageWidth / scale_)), height);
    }
    copy_->SetBounds(0, 0, across_.front().width, height);
    const int rows = copy_->RowCount();
    auto nextShown = [&](int row) {
        while (row < rows && copy_->GetRowHeight(row) <= 0)
            ++row;
        return row;
    };
    int top = nextShown(copy_->FixedRows());
    if (top >= rows) {
        // Heads alone still make a page.
        copy_->SetTopLeft(fixedCols, copy_->FixedRows());
        pageRows_.push_back(copy_->FixedRows());
        pageBottoms_.push_back(copy_->ComputeLayout().Vert.FixedBoundary);
        return PagesAcross();
    }
    while (top < rows) {
        copy_->SetTopLeft(fixedCols, top);
        const TGridAxisLayout v = copy_->ComputeLayout().Vert;
        const int last = std::max(top, v.LastFullVisibleCell);
        pageRows_.push_back(top);
        pageBottoms_.push_back(v.FullVisBoundary > v.FixedBoundary ? v.FullVisBoundary : height);
        top = nextShown(last + 1);
    }
    return int(pageRows_.size()) * PagesAcross();
}

void TGridPrintWriter::PaginateColumns(int pageWidth, int height)
{
    const int cols = copy_->ColCount();
    const int firstRow = copy_->FixedRows();
    auto nextShown = [&](int col) {
        while (col < cols && copy_->ColWidths(col) <= 0)
            ++col;
        return col;
    };
    copy_->SetBounds(0, 0, pageWidth, height);
    const int heads = copy_->ComputeLayout().Horz.FixedBoundary;
    headColumnsRepeat_ = heads <= pageWidth / 2;
    int left = nextShown(copy_->FixedCols());
    if (left >= cols) {
        across_.push_back({copy_->FixedCols(), pageWidth, heads, 0});
        return;
    }
    bool first = true;
    while (left < cols) {
        // Pages after the first draw the grid moved left by the heads' width,
        // with that much more room, when the heads are not repeated.
        const int shift = first || headColumnsRepeat_ ? 0 : heads;
        copy_->SetBounds(0, 0, pageWidth + shift, height);
        copy_->SetTopLeft(left, firstRow);
        const TGridAxisLayout h = copy_->ComputeLayout().Horz;
        const bool none = h.FullVisBoundary <= h.FixedBoundary || h.LastFullVisibleCell < left;
        if (none && first && shift == 0 && !headColumnsRepeat_) {
            // Heads wider than the page: they have the first page to themselves.
            across_.push_back({left, pageWidth, pageWidth, 0});
            first = false;
            continue;
        }
        across_.push_back({left, pageWidth + shift, none ? pageWidth + shift : h.FullVisBoundary, shift});
        left = nextShown(std::max(left, h.LastFullVisibleCell) + 1);
        first = false;
    }
}

std::vector<int> TGridPrintWriter::PageCols() const
{
    std::vector<int> cols;
    for (const Across& a : across_)
        cols.push_back(a.col);
    return cols;
}

void TGridPrintWriter::PaintPage(TCanvas& canvas, int page)
{
    const int count = int(pageRows_.size()) * PagesAcross();
    if (page < 0 || page >= count)
        return;
    const Across& a = across_[size_t(page % PagesAcross())];
    const size_t band = size_t(page / PagesAcross());
    copy_->SetBounds(0, 0, a.width, pageHeight_);
    copy_->SetTopLeft(a.col, pageRows_[band]);
    const int saved = canvas.SaveState();
    canvas.MoveWindowOrg(-a.shift, 0);
    canvas.IntersectClipRect({a.shift, 0, a.right, pageBottoms_[band]});
    copy_->Painter().PaintGrid(canvas);
    canvas.RestoreState(saved);
}

bool TGridPrintWriter::Print(TDrawingPrinter& printer, const TProgressHook& progress)
{
    const TDrawingPrinter::TPageArea area = printer.PageArea();
    const int pages = Paginate(area.width, area.height, printer.Scaling());
    return printer.PrintPages(pages, scale_, title_, [this](TCanvas& canvas, int page) { PaintPage(canvas, page); },
                              progress);
}
