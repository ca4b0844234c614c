#include "chrome/themes/SkinNexus.h"

#include <algorithm>
#include <memory>

#include "chrome/themes/SkinTheme.h"
#include "chrome/themes/SkinThemeRegistry.h"
#include "chrome/themes/SkinThemeStartup.h"
#include "platform/base/AppContext.h"

namespace {

struct NexusState {
    // The theme registry is made first, so it outlives the notifier that holds
    // one of its themes.
    NexusState() { RegisteredThemes(); }
    std::unique_ptr<TSkinNexus> nexus;
};

TSkinNexus* Installed()
{
    const auto* state = AppContext().FindState<NexusState>();
    return state ? state->nexus.get() : nullptr;
}

} // namespace

TSkinNexus::TSkinNexus()
{
    theme_ = AcquireTheme(QStringLiteral("Default"));
}

TSkinNexus::~TSkinNexus()
{
    ReleaseTheme(theme_);
}

TSkinNexus& TSkinNexus::Instance()
{
    if (!Installed())
        InitSkinThemes();
    return *Installed();
}

bool TSkinNexus::Exists()
{
    return Installed() != nullptr;
}

void TSkinNexus::Install(std::unique_ptr<TSkinNexus> nexus)
{
    AppContext().State<NexusState>().nexus = std::move(nexus);
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

void TSkinNexus::Notify(int code)
{
    theme_->ThemeMessage(code);
    // Clients may sign off (or new ones sign up) while they are told.
    const auto copy = clients_;
    for (TSkinThemeClient* c : copy)
        if (std::find(clients_.begin(), clients_.end(), c) != clients_.end())
            c->SkinThemeChange(code);
}
