#pragma once

// The process-wide holder of the current toolbar theme. Toolbars, docks and
// theme switchers sign up for its notices; switching the theme tells each of
// them three times, with the codes 1, 2 and 3 (3: measure again and repaint).

#include <memory>
#include <vector>

#include <QString>

class TSkinTheme;

enum : int { skinThemeChanging = 1, skinThemeColors = 2, skinThemeRepaint = 3 };

class TSkinThemeClient {
public:
    virtual ~TSkinThemeClient() = default;
    virtual void SkinThemeChange(int code) = 0;
};

class TSkinNexus {
public:
    // Takes "Default" as the current theme, which must be registered.
    TSkinNexus();
    ~TSkinNexus();
    TSkinNexus(const TSkinNexus&) = delete;
    TSkinNexus& operator=(const TSkinNexus&) = delete;

    // The one notifier of the application context; the themes are set up on
    // first use when start-up has not done it yet.
    static TSkinNexus& Instance();
    static bool Exists();

    TSkinTheme& Theme() const { return *theme_; }
    QString GetTheme() const;
    // Names that are not registered are ignored; the theme already current is
    // released and acquired again, and everyone is told.
    void SetTheme(const QString& name);

    void AddClient(TSkinThemeClient* client);
    void RemoveClient(TSkinThemeClient* client);
    int ClientCount() const { return static_cast<int>(clients_.size()); }

private:
    friend void InitSkinThemes();
    static void Install(std::unique_ptr<TSkinNexus> nexus);
    void Notify(int code);

    TSkinTheme* theme_ = nullptr;
    std::vector<TSkinThemeClient*> clients_;
};

// The current theme of the process.
inline TSkinTheme& CurrentSkinTheme()
{
    return TSkinNexus::Instance().Theme();
}
