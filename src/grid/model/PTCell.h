#pragma once

// One cell of the PT grid's content: its value and its look. A grid may hold a
// million cells, so a cell holds only its value and its one-byte fields; the
// fields it rarely needs (own font and colour, merge id, texts other than the
// value, image, tag, bound lines) live in a block its pool makes on first use,
// and a cell that follows the grid shows the font and colour its rows share.

#include <cstddef>
#include <cstdint>

#include <QString>

#include "grid/layout/CellTypes.h"
#include "platform/base/Collection.h"
#include "platform/canvas/text/Font.h"

class IPTGridOwner;
class TPTCells;
class TPTRow;
class TPTRows;
struct TPTCellExtra;

// Final: every cell comes from the pool that also keeps its rare fields.
class TPTCell final : public TCollectionItem {
public:
    explicit TPTCell(TPTCells* cells);
    ~TPTCell() override;

    // Cells come from a shared pool: a grid may hold a million of them.
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size);

    const char* ClassName() const override { return "TPTCell"; }
    // Copies every field from another cell, the font by value; anything else
    // fails with the framework's assignment error.
    void Assign(const TPersistent* source) override;
    QString DisplayName() const override;

    TPTCells* Cells() const;
    TPTRow* Row() const;
    IPTGridOwner* Grid() const;

    TColor Color() const;
    void SetColor(TColor color);
    // The cell's font object; edits made through it count as the cell's own font
    // and clear ParentFont.
    TFont* Font();
    // The font the cell shows, without giving the cell a font object of its own.
    const TFont& FontValue() const;
    void SetFont(const TFont* font);
    const QString& Value() const { return value_; }
    void SetValue(const QString& value);
    int32_t Data() const;
    void SetData(int32_t data);
    uint32_t MergeID() const;
    void SetMergeID(uint32_t id);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);
    const QString& DisplayFormat() const;
    void SetDisplayFormat(const QString& format);
    TCellStyle Style() const { return static_cast<TCellStyle>(style_); }
    void SetStyle(TCellStyle style);
    uint8_t RightBoundLineWidth() const;
    void SetRightBoundLineWidth(uint8_t width);
    uint8_t BottomBoundLineWidth() const;
    void SetBottomBoundLineWidth(uint8_t width);
    THorzAlignment HorzAlignment() const { return static_cast<THorzAlignment>(horz_); }
    void SetHorzAlignment(THorzAlignment alignment);
    TVertAlignment VertAlignment() const { return static_cast<TVertAlignment>(vert_); }
    void SetVertAlignment(TVertAlignment alignment);
    uint8_t AntiDiagonalWidth() const;
    void SetAntiDiagonalWidth(uint8_t width);
    uint8_t DiagonalWidth() const;
    void SetDiagonalWidth(uint8_t width);
    TCellDataType DataType() const { return static_cast<TCellDataType>(dataType_); }
    void SetDataType(TCellDataType type);
    bool HandleSymbol() const { return handleSymbol_; }
    void SetHandleSymbol(bool handle) { handleSymbol_ = handle; }
    int32_t ImageIndex() const;
    void SetImageIndex(int32_t index);
    TCellImageLayout ImageLayout() const { return static_cast<TCellImageLayout>(imageLayout_); }
    void SetImageLayout(TCellImageLayout layout) { imageLayout_ = layout; }
    bool ShowComment() const { return showComment_; }
    void SetShowComment(bool show) { showComment_ = show; }
    const QString& Comment() const;
    void SetComment(const QString& comment);
    int32_t Tag() const;
    void SetTag(int32_t tag);

    // Whether the stored form carries Font and Color.
    bool IsFontStored() const;
    bool IsColorStored() const;

    // Font equality: name, height, style set, colour, character set and pitch.
    static bool SameFont(const TFont& a, const TFont& b) { return a.SameAs(b); }

private:
    friend class TPTRows;

    TPTRows* OwningRows() const;
    const TFont& GridFontOrDefault() const;
    TColor GridColorOrDefault() const;
    // The colour shown by a cell without one of its own.
    TColor SharedColor() const;
    // The rare fields, nullptr while all of them hold their defaults.
    const TPTCellExtra* Rare() const;
    TPTCellExtra& Extras();
    void DropExtrasIfDefault();
    bool HasOwnFont() const;
    bool HasOwnColor() const;
    // Gives the cell the colour without counting as an edit of its own.
    void SetColorValue(TColor color);
    void MakeOwnFont(const TFont& from);
    // Gives the cell the look of font without counting as an edit of its own.
    void SetFontValue(const TFont& font);
    void FontChanged();
    // Font and colour follow-up after the grid's font or colour changed.
    void FollowFont(const TFont& gridFont, bool sharedFontChanges);
    // After the rows' shared colour moved from oldShared to gridColor.
    void FollowColor(TColor gridColor, TColor oldShared);

    // The one-byte fields fill the tail of the item's base.
    uint8_t dataType_ = cdtString;
    uint8_t horz_ : 4 = haLeftJustify;
    uint8_t vert_ : 4 = vaCenter;
    uint8_t style_ : 4 = csAutoWrap;
    uint8_t imageLayout_ : 4 = clImageLeft;
    bool parentFont_ : 1 = true;
    bool parentColor_ : 1 = true;
    bool handleSymbol_ : 1 = false;
    bool showComment_ : 1 = false;
    // Set while the cell copies a font into its own, so the copy is no edit.
    bool syncingFont_ : 1 = false;
    // Whether the pool holds a block of rare fields for this cell.
    bool hasExtras_ : 1 = false;
    QString value_;
};
