#include "platform/canvas/Color.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <strings.h>

namespace {

// The system palette: the platform's usual defaults for a light desktop theme.
// Index = system colour number.
constexpr std::array<uint32_t, 31> kSystemPalette = {
    RGBColor(200, 200, 200), // 0 scroll bar
    RGBColor(0, 0, 0),       // 1 desktop
    RGBColor(153, 180, 209), // 2 active caption
    RGBColor(191, 205, 219), // 3 inactive caption
    RGBColor(240, 240, 240), // 4 menu
    RGBColor(255, 255, 255), // 5 window
    RGBColor(100, 100, 100), // 6 window frame
    RGBColor(0, 0, 0),       // 7 menu text
    RGBColor(0, 0, 0),       // 8 window text
    RGBColor(0, 0, 0),       // 9 caption text
    RGBColor(180, 180, 180), // 10 active border
    RGBColor(244, 247, 252), // 11 inactive border
    RGBColor(171, 171, 171), // 12 application work space
    RGBColor(51, 153, 255),  // 13 highlight
    RGBColor(255, 255, 255), // 14 highlight text
    RGBColor(240, 240, 240), // 15 button face
    RGBColor(160, 160, 160), // 16 button shadow
    RGBColor(109, 109, 109), // 17 gray text
    RGBColor(0, 0, 0),       // 18 button text
    RGBColor(67, 78, 84),    // 19 inactive caption text
    RGBColor(255, 255, 255), // 20 button highlight
    RGBColor(105, 105, 105), // 21 3D dark shadow
    RGBColor(227, 227, 227), // 22 3D light
    RGBColor(0, 0, 0),       // 23 info text
    RGBColor(255, 255, 225), // 24 info background
    RGBColor(0, 0, 0),       // 25 unused
    RGBColor(0, 102, 204),   // 26 hot light
    RGBColor(185, 209, 234), // 27 gradient active caption
    RGBColor(215, 228, 242), // 28 gradient inactive caption
    RGBColor(51, 153, 255),  // 29 menu highlight
    RGBColor(240, 240, 240), // 30 menu bar
};

struct ColorName {
    TColor color;
    const char* name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuBar, "clMenuBar"}, {clNone, "clNone"},
    {clDefault, "clDefault"},
};

} // namespace

uint32_t ColorToRGB(TColor color)
{
    if (IsSystemColor(color)) {
        const uint32_t index = static_cast<uint32_t>(color) & 0xFF;
        return index < kSystemPalette.size() ? kSystemPalette[index] : 0;
    }
    return static_cast<uint32_t>(color) & 0x00FFFFFF;
}

QColor ToQColor(TColor color)
{
    const uint32_t rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c)
{
    return RGBColor(c.red(), c.green(), c.blue());
}

TColor MixColor(TColor c1, TColor c2, int amount)
{
    const uint32_t a = ColorToRGB(c1);
    const uint32_t b = ColorToRGB(c2);
    const int scale = amount < 100 ? 100 : 1000;
    // Amounts beyond the scale would leave the channel range; keep the result a colour.
    auto mix = [&](int x, int y) {
        return std::clamp((x * amount + y * (scale - amount) + scale / 2) / scale, 0, 255);
    };
    return RGBColor(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                    mix(GetBValue(a), GetBValue(b)));
}

std::optional<std::string> ColorToIdent(TColor color)
{
    for (const auto& entry : kColorNames)
        if (entry.color == color)
            return std::string(entry.name);
    return std::nullopt;
}

std::optional<TColor> IdentToColor(const std::string& ident)
{
    for (const auto& entry : kColorNames)
        if (strcasecmp(entry.name, ident.c_str()) == 0)
            return entry.color;
    return std::nullopt;
}
