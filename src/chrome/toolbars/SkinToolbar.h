#pragma once

// A toolbar of buttons and separators that sits in a dock. It places its
// items in a row, paints its background with the current theme, keeps the
// highlighted (hot) item, and refreshes its items' actions at idle time.

#include <memory>
#include <vector>

#include "chrome/themes/SkinNexus.h"
#include "chrome/toolbars/SkinToolbarLayout.h"
#include "platform/framework/actions/ImageListLink.h"
#include "platform/framework/WinControl.h"

class TImageList;
class TSkinToolbarItem;
class TSkinItem;

enum TSkinDockMode : uint8_t { dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks };
enum TSkinDragHandleStyle : uint8_t { dhDouble, dhNone, dhSingle };

class TSkinToolbar : public TCustomControl, public TSkinThemeClient {
public:
    explicit TSkinToolbar(TComponent* owner);
    ~TSkinToolbar() override;
    static constexpr const char* StaticClassName() { return "TSkinToolbar"; }
    const char* ClassName() const override { return StaticClassName(); }

    TSkinDockMode DockMode() const { return dockMode_; }
    void SetDockMode(TSkinDockMode v) { dockMode_ = v; }
    TSkinDragHandleStyle DragHandleStyle() const { return dragHandleStyle_; }
    void SetDragHandleStyle(TSkinDragHandleStyle v);
    // Fills the whole width of its dock row.
    bool FullSize() const { return fullSize_; }
    void SetFullSize(bool v);
    // Offset along the dock row; −1 lets the dock choose.
    int DockPos() const { return dockPos_; }
    void SetDockPos(int v);
    int DockRow() const { return dockRow_; }
    void SetDockRow(int v);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    void SetImagesName(const QString& name) { pendingImages_ = name; }
    // Item captions in the menu font rather than the toolbar's own.
    bool SystemFont() const { return systemFont_; }
    void SetSystemFont(bool v);
    // Whether the items' actions are refreshed at idle time.
    bool UpdateActions() const { return updateActions_; }
    void SetUpdateActions(bool v) { updateActions_ = v; }

    bool Horizontal() const;
    // The font of item captions.
    const TFont& ItemFont() const;
    // The platform's menu font.
    static const TFont& MenuFont();

    std::vector<TSkinToolbarItem*> Items() const;
    TSkinToolbarItem* HighlightedItem() const { return highlighted_; }
    void SetHighlightedItem(TSkinToolbarItem* item);

    // The size the toolbar needs for its items.
    TSize ContentSize() const;
    // Places the items again (after a change of their number, size or font).
    void ItemsChanged();
    void ArrangeItems();
    // Updates the actions of the items (the idle-time refresh).
    void RefreshActions();
    // The idle-time refresh of every showing toolbar that wants it.
    static void IdleUpdateAll();

    void SkinThemeChange(int code) override;

protected:
    void Paint(TCanvas& canvas) override;
    void Loaded() override;
    void FontChanged() override;
    void Resize() override;

private:
    TRect Margins() const;
    int DragHandleSize() const;
    void PlaceInParent();

    TSkinDockMode dockMode_ = dmCanFloat;
    TSkinDragHandleStyle dragHandleStyle_ = dhSingle;
    bool fullSize_ = false;
    bool systemFont_ = true;
    bool updateActions_ = true;
    bool arranging_ = false;
    int dockPos_ = -1;
    int dockRow_ = 0;
    TImageListLink images_{[this] { ItemsChanged(); }};
    QString pendingImages_;
    TSkinToolbarItem* highlighted_ = nullptr;
};
