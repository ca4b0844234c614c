#include "chrome/themes/SkinSwitcher.h"

namespace {
// Process-wide, not per context: see platform/base/AppContext.h.
int g_switchers = 0;
}

TSkinSwitcher::TSkinSwitcher(TComponent* owner) : TComponent(owner)
{
    TSkinNexus::Instance().AddClient(this);
    ++g_switchers;
}

TSkinSwitcher::~TSkinSwitcher()
{
    --g_switchers;
    if (TSkinNexus::Exists())
        TSkinNexus::Instance().RemoveClient(this);
}

QString TSkinSwitcher::Theme() const
{
    return TSkinNexus::Instance().GetTheme();
}

void TSkinSwitcher::SetTheme(const QString& name)
{
    TSkinNexus::Instance().SetTheme(name);
}

int TSkinSwitcher::SwitcherCount()
{
    return g_switchers;
}

void TSkinSwitcher::SkinThemeChange(int code)
{
    OnThemeChange(this);
}
