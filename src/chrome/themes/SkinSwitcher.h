#pragma once

// The non-visual component through which a screen picks the process-wide
// toolbar theme. Setting Theme switches it for every window; destroying the
// switcher leaves it as it is.

#include <QString>

#include "chrome/themes/SkinNexus.h"
#include "platform/framework/Component.h"

enum TFlatMenuStyle : uint8_t { fmsAuto, fmsEnable, fmsDisable };

class TSkinSwitcher : public TComponent, public TSkinThemeClient {
public:
    explicit TSkinSwitcher(TComponent* owner);
    ~TSkinSwitcher() override;
    static constexpr const char* StaticClassName() { return "TSkinSwitcher"; }
    const char* ClassName() const override { return StaticClassName(); }

    QString Theme() const;
    void SetTheme(const QString& name);
    bool EnableXPStyles() const { return enableXPStyles_; }
    void SetEnableXPStyles(bool v) { enableXPStyles_ = v; }
    TFlatMenuStyle FlatMenuStyle() const { return flatMenuStyle_; }
    void SetFlatMenuStyle(TFlatMenuStyle v) { flatMenuStyle_ = v; }

    // Switchers alive in the process.
    static int SwitcherCount();

    // Fires for every notice of a theme change (three per switch).
    TNotifyEvent OnThemeChange;

    void SkinThemeChange(int code) override;

private:
    bool enableXPStyles_ = true;
    TFlatMenuStyle flatMenuStyle_ = fmsAuto;
};
