#include "grid/model/PTCell.h"

#include <memory>
#include <optional>
#include <unordered_map>

#include "grid/model/PTCells.h"
#include "grid/model/PTOwner.h"
#include "grid/model/PTRow.h"
#include "grid/model/PTRows.h"
#include "grid/model/PTSlabPool.h"
#include "platform/base/AppContext.h"

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
        return !font && !color && mergeID == 0 && displayFormat.isEmpty() && comment.isEmpty() && data == 0 &&
               tag == 0 && imageIndex == -1 && rightLine == 0 && bottomLine == 0 && diagonal == 0 && antiDiagonal == 0;
    }
};

namespace {

// The pool also keeps its cells' rare fields, keyed by cell: few cells have
// any, so a table costs less than a pointer in every cell.
using CellExtras = std::unordered_map<const TPTCell*, TPTCellExtra>;
using CellPool = TPTSlabPool<sizeof(TPTCell), CellExtras>;

CellExtras& ExtrasTable(const TPTCell* cell)
{
    return CellPool::Owner(cell)->side;
}

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
                ExtrasTable(this).erase(this);
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
        ExtrasTable(this).erase(this);
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
    if (!hasExtras_)
        return nullptr;
    const CellExtras& table = ExtrasTable(this);
    auto it = table.find(this);
    return it == table.end() ? nullptr : &it->second;
}

TPTCellExtra& TPTCell::Extras()
{
    hasExtras_ = true;
    // Node-based, so a block stays where it is while others come and go.
    return ExtrasTable(this)[this];
}

void TPTCell::DropExtrasIfDefault()
{
    const TPTCellExtra* extra = Rare();
    if (extra && extra->HoldsOnlyDefaults()) {
        ExtrasTable(this).erase(this);
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
