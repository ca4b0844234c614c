#include "chrome/SkinThemeStartup.h"

#include "chrome/DreamTheme.h"
#include "chrome/PlainTheme.h"
#include "chrome/SkinNexus.h"
#include "chrome/SkinPanelObject.h"
#include "chrome/SkinThemeRegistry.h"

namespace {

// The skinned check boxes and radio buttons draw their boxes with the current
// theme and repaint when it changes.
void PaintPanelFrame(TCanvas& canvas, const TRect& r, int kind, unsigned flags)
{
    CurrentSkinTheme().PaintFrameControl(canvas, r, kind, flags);
}

class SkinPanelThemeLink : public TSkinThemeClient {
public:
    // Installing the painter repaints every skinned control.
    void SkinThemeChange(int code) override
    {
        if (code == skinThemeRepaint)
            TSkinPanelObject::SetFramePainter(PaintPanelFrame);
    }
};

TSkinTheme* MakeDream(const QString& name)
{
    return new TDreamTheme(name);
}

TSkinTheme* MakePlain(const QString& name)
{
    return new TPlainTheme(name);
}

} // namespace

void InitSkinThemes()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterTheme(QStringLiteral("Dream"), MakeDream);
    if (!IsThemeRegistered(QStringLiteral("Glass")))
        RegisterTheme(QStringLiteral("Glass"), MakePlain);
    RegisterTheme(QStringLiteral("Silver"), MakePlain);
    RegisterTheme(QStringLiteral("Default"), MakePlain);
    // Lives until exit, as the registry does.
    auto* nexus = new TSkinNexus();
    TSkinNexus::Install(nexus);
    static SkinPanelThemeLink panels;
    nexus->AddClient(&panels);
    TSkinPanelObject::SetFramePainter(PaintPanelFrame);
    RegisterTheme(QStringLiteral("Stripes"), MakePlain);
    RegisterTheme(QStringLiteral("Flat"), MakePlain);
}
