#include "grid/viewgrid/GridPrintWriter.h"

#include <algorithm>
#include <climits>
#include <utility>

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

int TGridPrintWriter::Paginate(double pageWidth, double pageHeight)
{
    pageRows_.clear();
    pageBottoms_.clear();
    scale_ = std::min(1.0, pageWidth / fullWidth_);
    const int height = std::max(1, int(pageHeight / scale_));
    copy_->SetBounds(0, 0, fullWidth_, height);
    const int fixedCols = copy_->FixedCols();
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
        return 1;
    }
    while (top < rows) {
        copy_->SetTopLeft(fixedCols, top);
        const TGridAxisLayout v = copy_->ComputeLayout().Vert;
        const int last = std::max(top, v.LastFullVisibleCell);
        pageRows_.push_back(top);
        pageBottoms_.push_back(v.FullVisBoundary > v.FixedBoundary ? v.FullVisBoundary : height);
        top = nextShown(last + 1);
    }
    return int(pageRows_.size());
}

void TGridPrintWriter::PaintPage(TCanvas& canvas, int page)
{
    if (page < 0 || page >= int(pageRows_.size()))
        return;
    copy_->SetTopLeft(copy_->FixedCols(), pageRows_[size_t(page)]);
    canvas.IntersectClipRect({0, 0, fullWidth_, pageBottoms_[size_t(page)]});
    copy_->PaintGrid(canvas);
}

bool TGridPrintWriter::Print(TDrawingPrinter& printer, const TProgressHook& progress)
{
    const TDrawingPrinter::TPageArea area = printer.PageArea();
    const int pages = Paginate(area.width, area.height);
    return printer.PrintPages(pages, scale_, title_, [this](TCanvas& canvas, int page) { PaintPage(canvas, page); },
                              progress);
}
