#include "chrome/themes/SkinThemeRegistry.h"

#include <memory>
#include <vector>

#include "chrome/themes/SkinTheme.h"
#include "platform/base/AppContext.h"
#include "platform/framework/Application.h"

namespace {

constexpr int MaxThemeNameLength = 255;

struct ThemeEntry {
    QString name;
    TSkinThemeClass themeClass;
    TSkinTheme* instance = nullptr;
    int32_t useCount = 0;
};

struct ThemeRegistry {
    std::vector<ThemeEntry> entries;
    // Users still holding a theme at the end have gone without releasing it.
    ~ThemeRegistry()
    {
        for (ThemeEntry& e : entries)
            delete e.instance;
    }
};

std::vector<ThemeEntry>& Entries()
{
    return AppContext().State<ThemeRegistry>().entries;
}

ThemeEntry* FindEntry(const QString& name)
{
    for (ThemeEntry& e : Entries())
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

} // namespace

void RegisterTheme(const QString& name, TSkinThemeClass themeClass)
{
    if (name.isEmpty() || name.size() > MaxThemeNameLength || !themeClass)
        throw ESkinThemeError("Cannot register theme");
    if (FindEntry(name))
        throw ESkinThemeError(QStringLiteral("Theme %1 is already registered").arg(name));
    Entries().push_back(ThemeEntry{name, std::move(themeClass)});
}

bool IsThemeRegistered(const QString& name)
{
    return FindEntry(name) != nullptr;
}

TSkinTheme* AcquireTheme(const QString& name)
{
    ThemeEntry* e = FindEntry(name);
    if (!e)
        throw ESkinThemeError(QStringLiteral("Unknown theme ") + name);
    if (e->useCount == 0) {
        // A leftover instance cannot exist at count 0, but a failed release might leave one.
        delete e->instance;
        e->instance = nullptr;
        std::unique_ptr<TSkinTheme> made(e->themeClass(e->name));
        if (!made)
            throw ESkinThemeError(QStringLiteral("Unknown theme ") + name);
        made->Activated(Application()->Active());
        e->instance = made.release();
    }
    ++e->useCount;
    return e->instance;
}

void ReleaseTheme(TSkinTheme* theme)
{
    ThemeEntry* e = nullptr;
    for (ThemeEntry& entry : Entries())
        if (theme && entry.instance == theme)
            e = &entry;
    if (!e)
        throw ESkinThemeError("Cannot release theme");
    if (e->useCount < 1)
        throw ESkinThemeError(QStringLiteral("Cannot release theme ") + e->name);
    if (--e->useCount == 0) {
        TSkinTheme* gone = e->instance;
        e->instance = nullptr;
        delete gone;
    }
}

QStringList RegisteredThemes()
{
    QStringList names;
    for (const ThemeEntry& e : Entries())
        names << e.name;
    return names;
}

int ThemeUseCount(const QString& name)
{
    const ThemeEntry* e = FindEntry(name);
    return e ? e->useCount : -1;
}

bool ThemeInstanceExists(const QString& name)
{
    const ThemeEntry* e = FindEntry(name);
    return e && e->instance;
}
