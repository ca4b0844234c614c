#pragma once

// The strip along one edge of a window that holds toolbars in rows; the
// current theme paints it unless it has a colour of its own.

#include "chrome/themes/SkinNexus.h"
#include "platform/framework/WinControl.h"

class TSkinToolbar;

enum TSkinDockPosition : uint8_t { dpTop, dpBottom, dpLeft, dpRight };

class TSkinDock : public TCustomControl, public TSkinThemeClient {
public:
    explicit TSkinDock(TComponent* owner);
    ~TSkinDock() override;
    static constexpr const char* StaticClassName() { return "TSkinDock"; }
    const char* ClassName() const override { return StaticClassName(); }

    // The edge of the parent the dock keeps to.
    TSkinDockPosition Position() const { return position_; }
    void SetPosition(TSkinDockPosition v);
    bool Horizontal() const { return position_ == dpTop || position_ == dpBottom; }
    bool UseParentBackground() const { return useParentBackground_; }
    void SetUseParentBackground(bool v);

    // Places the toolbars: one row each, ordered by DockRow then DockPos; a
    // FullSize toolbar spans the row.
    void ArrangeToolbars();

    void SkinThemeChange(int code) override;

protected:
    void Paint(TCanvas& canvas) override;
    void AlignControls(TRect& rect) override;
    void Loaded() override;

private:
    TSkinDockPosition position_ = dpTop;
    bool useParentBackground_ = false;
    bool arranging_ = false;
};
