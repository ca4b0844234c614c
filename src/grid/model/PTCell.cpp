#include "grid/model/PTCell.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "grid/model/PTCells.h"
#include "grid/model/PTOwner.h"
#include "grid/model/PTRow.h"
#include "grid/model/PTRows.h"
#include "platform/base/AppContext.h"

struct TPTCell::Extra {
    std::unique_ptr<TFont> font; // the cell's own font object, once it has one
    QString displayFormat;
    QString comment;
    int32_t data = 0;
    int32_t tag = 0;
    int32_t imageIndex = -1;
    uint8_t rightLine = 0;
    uint8_t bottomLine = 0;
    uint8_t diagonal = 0;
    uint8_t antiDiagonal = 0;

    bool HoldsOnlyDefaults() const
    {
        return !font && displayFormat.isEmpty() && comment.isEmpty() && data == 0 && tag == 0 &&
               imageIndex == -1 && rightLine == 0 && bottomLine == 0 && diagonal == 0 && antiDiagonal == 0;
    }
};

namespace {

// Fixed-size blocks carved from slabs, so that a cell costs its own size and no
// allocator header. All slabs but one go back once no cell is left. Slabs are
// aligned to their size and start with their pool, so a cell goes back to the
// pool it came from even after the application context has let that pool go:
// a pool let go with cells still alive frees itself with its last cell.
// User-interface thread only, like the grid.
class CellPool {
public:
    CellPool() = default;
    CellPool(const CellPool&) = delete;
    CellPool& operator=(const CellPool&) = delete;
    ~CellPool()
    {
        for (void* slab : slabs_)
            std::free(slab);
    }

    static CellPool* Owner(void* block)
    {
        const auto slab = reinterpret_cast<uintptr_t>(block) & ~uintptr_t(kSlabBytes - 1);
        return *reinterpret_cast<CellPool**>(slab);
    }

    void* Allocate()
    {
        if (!free_)
            Grow();
        void* p = free_;
        free_ = *static_cast<void**>(p);
        ++live_;
        return p;
    }

    void Release(void* p)
    {
        *static_cast<void**>(p) = free_;
        free_ = p;
        if (--live_ > 0)
            return;
        if (abandoned_)
            delete this;
        else if (slabs_.size() > 1)
            Shrink();
    }

    void Abandon()
    {
        if (live_ == 0)
            delete this;
        else
            abandoned_ = true;
    }

private:
    static constexpr size_t kBlock = sizeof(TPTCell);
    // Small enough that an aligned slab still comes from the heap, not a mapping.
    static constexpr size_t kSlabBytes = 32768;
    // The first block of a slab holds its pool.
    static constexpr size_t kPerSlab = kSlabBytes / kBlock - 1;
    static_assert(sizeof(CellPool*) <= kBlock);

    void Grow()
    {
        void* slab = std::aligned_alloc(kSlabBytes, kSlabBytes);
        if (!slab)
            throw std::bad_alloc();
        *static_cast<CellPool**>(slab) = this;
        slabs_.push_back(slab);
        Thread(slab);
    }

    void Thread(void* slab)
    {
        auto* bytes = static_cast<char*>(slab) + kBlock;
        for (size_t i = kPerSlab; i-- > 0;) {
            *reinterpret_cast<void**>(bytes + i * kBlock) = free_;
            free_ = bytes + i * kBlock;
        }
    }

    void Shrink()
    {
        for (size_t i = 1; i < slabs_.size(); ++i)
            std::free(slabs_[i]);
        slabs_.resize(1);
        slabs_.shrink_to_fit();
        free_ = nullptr;
        Thread(slabs_[0]);
    }

    std::vector<void*> slabs_;
    void* free_ = nullptr;
    size_t live_ = 0;
    bool abandoned_ = false;
};

// What the PT cells keep in the application context.
struct CellState {
    CellPool* pool = new CellPool;
    TFont defaultFont;
    CellState() = default;
    CellState(const CellState&) = delete;
    CellState& operator=(const CellState&) = delete;
    ~CellState() { pool->Abandon(); }
};

CellState& CellContext()
{
    return AppContext().State<CellState>();
}

} // namespace

static_assert(sizeof(TPTCell) <= 64, "a cell that follows the grid must stay within one cache line");

const TFont& PTDefaultGridFont()
{
    return CellContext().defaultFont;
}

void* TPTCell::operator new(std::size_t size)
{
    if (size != sizeof(TPTCell))
        return ::operator new(size);
    return CellContext().pool->Allocate();
}

void TPTCell::operator delete(void* p, std::size_t size)
{
    if (!p)
        return;
    if (size != sizeof(TPTCell)) {
        ::operator delete(p);
        return;
    }
    CellPool::Owner(p)->Release(p);
}

TPTCell::TPTCell(TPTCells* cells) : TCollectionItem(cells)
{
    const TFont& gridFont = GridFontOrDefault();
    TPTRows* rows = OwningRows();
    if (rows ? !rows->JoinSharedFont(gridFont) : !SameFont(gridFont, PTDefaultGridFont()))
        MakeOwnFont(gridFont);
    color_ = GridColorOrDefault();
    if (IPTGridOwner* grid = Grid()) {
        try {
            grid->CellCreated(this);
        } catch (...) {
            if (rows && !HasOwnFont())
                rows->LeaveSharedFont();
            throw;
        }
    }
}

TPTCell::~TPTCell()
{
    if (IPTGridOwner* grid = Grid()) {
        // A destructor cannot pass on the grid's failure.
        try {
            grid->CellDestroyed(this);
        } catch (...) {
        }
    }
    if (!HasOwnFont())
        if (TPTRows* rows = OwningRows())
            rows->LeaveSharedFont();
}

TPTCells* TPTCell::Cells() const
{
    return static_cast<TPTCells*>(Collection());
}

TPTRow* TPTCell::Row() const
{
    TPTCells* cells = Cells();
    return cells ? cells->Row() : nullptr;
}

TPTRows* TPTCell::OwningRows() const
{
    TPTRow* row = Row();
    return row ? row->Rows() : nullptr;
}

IPTGridOwner* TPTCell::Grid() const
{
    TPTRows* rows = OwningRows();
    return rows ? rows->Grid() : nullptr;
}

const TFont& TPTCell::GridFontOrDefault() const
{
    IPTGridOwner* grid = Grid();
    return grid ? grid->GridFont() : PTDefaultGridFont();
}

TColor TPTCell::GridColorOrDefault() const
{
    IPTGridOwner* grid = Grid();
    return grid ? grid->GridColor() : PTDefaultGridColor;
}

bool TPTCell::HasOwnFont() const
{
    return extra_ && extra_->font;
}

TPTCell::Extra& TPTCell::Extras()
{
    if (!extra_)
        extra_ = std::make_unique<Extra>();
    return *extra_;
}

void TPTCell::MakeOwnFont(const TFont& from)
{
    // Connected after the copy, so that the copy is no edit.
    auto font = std::make_unique<TFont>(from);
    font->OnChange = TNotifyEvent([this](TObject*) { FontChanged(); });
    Extras().font = std::move(font);
}

const TFont& TPTCell::FontValue() const
{
    if (HasOwnFont())
        return *extra_->font;
    TPTRows* rows = OwningRows();
    return rows ? rows->SharedFont() : PTDefaultGridFont();
}

TFont* TPTCell::Font()
{
    if (!HasOwnFont()) {
        const TFont& shown = FontValue();
        TPTRows* rows = OwningRows();
        MakeOwnFont(shown);
        if (rows)
            rows->LeaveSharedFont();
    }
    return extra_->font.get();
}

void TPTCell::SetFontValue(const TFont& font)
{
    if (!HasOwnFont()) {
        const TFont& shown = FontValue();
        if (SameFont(shown, font) && shown.Orientation() == font.Orientation())
            return;
        Font();
    }
    syncingFont_ = true;
    extra_->font->Assign(&font);
    syncingFont_ = false;
}

void TPTCell::FontChanged()
{
    if (syncingFont_)
        return;
    parentFont_ = false;
    Changed(false);
}

void TPTCell::SetFont(const TFont* font)
{
    if (!font)
        throw EConvertError("Cannot assign a nil to a TFont");
    if ((HasOwnFont() && font == extra_->font.get()) || SameFont(*font, FontValue()))
        return;
    SetFontValue(*font);
    parentFont_ = false;
    Changed(false);
}

void TPTCell::SetParentFont(bool parentFont)
{
    if (parentFont == parentFont_)
        return;
    parentFont_ = parentFont;
    if (parentFont)
        SetFontValue(GridFontOrDefault());
}

void TPTCell::FollowFont(const TFont& gridFont, bool sharedFontChanges)
{
    if (!HasOwnFont()) {
        if (!sharedFontChanges)
            return;
        if (parentFont_) {
            Changed(false);
        } else {
            // Keeps the look it has while the shared font moves on.
            Font();
        }
        return;
    }
    if (parentFont_ && !SameFont(*extra_->font, gridFont)) {
        SetFontValue(gridFont);
        Changed(false);
    }
}

void TPTCell::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    parentColor_ = false;
    Changed(false);
}

void TPTCell::SetParentColor(bool parentColor)
{
    if (parentColor == parentColor_)
        return;
    parentColor_ = parentColor;
    if (parentColor)
        color_ = GridColorOrDefault();
}

void TPTCell::FollowColor(TColor gridColor)
{
    if (parentColor_ && color_ != gridColor) {
        color_ = gridColor;
        Changed(false);
    }
}

void TPTCell::SetValue(const QString& value)
{
    // Exact comparison: a change of case is a change.
    if (Exchange(value_, value))
        Changed(false);
}

int32_t TPTCell::Data() const
{
    return extra_ ? extra_->data : 0;
}

void TPTCell::SetData(int32_t data)
{
    if (data != Data())
        Extras().data = data;
}

void TPTCell::SetMergeID(uint32_t id)
{
    if (Exchange(mergeID_, id))
        Changed(false);
}

namespace {
const QString& EmptyText()
{
    static const QString empty;
    return empty;
}
} // namespace

const QString& TPTCell::DisplayFormat() const
{
    return extra_ ? extra_->displayFormat : EmptyText();
}

void TPTCell::SetDisplayFormat(const QString& format)
{
    if (format == DisplayFormat())
        return;
    Extras().displayFormat = format;
    Changed(false);
}

void TPTCell::SetStyle(TCellStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    Changed(false);
}

uint8_t TPTCell::RightBoundLineWidth() const
{
    return extra_ ? extra_->rightLine : 0;
}

void TPTCell::SetRightBoundLineWidth(uint8_t width)
{
    if (width == RightBoundLineWidth())
        return;
    Extras().rightLine = width;
    Changed(false);
}

uint8_t TPTCell::BottomBoundLineWidth() const
{
    return extra_ ? extra_->bottomLine : 0;
}

void TPTCell::SetBottomBoundLineWidth(uint8_t width)
{
    if (width == BottomBoundLineWidth())
        return;
    Extras().bottomLine = width;
    Changed(false);
}

void TPTCell::SetHorzAlignment(THorzAlignment alignment)
{
    if (alignment == horz_)
        return;
    horz_ = alignment;
    Changed(false);
}

void TPTCell::SetVertAlignment(TVertAlignment alignment)
{
    if (alignment == vert_)
        return;
    vert_ = alignment;
    Changed(false);
}

uint8_t TPTCell::AntiDiagonalWidth() const
{
    return extra_ ? extra_->antiDiagonal : 0;
}

void TPTCell::SetAntiDiagonalWidth(uint8_t width)
{
    if (width == AntiDiagonalWidth())
        return;
    Extras().antiDiagonal = width;
    Changed(false);
}

uint8_t TPTCell::DiagonalWidth() const
{
    return extra_ ? extra_->diagonal : 0;
}

void TPTCell::SetDiagonalWidth(uint8_t width)
{
    if (width == DiagonalWidth())
        return;
    Extras().diagonal = width;
    Changed(false);
}

void TPTCell::SetDataType(TCellDataType type)
{
    if (Exchange(dataType_, type))
        Changed(false);
}

int32_t TPTCell::ImageIndex() const
{
    return extra_ ? extra_->imageIndex : -1;
}

void TPTCell::SetImageIndex(int32_t index)
{
    if (index != ImageIndex())
        Extras().imageIndex = index;
}

const QString& TPTCell::Comment() const
{
    return extra_ ? extra_->comment : EmptyText();
}

void TPTCell::SetComment(const QString& comment)
{
    if (comment != Comment())
        Extras().comment = comment;
}

int32_t TPTCell::Tag() const
{
    return extra_ ? extra_->tag : 0;
}

void TPTCell::SetTag(int32_t tag)
{
    if (tag != Tag())
        Extras().tag = tag;
}

bool TPTCell::IsFontStored() const
{
    return !parentFont_ && !SameFont(FontValue(), GridFontOrDefault());
}

bool TPTCell::IsColorStored() const
{
    return !parentColor_ && color_ != GridColorOrDefault();
}

QString TPTCell::DisplayName() const
{
    return value_.isEmpty() ? TCollectionItem::DisplayName() : value_;
}

void TPTCell::Assign(const TPersistent* source)
{
    if (source == this)
        return;
    auto* src = dynamic_cast<const TPTCell*>(source);
    if (!src) {
        TCollectionItem::Assign(source);
        return;
    }
    color_ = src->color_;
    SetFontValue(src->FontValue());
    value_ = src->value_;
    mergeID_ = src->mergeID_;
    parentFont_ = src->parentFont_;
    parentColor_ = src->parentColor_;
    dataType_ = src->dataType_;
    horz_ = src->horz_;
    vert_ = src->vert_;
    style_ = src->style_;
    imageLayout_ = src->imageLayout_;
    handleSymbol_ = src->handleSymbol_;
    showComment_ = src->showComment_;
    if (src->extra_ || extra_) {
        Extra& e = Extras();
        const Extra defaults;
        const Extra& s = src->extra_ ? *src->extra_ : defaults;
        e.displayFormat = s.displayFormat;
        e.comment = s.comment;
        e.data = s.data;
        e.tag = s.tag;
        e.imageIndex = s.imageIndex;
        e.rightLine = s.rightLine;
        e.bottomLine = s.bottomLine;
        e.diagonal = s.diagonal;
        e.antiDiagonal = s.antiDiagonal;
        if (e.HoldsOnlyDefaults())
            extra_.reset();
    }
    Changed(false);
}
