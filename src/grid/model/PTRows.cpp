#include "grid/model/PTRows.h"

#include "grid/model/PTOwner.h"

namespace {
bool SameExactly(const TFont& a, const TFont& b)
{
    return a.SameAs(b) && a.Orientation() == b.Orientation();
}
} // namespace

TPTRows::TPTRows(IPTGridOwner* grid) : grid_(grid) {}

TPTRows::~TPTRows()
{
    DestroyItems();
}

std::unique_ptr<TCollectionItem> TPTRows::CreateItem()
{
    return std::make_unique<TPTRow>(this);
}

void TPTRows::Update(TCollectionItem* item)
{
    if (!grid_)
        return;
    if (item)
        grid_->RowChanged(item->Index());
    else
        grid_->RowsChanged();
}

const TFont& TPTRows::SharedFont()
{
    if (!sharedFont_)
        sharedFont_ = std::make_unique<TFont>(grid_ ? grid_->GridFont() : PTDefaultGridFont());
    return *sharedFont_;
}

bool TPTRows::JoinSharedFont(const TFont& gridFont)
{
    if (!sharedFont_)
        sharedFont_ = std::make_unique<TFont>(gridFont);
    else if (sharedUsers_ == 0)
        sharedFont_->Assign(&gridFont);
    if (!SameExactly(*sharedFont_, gridFont))
        return false; // the grid changed its font and has not yet had its cells follow
    ++sharedUsers_;
    return true;
}

void TPTRows::FollowGridFont()
{
    const TFont& gridFont = grid_ ? grid_->GridFont() : PTDefaultGridFont();
    const bool sharedChanges = !TPTCell::SameFont(SharedFont(), gridFont);
    for (int r = 0; r < Count(); ++r) {
        TPTCells* cells = Items(r)->Cells();
        for (int c = 0; c < cells->Count(); ++c)
            cells->Items(c)->FollowFont(gridFont, sharedChanges);
    }
    if (sharedChanges)
        sharedFont_->Assign(&gridFont);
}

TColor TPTRows::SharedColor()
{
    if (!sharedColor_)
        sharedColor_ = grid_ ? grid_->GridColor() : PTDefaultGridColor;
    return *sharedColor_;
}

void TPTRows::FollowGridColor()
{
    const TColor gridColor = grid_ ? grid_->GridColor() : PTDefaultGridColor;
    const TColor oldShared = SharedColor();
    // Moved first, so that a cell reporting its change already shows the new colour.
    sharedColor_ = gridColor;
    for (int r = 0; r < Count(); ++r) {
        TPTCells* cells = Items(r)->Cells();
        for (int c = 0; c < cells->Count(); ++c)
            cells->Items(c)->FollowColor(gridColor, oldShared);
    }
}
