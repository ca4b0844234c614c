#include "chrome/toolbars/SkinToolbar.h"

#include <algorithm>

#include "chrome/toolbars/SkinDock.h"
#include "chrome/toolbars/SkinItem.h"
#include "chrome/themes/SkinTheme.h"
#include "platform/framework/actions/Action.h"
#include "platform/base/AppContext.h"
#include "platform/framework/Application.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/framework/PendingReference.h"

namespace {

struct ToolbarState {
    ToolbarState()
    {
        menuFont.SetName(QStringLiteral("宋体"));
        menuFont.SetHeight(-12);
        menuFont.SetCharset(GB2312_CHARSET);
        menuFont.SetColor(clMenuText);
    }
    // Toolbars alive, for the idle-time refresh.
    std::vector<TSkinToolbar*> bars;
    bool idleHandlerAdded = false;
    TFont menuFont;
};

ToolbarState& Toolbars()
{
    return AppContext().State<ToolbarState>();
}

std::vector<TSkinToolbar*>& AllToolbars()
{
    return Toolbars().bars;
}

void EnsureIdleHandler()
{
    ToolbarState& state = Toolbars();
    if (state.idleHandlerAdded)
        return;
    state.idleHandlerAdded = true;
    Application()->AddIdleHandler([] { TSkinToolbar::IdleUpdateAll(); });
}

constexpr int DragHandleWidth = 9;
constexpr TColor DragHandleColor = 0x00A0A0A0;

} // namespace

TSkinToolbar::TSkinToolbar(TComponent* owner) : TCustomControl(owner)
{
    SetParentColor(false);
    SetColor(clNone);
    SetBounds(0, 0, 23, 26);
    AllToolbars().push_back(this);
    TSkinNexus::Instance().AddClient(this);
    EnsureIdleHandler();
}

TSkinToolbar::~TSkinToolbar()
{
    MarkDestroying();
    if (TSkinNexus::Exists())
        TSkinNexus::Instance().RemoveClient(this);
    std::erase(AllToolbars(), this);
    highlighted_ = nullptr;
}

void TSkinToolbar::SetDragHandleStyle(TSkinDragHandleStyle v)
{
    if (Exchange(dragHandleStyle_, v))
        ItemsChanged();
}

void TSkinToolbar::SetFullSize(bool v)
{
    if (Exchange(fullSize_, v))
        ItemsChanged();
}

void TSkinToolbar::SetDockPos(int v)
{
    if (Exchange(dockPos_, std::max(-1, v)))
        ItemsChanged();
}

void TSkinToolbar::SetDockRow(int v)
{
    if (Exchange(dockRow_, std::max(0, v)))
        ItemsChanged();
}

void TSkinToolbar::SetImages(TImageList* images)
{
    pendingImages_.clear();
    if (images_.Set(images))
        ItemsChanged();
}

void TSkinToolbar::SetSystemFont(bool v)
{
    if (Exchange(systemFont_, v))
        ItemsChanged();
}

bool TSkinToolbar::Horizontal() const
{
    const auto* dock = dynamic_cast<const TSkinDock*>(Parent());
    return !dock || dock->Horizontal();
}

const TFont& TSkinToolbar::MenuFont()
{
    return Toolbars().menuFont;
}

const TFont& TSkinToolbar::ItemFont() const
{
    return systemFont_ ? MenuFont() : Font();
}

std::vector<TSkinToolbarItem*> TSkinToolbar::Items() const
{
    std::vector<TSkinToolbarItem*> items;
    for (TControl* c : ControlList())
        if (auto* item = dynamic_cast<TSkinToolbarItem*>(c))
            items.push_back(item);
    return items;
}

void TSkinToolbar::SetHighlightedItem(TSkinToolbarItem* item)
{
    if (item == highlighted_)
        return;
    if (highlighted_)
        highlighted_->Invalidate();
    highlighted_ = item;
    if (highlighted_)
        highlighted_->Invalidate();
}

TRect TSkinToolbar::Margins() const
{
    TRect m = CurrentSkinTheme().ToolbarMargins();
    if (Horizontal())
        m.Left += DragHandleSize();
    else
        m.Top += DragHandleSize();
    return m;
}

int TSkinToolbar::DragHandleSize() const
{
    return dragHandleStyle_ == dhNone ? 0 : DragHandleWidth;
}

TSize TSkinToolbar::ContentSize() const
{
    std::vector<SkinToolbarLayout::Item> layout;
    for (const TSkinToolbarItem* item : Items())
        layout.push_back(item->LayoutItem());
    return SkinToolbarLayout::Arrange(layout, Margins(), CurrentSkinTheme().SeparatorSize(), Horizontal()).content;
}

void TSkinToolbar::ItemsChanged()
{
    if (IsDestroying())
        return;
    if (!IsLoading())
        ArrangeItems();
    Invalidate();
}

void TSkinToolbar::ArrangeItems()
{
    if (arranging_ || IsDestroying() || IsLoading())
        return;
    arranging_ = true;
    try {
        const auto items = Items();
        std::vector<SkinToolbarLayout::Item> layout;
        for (const TSkinToolbarItem* item : items)
            layout.push_back(item->LayoutItem());
        const auto result =
            SkinToolbarLayout::Arrange(layout, Margins(), CurrentSkinTheme().SeparatorSize(), Horizontal());
        for (size_t i = 0; i < items.size(); ++i)
            if (layout[i].visible)
                items[i]->SetBounds(result.rects[i].Left, result.rects[i].Top, result.rects[i].Width(),
                                    result.rects[i].Height());
        PlaceInParent();
    } catch (...) {
        arranging_ = false;
        throw;
    }
    arranging_ = false;
}

void TSkinToolbar::PlaceInParent()
{
    if (auto* dock = dynamic_cast<TSkinDock*>(Parent())) {
        dock->ArrangeToolbars();
        return;
    }
    // Outside a dock the toolbar takes the size its items need.
    const TSize size = ContentSize();
    SetBounds(Left(), Top(), fullSize_ ? Width() : size.cx, size.cy);
}

void TSkinToolbar::RefreshActions()
{
    for (TSkinToolbarItem* item : Items())
        if (auto* button = dynamic_cast<TSkinItem*>(item))
            if (TAction* action = button->Action())
                action->Update();
}

void TSkinToolbar::IdleUpdateAll()
{
    // A refresh may free toolbars (an update handler closing a screen).
    const auto copy = AllToolbars();
    for (TSkinToolbar* bar : copy) {
        const auto& live = AllToolbars();
        if (std::find(live.begin(), live.end(), bar) == live.end())
            continue;
        if (bar->updateActions_ && bar->Showing())
            bar->RefreshActions();
    }
}

void TSkinToolbar::SkinThemeChange(int code)
{
    if (code != skinThemeRepaint)
        return;
    ArrangeItems();
    Invalidate();
    for (TSkinToolbarItem* item : Items())
        item->Invalidate();
}

void TSkinToolbar::Paint(TCanvas& canvas)
{
    const TRect r = ClientRect();
    if (Color() != clNone) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(r);
    } else {
        CurrentSkinTheme().PaintToolbarBackground(canvas, r);
    }
    if (dragHandleStyle_ == dhNone)
        return;
    // A grip of one or two lines at the start of the toolbar.
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(DragHandleColor);
    const int lines = dragHandleStyle_ == dhDouble ? 2 : 1;
    for (int i = 0; i < lines; ++i) {
        if (Horizontal())
            canvas.FillRect({r.Left + 3 + 3 * i, r.Top + 3, r.Left + 4 + 3 * i, r.Bottom - 3});
        else
            canvas.FillRect({r.Left + 3, r.Top + 3 + 3 * i, r.Right - 3, r.Top + 4 + 3 * i});
    }
}

void TSkinToolbar::Loaded()
{
    TCustomControl::Loaded();
    if (auto* list = ResolvePending<TImageList>(*this, pendingImages_, "Images", "image list", "an image list"))
        SetImages(list);
    ArrangeItems();
}

void TSkinToolbar::FontChanged()
{
    TCustomControl::FontChanged();
    if (!systemFont_)
        ItemsChanged();
}

void TSkinToolbar::Resize()
{
    TCustomControl::Resize();
    Invalidate();
}
