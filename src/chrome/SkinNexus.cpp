#include "chrome/SkinNexus.h"

#include <algorithm>

#include "chrome/SkinTheme.h"
#include "chrome/SkinThemeRegistry.h"
#include "chrome/SkinThemeStartup.h"

namespace {
TSkinNexus* g_nexus = nullptr;
}

TSkinNexus::TSkinNexus()
{
    theme_ = AcquireTheme(QStringLiteral("Default"));
}

TSkinNexus::~TSkinNexus()
{
    if (g_nexus == this)
        g_nexus = nullptr;
    ReleaseTheme(theme_);
}

TSkinNexus& TSkinNexus::Instance()
{
    if (!g_nexus)
        InitSkinThemes();
    return *g_nexus;
}

bool TSkinNexus::Exists()
{
    return g_nexus != nullptr;
}

void TSkinNexus::Install(TSkinNexus* nexus)
{
    g_nexus = nexus;
}

QString TSkinNexus::GetTheme() const
{
    return theme_->Name();
}

void TSkinNexus::SetTheme(const QString& name)
{
    if (!IsThemeRegistered(name))
        return;
    const QString previous = theme_->Name();
    ReleaseTheme(theme_);
    try {
        theme_ = AcquireTheme(name);
    } catch (...) {
        // Never leave the process without a theme.
        theme_ = AcquireTheme(previous);
        throw;
    }
    for (int code : {skinThemeChanging, skinThemeColors, skinThemeRepaint})
        Notify(code);
}

void TSkinNexus::AddClient(TSkinThemeClient* client)
{
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end())
        clients_.push_back(client);
}

void TSkinNexus::RemoveClient(TSkinThemeClient* client)
{
    std::erase(clients_, client);
}

void TSkinNexus::ActivationMessage(int code)
{
    Notify(code);
}

void TSkinNexus::Notify(int code)
{
    theme_->ThemeMessage(code);
    // Clients may sign off (or new ones sign up) while they are told.
    const auto copy = clients_;
    for (TSkinThemeClient* c : copy)
        if (std::find(clients_.begin(), clients_.end(), c) != clients_.end())
            c->SkinThemeChange(code);
}
