#include "chrome/pagecontrol/FlatPageControl.h"

#include <algorithm>

#include "chrome/pagecontrol/FlatPageControlState.h"
#include "chrome/pagecontrol/FlatTabPainter.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/framework/PendingReference.h"

TFlatPageControlState::TFlatPageControlState(TFlatPageControl& control, std::function<void()> imagesChanged)
    : hot(control),
      tabMargin(std::make_unique<TTabMargin>()),
      images(std::move(imagesChanged)),
      activeFont(std::make_unique<TFont>()),
      tabBackGround(std::make_unique<TBitmap>()),
      tabBackGroundActive(std::make_unique<TBitmap>()),
      closeGlyph(std::make_unique<TBitmap>())
{
    closeGlyph->SetTransparent(true);
}

TFlatPageControl::TFlatPageControl(TComponent* owner)
    : TCustomControl(owner), d_(std::make_unique<TFlatPageControlState>(*this, [this] {
          ComputeSpacer();
          Invalidate();
      }))
{
    SetTabStop(true);
    SetParentFont(false);
    Font().SetName(QStringLiteral("Tahoma"));
    d_->activeFont->SetName(QStringLiteral("Tahoma"));
    d_->activeFont->OnChange = TNotifyEvent([this](TObject*) {
        if (d_->activePage)
            RefreshTabText(d_->activePage);
        Invalidate();
    });
    d_->tabMargin->OnMarginChange = [this](int newValue, int oldValue, TTabMargin::Which which) {
        if (!d_->loaded)
            return;
        d_->strip.MarginChanged(newValue, oldValue, which, d_->tabPosition);
        Relayout();
        Invalidate();
    };
    SetBounds(0, 0, 289, 193);
    Relayout();
}

TFlatPageControl::~TFlatPageControl()
{
    // The pages go with their owner; they only forget us here.
    for (TFlatTabSheet* p : d_->pages)
        p->pageControl_ = nullptr;
    d_->pages.clear();
    d_->activePage = nullptr;
    d_->activeFont->OnChange = TNotifyEvent();
    d_->tabMargin->OnMarginChange = nullptr;
}

// ---- Pages ---------------------------------------------------------------------

int TFlatPageControl::PageCount() const
{
    return static_cast<int>(d_->pages.size());
}

TFlatTabSheet* TFlatPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return d_->pages[index];
}

TFlatTabSheet* TFlatPageControl::ActivePage() const
{
    return d_->activePage;
}

int TFlatPageControl::ActivePageIndex() const
{
    return IndexOfPage(d_->activePage);
}

int TFlatPageControl::IndexOfPage(const TFlatTabSheet* sheet) const
{
    if (!sheet)
        return -1;
    auto it = std::find(d_->pages.begin(), d_->pages.end(), sheet);
    return it == d_->pages.end() ? -1 : static_cast<int>(it - d_->pages.begin());
}

void TFlatPageControl::InsertPage(TFlatTabSheet* page)
{
    d_->pages.push_back(page);
    page->pageControl_ = this;
    if (page->textColor_ == clBlack)
        page->textColor_ = d_->defaultTextColor;
    if (page->tabColor_ == clNone)
        page->tabColor_ = d_->defaultTabColor;
    if (page->tabColorTo_ == clNone)
        page->tabColorTo_ = d_->defaultTabColorTo;
    if (page->tabVisible_)
        ShowTab(page);
    RefreshTabText(page);
    Invalidate();
}

void TFlatPageControl::RemovePage(TFlatTabSheet* page)
{
    if (IndexOfPage(page) < 0)
        return;
    TFlatTabSheet* next = FindNextPage(page, true, true);
    if (next == page)
        next = nullptr;
    HideTab(page);
    d_->pages.erase(std::find(d_->pages.begin(), d_->pages.end(), page));
    page->pageControl_ = nullptr;
    if (d_->activePage == page)
        d_->activePage = nullptr;
    d_->hot.ForgetPagesFrom(PageCount());
    if (!IsDestroying())
        SetActivePage(next);
    Invalidate();
}

void TFlatPageControl::MovePage(TFlatTabSheet* page, int newIndex)
{
    const int old = IndexOfPage(page);
    if (old < 0 || old == newIndex)
        return;
    const int oldTab = page->TabIndex();
    d_->pages.erase(d_->pages.begin() + old);
    d_->pages.insert(d_->pages.begin() + newIndex, page);
    if (oldTab >= 0)
        d_->strip.Move(oldTab, page->TabIndex());
    Relayout();
    Invalidate();
}

void TFlatPageControl::ShowTab(TFlatTabSheet* page)
{
    if (page->tabShown_)
        return;
    page->tabShown_ = true;
    d_->strip.Insert(page->TabIndex(), page, page->layoutText_);
    Relayout();
    UpdateActivePage();
}

void TFlatPageControl::HideTab(TFlatTabSheet* page)
{
    if (!page->tabShown_)
        return;
    const int index = page->TabIndex();
    page->tabShown_ = false;
    d_->strip.Remove(index);
    Relayout();
    TFlatTabSheet* selected = d_->strip.Sheet(d_->strip.Selected());
    if (d_->activePage == page || (selected && selected != d_->activePage))
        UpdateActivePage();
}

void TFlatPageControl::SelectTab(int tabIndex)
{
    d_->strip.Select(tabIndex);
    Invalidate();
}

void TFlatPageControl::UpdateActivePage()
{
    SetActivePage(d_->strip.Sheet(d_->strip.Selected()));
}

void TFlatPageControl::SetActivePage(TFlatTabSheet* page)
{
    TFlatTabSheet*& active = d_->activePage;
    if (page && page->pageControl_ != this)
        return;
    if (page == active) {
        if (page)
            SelectTab(page->TabIndex());
        return;
    }
    if (page && !page->tabEnable_) {
        // The strip keeps showing the page that stays active.
        SelectTab(active ? active->TabIndex() : -1);
        return;
    }
    if (!page) {
        SelectTab(-1);
        TFlatTabSheet* old = active;
        active = nullptr;
        if (old)
            RefreshTabText(old);
        Invalidate();
        return;
    }
    TCustomForm* form = ParentForm();
    auto contains = [](TWinControl* outer, TControl* c) {
        for (; c; c = c->Parent())
            if (c == outer)
                return true;
        return false;
    };
    if (form && active && form->ActiveControl() && contains(active, form->ActiveControl())) {
        form->SetActiveControl(active);
        if (form->ActiveControl() != active) {
            SelectTab(active->TabIndex());
            return;
        }
    }
    page->BringToFront();  // over a page left on screen when all tabs were hidden
    page->activating_ = true;
    page->SetVisible(true);
    page->activating_ = false;
    if (form && active && form->ActiveControl() == active) {
        if (page->CanFocus())
            form->SetActiveControl(page);
        else
            form->SetActiveControl(this);
    }
    TFlatTabSheet* old = active;
    if (old)
        old->SetVisible(false);
    active = page;
    if (old)
        RefreshTabText(old);
    RefreshTabText(page);
    if (form && form->ActiveControl() == page)
        page->SelectNext(nullptr, true, true);
    SelectTab(page->TabIndex());
    Invalidate();
}

void TFlatPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? d_->pages[index] : nullptr);
}

TFlatTabSheet* TFlatPageControl::FindNextPage(TFlatTabSheet* current, bool goForward, bool checkTabVisible) const
{
    const int count = PageCount();
    if (count == 0)
        return nullptr;
    int start = IndexOfPage(current);
    if (start < 0)
        start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TFlatTabSheet* p = d_->pages[i];
        if (!checkTabVisible || p->tabVisible_)
            return p;
    } while (i != start);
    return nullptr;
}

void TFlatPageControl::SelectNextPage(bool goForward)
{
    TFlatTabSheet* next = FindNextPage(d_->activePage, goForward, true);
    if (!next || next == d_->activePage || !CanChange(IndexOfPage(next)))
        return;
    SelectTab(next->TabIndex());
    Change();
}

void TFlatPageControl::SetActivePageName(const QString& name, std::function<void(const QString& problem)> fail)
{
    d_->pendingActivePage = name;
    d_->pendingFail = std::move(fail);
}

void TFlatPageControl::Loaded()
{
    TCustomControl::Loaded();
    if (auto* list = ResolvePending<TImageList>(*this, d_->pendingImages, "Images", "image list", "an image list"))
        SetImages(list);
    ComputeSpacer();
    d_->loaded = true;
    if (!d_->pendingActivePage.isEmpty()) {
        const QString name = d_->pendingActivePage;
        const auto fail = std::move(d_->pendingFail);
        d_->pendingActivePage.clear();
        d_->pendingFail = nullptr;
        auto* page = dynamic_cast<TFlatTabSheet*>(Owner() ? Owner()->FindComponent(name) : nullptr);
        if (!page || page->pageControl_ != this) {
            const QString problem = QStringLiteral("ActivePage '%1' of %2 is not one of its pages").arg(name, Name());
            if (fail)
                fail(problem);
            throw EInvalidOperation(problem);
        }
        SetActivePage(page);
    }
    RefreshAllTabTexts();
    Realign();
}

void TFlatPageControl::Notification(TComponent* component, bool removing)
{
    TCustomControl::Notification(component, removing);
    if (removing && component == d_->images.Get() && d_->images.Set(nullptr)) {
        ComputeSpacer();
        Invalidate();
    }
}

void TFlatPageControl::BoundsChanged()
{
    TCustomControl::BoundsChanged();
    Relayout();
}

void TFlatPageControl::FontChanged()
{
    TCustomControl::FontChanged();
    RefreshAllTabTexts();
    Relayout();
}

void TFlatPageControl::Paint(TCanvas& canvas)
{
    // OnDrawTab handlers reach the canvas while the painting lasts, and not after.
    d_->paintCanvas = &canvas;
    struct Forget {
        TCanvas*& canvas;
        ~Forget() { canvas = nullptr; }
    } forget{d_->paintCanvas};
    TFlatTabPainter(*this, d_->strip, d_->hot, d_->focused).Paint(canvas);
}
