#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "chrome/themes/PlainTheme.h"
#include "chrome/themes/SkinNexus.h"
#include "chrome/themes/SkinSwitcher.h"
#include "chrome/themes/SkinTheme.h"
#include "chrome/themes/SkinThemeRegistry.h"
#include "chrome/themes/SkinThemeStartup.h"

namespace {

std::string ErrorOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const ESkinThemeError& e) {
        return e.what();
    }
    return "no error";
}

// Counts how often the theme "Counting" is made and told it is active.
int g_made = 0;
int g_activated = 0;
struct CountingTheme : TPlainTheme {
    explicit CountingTheme(const QString& name) : TPlainTheme(name) { ++g_made; }
    void Activated(bool) override { ++g_activated; }
};

struct Recorder : TSkinThemeClient {
    void SkinThemeChange(int code) override { codes.push_back(code); }
    std::vector<int> codes;
};

class SkinThemes : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitSkinThemes();
        if (!IsThemeRegistered(QStringLiteral("Counting")))
            RegisterTheme(QStringLiteral("Counting"), [](const QString& n) { return new CountingTheme(n); });
        TSkinNexus::Instance().AddClient(&recorder);
    }
    void TearDown() override
    {
        TSkinNexus::Instance().RemoveClient(&recorder);
        TSkinNexus::Instance().SetTheme(QStringLiteral("Default"));
    }
    Recorder recorder;
};

} // namespace

TEST_F(SkinThemes, StartUpRegistersTheSixThemesInOrderWithDefaultCurrent)
{
    const QStringList names = RegisteredThemes().mid(0, 6);
    EXPECT_EQ(names, (QStringList{"Dream", "Glass", "Silver", "Default", "Stripes", "Flat"}));
    EXPECT_EQ(TSkinNexus::Instance().GetTheme(), QStringLiteral("Default"));
    EXPECT_EQ(ThemeUseCount(QStringLiteral("Default")), 1);
    EXPECT_FALSE(ThemeInstanceExists(QStringLiteral("Dream")));
    InitSkinThemes(); // a second start-up changes nothing
    EXPECT_EQ(RegisteredThemes().count(QStringLiteral("Dream")), 1);
}

TEST_F(SkinThemes, RegistrationFailsWithTheFixedMessages)
{
    auto make = [](const QString& n) -> TSkinTheme* { return new TPlainTheme(n); };
    EXPECT_EQ(ErrorOf([&] { RegisterTheme(QString(), make); }), "Cannot register theme");
    EXPECT_EQ(ErrorOf([&] { RegisterTheme(QStringLiteral("Lonely"), nullptr); }), "Cannot register theme");
    EXPECT_EQ(ErrorOf([&] { RegisterTheme(QString(256, QChar('x')), make); }), "Cannot register theme");
    EXPECT_EQ(ErrorOf([&] { RegisterTheme(QStringLiteral("Default"), make); }),
              "Theme Default is already registered");
    EXPECT_EQ(ErrorOf([&] { RegisterTheme(QStringLiteral("dEFAULT"), make); }),
              "Theme dEFAULT is already registered");
    EXPECT_TRUE(IsThemeRegistered(QStringLiteral("STRIPES")));
    EXPECT_FALSE(IsThemeRegistered(QStringLiteral("Stripe")));
}

TEST_F(SkinThemes, AcquiringSharesOneInstanceAndTheLastReleaseFreesIt)
{
    EXPECT_EQ(ErrorOf([] { AcquireTheme(QStringLiteral("Nope")); }), "Unknown theme Nope");
    TSkinTheme* a = AcquireTheme(QStringLiteral("silver"));
    TSkinTheme* b = AcquireTheme(QStringLiteral("SILVER"));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->Name(), QStringLiteral("Silver")); // the registered spelling
    EXPECT_EQ(ThemeUseCount(QStringLiteral("Silver")), 2);
    ReleaseTheme(a);
    EXPECT_TRUE(ThemeInstanceExists(QStringLiteral("Silver")));
    ReleaseTheme(b);
    EXPECT_FALSE(ThemeInstanceExists(QStringLiteral("Silver")));
    EXPECT_EQ(ErrorOf([&] { ReleaseTheme(b); }), "Cannot release theme");
    EXPECT_EQ(ErrorOf([] { ReleaseTheme(nullptr); }), "Cannot release theme");
    TPlainTheme stranger(QStringLiteral("Silver"));
    EXPECT_EQ(ErrorOf([&] { ReleaseTheme(&stranger); }), "Cannot release theme");
}

TEST_F(SkinThemes, SwitchingTellsEveryClientThreeTimesAndUnknownNamesAreIgnored)
{
    TSkinNexus& nexus = TSkinNexus::Instance();
    nexus.SetTheme(QStringLiteral("dream"));
    EXPECT_EQ(nexus.GetTheme(), QStringLiteral("Dream"));
    EXPECT_EQ(recorder.codes, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(ThemeUseCount(QStringLiteral("Default")), 0);
    EXPECT_FALSE(ThemeInstanceExists(QStringLiteral("Default")));

    recorder.codes.clear();
    nexus.SetTheme(QStringLiteral("Dreamy"));
    nexus.SetTheme(QString());
    EXPECT_EQ(nexus.GetTheme(), QStringLiteral("Dream"));
    EXPECT_TRUE(recorder.codes.empty());
}

TEST_F(SkinThemes, SwitchingToTheCurrentThemeMakesItAgain)
{
    TSkinNexus& nexus = TSkinNexus::Instance();
    const int made = g_made, activated = g_activated;
    nexus.SetTheme(QStringLiteral("Counting"));
    nexus.SetTheme(QStringLiteral("counting"));
    EXPECT_EQ(g_made - made, 2);
    EXPECT_EQ(g_activated - activated, 2);
    EXPECT_EQ(ThemeUseCount(QStringLiteral("Counting")), 1);
    EXPECT_EQ(recorder.codes.size(), 6u);
}

TEST_F(SkinThemes, ASwitcherSetsTheProcessThemeAndHearsEveryNotice)
{
    const int before = TSkinSwitcher::SwitcherCount();
    auto switcher = std::make_unique<TSkinSwitcher>(nullptr);
    EXPECT_EQ(TSkinSwitcher::SwitcherCount(), before + 1);
    EXPECT_TRUE(switcher->EnableXPStyles());
    EXPECT_EQ(switcher->FlatMenuStyle(), fmsAuto);
    int notices = 0;
    switcher->OnThemeChange = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, switcher.get());
        ++notices;
    });
    switcher->SetTheme(QStringLiteral("DREAM"));
    EXPECT_EQ(switcher->Theme(), QStringLiteral("Dream"));
    EXPECT_EQ(notices, 3);
    switcher->SetTheme(QStringLiteral("Unknown"));
    EXPECT_EQ(notices, 3);
    EXPECT_EQ(switcher->Theme(), QStringLiteral("Dream"));

    // The theme outlives the screen that chose it.
    switcher.reset();
    EXPECT_EQ(TSkinSwitcher::SwitcherCount(), before);
    EXPECT_EQ(TSkinNexus::Instance().GetTheme(), QStringLiteral("Dream"));
}
