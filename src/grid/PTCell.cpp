#include "grid/PTCell.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <unordered_map>
#include <vector>

#include "grid/PTCells.h"
#include "grid/PTOwner.h"
#include "grid/PTRow.h"
#include "grid/PTRows.h"
#include "platform/AppContext.h"

struct TPTCellExtra {
    std::unique_ptr<TFont> font; // the cell's own font object, once it has one
    std::optional<TColor> color; // the cell's own colour, when not its rows' shared one
    uint32_t mergeID = 0;
    QString displayFormat;
    QString comment;
    int32_t data = 0;
    int32_t tag = 0;
    int32_t imageIndex = -1;
    uint8_t rightLine = 0;
    uint8_t bottomLine = 0;
    uint8_t diagonal = 0;
    uint8_t antiDiagonal = 0;

    // Everything but the font and the colour, which the cell copies on its own.
    void AssignFields(const TPTCellExtra& s)
    {
        mergeID = s.mergeID;
        displayFormat = s.displayFormat;
        comment = s.comment;
        data = s.data;
        tag = s.tag;
        imageIndex = s.imageIndex;
        rightLine = s.rightLine;
        bottomLine = s.bottomLine;
        diagonal = s.diagonal;
        antiDiagonal = s.antiDiagonal;
    }

    bool HoldsOnlyDefaults() const
    {
        return !font && !color && mergeID == 0 && displayFormat.isEmpty() && comment.isEmpty() && data == 0 && tag == 0 &&
               imageIndex == -1 && rightLine == 0 && bottomLine == 0 && diagonal == 0 && antiDiagonal == 0;
    }
};

namespace {

// Fixed-size blocks carved from slabs, so that a cell costs its own size and no
// allocator header. The pool also keeps its cells' rare fields, keyed by cell:
// few cells have any, so a table beats a pointer in every cell. All slabs but one go back once no cell is left. Slabs are
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

    static CellPool* Owner(const void* block)
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

    TPTCellExtra* FindExtra(const TPTCell* cell)
    {
        auto it = extras_.find(cell);
        return it == extras_.end() ? nullptr : &it->second;
    }
    // Node-based, so a block stays where it is while others come and go.
    TPTCellExtra& MakeExtra(const TPTCell* cell) { return extras_[cell]; }
    void DropExtra(const TPTCell* cell) { extras_.erase(cell); }

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
    std::unordered_map<const TPTCell*, TPTCellExtra> extras_;
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

static_assert(sizeof(TPTCell) <= 48, "a cell that follows the grid is its base and its value");

const TFont& PTDefaultGridFont()
{
    return CellContext().defaultFont;
}

void* TPTCell::operator new(std::size_t)
{
    return CellContext().pool->Allocate();
}

void TPTCell::operator delete(void* p, std::size_t)
{
    if (p)
        CellPool::Owner(p)->Release(p);
}

TPTCell::TPTCell(TPTCells* cells) : TCollectionItem(cells)
{
    const TFont& gridFont = GridFontOrDefault();
    TPTRows* rows = OwningRows();
    if (rows ? !rows->JoinSharedFont(gridFont) : !SameFont(gridFont, PTDefaultGridFont()))
        MakeOwnFont(gridFont);
    SetColorValue(GridColorOrDefault());
    if (IPTGridOwner* grid = Grid()) {
        try {
            grid->CellCreated(this);
        } catch (...) {
            if (rows && !HasOwnFont())
                rows->LeaveSharedFont();
            if (hasExtras_)
                CellPool::Owner(this)->DropExtra(this);
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
    if (hasExtras_)
        CellPool::Owner(this)->DropExtra(this);
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

TColor TPTCell::SharedColor() const
{
    TPTRows* rows = OwningRows();
    return rows ? rows->SharedColor() : PTDefaultGridColor;
}

const TPTCellExtra* TPTCell::Rare() const
{
    return hasExtras_ ? CellPool::Owner(this)->FindExtra(this) : nullptr;
}

TPTCellExtra& TPTCell::Extras()
{
    hasExtras_ = true;
    return CellPool::Owner(this)->MakeExtra(this);
}

void TPTCell::DropExtrasIfDefault()
{
    const TPTCellExtra* extra = Rare();
    if (extra && extra->HoldsOnlyDefaults()) {
        CellPool::Owner(this)->DropExtra(this);
        hasExtras_ = false;
    }
}

bool TPTCell::HasOwnFont() const
{
    const TPTCellExtra* extra = Rare();
    return extra && extra->font;
}

bool TPTCell::HasOwnColor() const
{
    const TPTCellExtra* extra = Rare();
    return extra && extra->color;
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
    if (const TPTCellExtra* extra = Rare(); extra && extra->font)
        return *extra->font;
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
    return Extras().font.get();
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
    Extras().font->Assign(&font);
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
    if ((HasOwnFont() && font == Rare()->font.get()) || SameFont(*font, FontValue()))
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
    const TPTCellExtra* extra = Rare();
    if (!extra || !extra->font) {
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
    if (parentFont_ && !SameFont(*extra->font, gridFont)) {
        SetFontValue(gridFont);
        Changed(false);
    }
}

TColor TPTCell::Color() const
{
    if (const TPTCellExtra* extra = Rare(); extra && extra->color)
        return *extra->color;
    return SharedColor();
}

void TPTCell::SetColorValue(TColor color)
{
    if (color != SharedColor()) {
        Extras().color = color;
    } else if (HasOwnColor()) {
        Extras().color.reset();
        DropExtrasIfDefault();
    }
}

void TPTCell::SetColor(TColor color)
{
    if (color == Color())
        return;
    SetColorValue(color);
    parentColor_ = false;
    Changed(false);
}

void TPTCell::SetParentColor(bool parentColor)
{
    if (parentColor == parentColor_)
        return;
    parentColor_ = parentColor;
    if (parentColor)
        SetColorValue(GridColorOrDefault());
}

void TPTCell::FollowColor(TColor gridColor, TColor oldShared)
{
    if (!HasOwnColor()) {
        if (oldShared == gridColor)
            return;
        if (parentColor_)
            Changed(false);
        else
            Extras().color = oldShared; // keeps the look it has while the shared colour moves on
        return;
    }
    if (!parentColor_)
        return;
    const bool changes = Color() != gridColor;
    SetColorValue(gridColor); // now the shared colour: the cell's own goes
    if (changes)
        Changed(false);
}

void TPTCell::SetValue(const QString& value)
{
    // Exact comparison: a change of case is a change.
    if (Exchange(value_, value))
        Changed(false);
}

int32_t TPTCell::Data() const
{
    const TPTCellExtra* extra = Rare();
    return extra ? extra->data : 0;
}

void TPTCell::SetData(int32_t data)
{
    if (data != Data())
        Extras().data = data;
}

uint32_t TPTCell::MergeID() const
{
    const TPTCellExtra* extra = Rare();
    return extra ? extra->mergeID : 0;
}

void TPTCell::SetMergeID(uint32_t id)
{
    if (id == MergeID())
        return;
    Extras().mergeID = id;
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
    const TPTCellExtra* extra = Rare();
    return extra ? extra->displayFormat : EmptyText();
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
    const TPTCellExtra* extra = Rare();
    return extra ? extra->rightLine : 0;
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
    const TPTCellExtra* extra = Rare();
    return extra ? extra->bottomLine : 0;
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
    const TPTCellExtra* extra = Rare();
    return extra ? extra->antiDiagonal : 0;
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
    const TPTCellExtra* extra = Rare();
    return extra ? extra->diagonal : 0;
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
    const TPTCellExtra* extra = Rare();
    return extra ? extra->imageIndex : -1;
}

void TPTCell::SetImageIndex(int32_t index)
{
    if (index != ImageIndex())
        Extras().imageIndex = index;
}

const QString& TPTCell::Comment() const
{
    const TPTCellExtra* extra = Rare();
    return extra ? extra->comment : EmptyText();
}

void TPTCell::SetComment(const QString& comment)
{
    if (comment != Comment())
        Extras().comment = comment;
}

int32_t TPTCell::Tag() const
{
    const TPTCellExtra* extra = Rare();
    return extra ? extra->tag : 0;
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
    return !parentColor_ && Color() != GridColorOrDefault();
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
    SetColorValue(src->Color());
    SetFontValue(src->FontValue());
    value_ = src->value_;
    parentFont_ = src->parentFont_;
    parentColor_ = src->parentColor_;
    dataType_ = src->dataType_;
    horz_ = src->horz_;
    vert_ = src->vert_;
    style_ = src->style_;
    imageLayout_ = src->imageLayout_;
    handleSymbol_ = src->handleSymbol_;
    showComment_ = src->showComment_;
    if (const TPTCellExtra* s = src->Rare()) {
        Extras().AssignFields(*s);
    } else if (hasExtras_) {
        Extras().AssignFields(TPTCellExtra{});
        DropExtrasIfDefault();
    }
    Changed(false);
}
