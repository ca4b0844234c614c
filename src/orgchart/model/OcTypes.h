#pragma once

// Enumerations and sets of the organisation chart, with their stored ordinals.

#include <cstdint>

enum TOcImageAlign : uint8_t { iaNone, iaLT, iaLC, iaLB, iaRT, iaRC, iaRB, iaTL, iaTC, iaTR, iaBL, iaBC, iaBR };
constexpr int kOcImageAlignCount = 13;

enum TOcChildAlign : uint8_t { caLeft, caCenter, caRight };
enum TOcShape : uint8_t { shRectangle, shRoundRect, shEllipse, shDiamond };
enum TOcAttachMode : uint8_t { amAdd, amAddFirst, amAddChild, amAddChildFirst, amInsert };

// Bits of Options, in stored order.
enum TOcOption : uint16_t {
    ocSelect = 1 << 0,
    ocFocus = 1 << 1,
    ocButtons = 1 << 2,
    ocDblClick = 1 << 3,
    ocEdit = 1 << 4,
    ocCanDrag = 1 << 5,
    ocShowDrag = 1 << 6,
    ocInsDel = 1 << 7,
    ocRect3D = 1 << 8,
    ocAnimate = 1 << 9,
};
using TOcOptions = uint16_t;
constexpr TOcOptions kOcDefaultOptions = ocSelect | ocFocus | ocButtons | ocDblClick | ocEdit | ocCanDrag | ocShowDrag;

// Bits of EditMode, in stored order.
enum TOcEditModeFlag : uint8_t {
    emLeft = 1 << 0,
    emCenter = 1 << 1,
    emRight = 1 << 2,
    emVCenter = 1 << 3,
    emWrap = 1 << 4,
    emUpper = 1 << 5,
    emLower = 1 << 6,
    emGrow = 1 << 7,
};
using TOcEditMode = uint8_t;

// Hit-test flags.
enum : uint8_t {
    htNowhere = 0x01,
    htLeft = 0x02,
    htRight = 0x04,
    htAbove = 0x08,
    htBelow = 0x10,
    htOnBox = 0x20,
    htOnShape = 0x40,
    htOnButton = 0x80,
};
using TOcHitFlags = uint8_t;

// Which cached child sizes a change makes stale.
enum TOcSizeKind : uint8_t { skWidth = 1, skHeight = 2, skBoth = 3 };

constexpr uint32_t kOcColorNone = 0x1FFFFFFF;
