#include "chrome/themes/SkinThemeStartup.h"

#include "chrome/themes/DreamTheme.h"
#include "chrome/themes/PlainTheme.h"
#include "chrome/themes/SkinNexus.h"
#include "chrome/checkboxes/SkinPanelObject.h"
#include "chrome/themes/SkinThemeRegistry.h"
#include "platform/base/AppContext.h"

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

struct SkinStartupState {
    bool done = false;
    SkinPanelThemeLink panels;
};

} // namespace

void InitSkinThemes()
{
    auto& state = AppContext().State<SkinStartupState>();
    if (state.done)
        return;
    state.done = true;
    RegisterTheme(QStringLiteral("Dream"), MakeDream);
    if (!IsThemeRegistered(QStringLiteral("Glass")))
        RegisterTheme(QStringLiteral("Glass"), MakePlain);
    RegisterTheme(QStringLiteral("Silver"), MakePlain);
    RegisterTheme(QStringLiteral("Default"), MakePlain);
    // Lives as long as the application context, as the registry does.
    auto nexus = std::make_unique<TSkinNexus>();
    nexus->AddClient(&state.panels);
    TSkinNexus::Install(std::move(nexus));
    TSkinPanelObject::SetFramePainter(PaintPanelFrame);
    RegisterTheme(QStringLiteral("Stripes"), MakePlain);
    RegisterTheme(QStringLiteral("Flat"), MakePlain);
}
