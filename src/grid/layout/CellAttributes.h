#pragma once

// The attributes of a view-grid cell: the selectors, their 32-bit mask and the
// record that carries the values between the grid, its models and handlers.

#include <cstdint>
#include <initializer_list>

#include <QString>

#include "grid/layout/CellTypes.h"
#include "platform/canvas/Color.h"
#include "platform/canvas/text/Font.h"

enum TCellAttribute : uint8_t {
    caFontName,
    caFontSize,
    caFontColor,
    caFontStyles,
    caBackColor,
    caRightLine,
    caBottomLine,
    caDiagonal,
    caAntiDiagonal,
    caHorzAlign,
    caVertAlign,
    caDataType,
    caMergeID,
    caStyle,
    caFormat,
    caHorzMargin,
    caVertMargin,
    caHandleSymbol,
    caImageIndex,
    caImageLayout,
    caShowComment,
    caComment,
};

// Member i is bit i.
using TCellAttributes = uint32_t;

constexpr TCellAttributes CellAttr(TCellAttribute a) { return TCellAttributes(1) << a; }
constexpr TCellAttributes CellAttrs(std::initializer_list<TCellAttribute> list)
{
    TCellAttributes mask = 0;
    for (TCellAttribute a : list)
        mask |= CellAttr(a);
    return mask;
}
inline bool HasCellAttr(TCellAttributes set, TCellAttribute a) { return (set & CellAttr(a)) != 0; }

constexpr TCellAttributes FontCellAttrs = CellAttrs({caFontName, caFontSize, caFontColor, caFontStyles});

struct TCellAttrInfo {
    QString FontName;
    int32_t FontSize = 0;
    TColor FontColor = clBlack;
    TFontStyles FontStyles = 0;
    TColor BackColor = clWindow;
    uint8_t RightLine = 0;
    uint8_t BottomLine = 0;
    uint8_t Diagonal = 0;
    uint8_t AntiDiagonal = 0;
    THorzAlignment HorzAlign = haDefault;
    TVertAlignment VertAlign = vaDefault;
    TCellDataType DataType = cdtString;
    uint32_t MergeID = 0;
    TCellStyle Style = csFixed;
    QString Format;
    uint8_t HorzMargin = 0;
    uint8_t VertMargin = 0;
    bool HandleSymbol = false;
    int32_t ImageIndex = 0;
    TCellImageLayout ImageLayout = clImageLeft;
    bool ShowComment = false;
    QString Comment;
};
