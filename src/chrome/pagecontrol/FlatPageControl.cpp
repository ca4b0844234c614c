#include "chrome/pagecontrol/FlatPageControl.h"

#include <algorithm>

#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/framework/PendingReference.h"

TFlatPageControl::TFlatPageControl(TComponent* owner)
    : TCustomControl(owner),
      tabMargin_(std::make_unique<TTabMargin>()),
      activeFont_(std::make_unique<TFont>()),
      tabBackGround_(std::make_unique<TBitmap>()),
      tabBackGroundActive_(std::make_unique<TBitmap>()),
      closeGlyph_(std::make_unique<TBitmap>())
{
    SetTabStop(true);
    SetParentFont(false);
    Font().SetName(QStringLiteral("Tahoma"));
    activeFont_->SetName(QStringLiteral("Tahoma"));
    activeFont_->OnChange = TNotifyEvent([this](TObject*) {
        if (activePage_)
            RefreshTabText(activePage_);
        Invalidate();
    });
    tabMargin_->OnMarginChange = [this](int n, int o, TTabMargin::Which w) { MarginChanged(n, o, w); };
    SetBounds(0, 0, 289, 193);
    Relayout();
}

TFlatPageControl::~TFlatPageControl()
{
    // The pages go with their owner; they only forget us here.
    for (TFlatTabSheet* p : pages_)
        p->pageControl_ = nullptr;
    pages_.clear();
    tabs_.clear();
    activePage_ = nullptr;
    activeFont_->OnChange = TNotifyEvent();
    tabMargin_->OnMarginChange = nullptr;
}

// ---- Pages ---------------------------------------------------------------------

TFlatTabSheet* TFlatPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return pages_[index];
}

int TFlatPageControl::IndexOfPage(const TFlatTabSheet* sheet) const
{
    if (!sheet)
        return -1;
    auto it = std::find(pages_.begin(), pages_.end(), sheet);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TFlatPageControl::InsertPage(TFlatTabSheet* page)
{
    pages_.push_back(page);
    page->pageControl_ = this;
    if (page->textColor_ == clBlack)
        page->textColor_ = defaultTextColor_;
    if (page->tabColor_ == clNone)
        page->tabColor_ = defaultTabColor_;
    if (page->tabColorTo_ == clNone)
        page->tabColorTo_ = defaultTabColorTo_;
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
    pages_.erase(std::find(pages_.begin(), pages_.end(), page));
    page->pageControl_ = nullptr;
    if (activePage_ == page)
        activePage_ = nullptr;
    if (hoveredTab_ >= PageCount())
        hoveredTab_ = -1;
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
    TFlatTabSheet* selected = tabSelected_ >= 0 ? tabs_[tabSelected_] : nullptr;
    pages_.erase(pages_.begin() + old);
    pages_.insert(pages_.begin() + newIndex, page);
    if (oldTab >= 0) {
        const QString text = tabTexts_[oldTab];
        tabs_.erase(tabs_.begin() + oldTab);
        tabTexts_.erase(tabTexts_.begin() + oldTab);
        const int newTab = page->TabIndex();
        tabs_.insert(tabs_.begin() + newTab, page);
        tabTexts_.insert(tabTexts_.begin() + newTab, text);
        tabSelected_ = selected ? static_cast<int>(std::find(tabs_.begin(), tabs_.end(), selected) - tabs_.begin())
                                : -1;
    }
    Relayout();
    Invalidate();
}

void TFlatPageControl::ShowTab(TFlatTabSheet* page)
{
    if (page->tabShown_)
        return;
    page->tabShown_ = true;
    const int index = page->TabIndex();
    tabs_.insert(tabs_.begin() + index, page);
    tabTexts_.insert(tabTexts_.begin() + index, page->layoutText_);
    if (tabSelected_ >= index)
        ++tabSelected_;
    else if (tabSelected_ < 0 && TabCount() == 1)
        tabSelected_ = 0;  // the first tab of an empty strip is selected, as on the platform
    Relayout();
    UpdateActivePage();
}

void TFlatPageControl::HideTab(TFlatTabSheet* page)
{
    if (!page->tabShown_)
        return;
    const int index = page->TabIndex();
    page->tabShown_ = false;
    tabs_.erase(tabs_.begin() + index);
    tabTexts_.erase(tabTexts_.begin() + index);
    if (tabSelected_ > index) {
        --tabSelected_;
    } else if (tabSelected_ == index) {
        // The tab that takes the place of the hidden one, or the last one.
        tabSelected_ = index < TabCount() ? index : TabCount() - 1;
    }
    Relayout();
    if (activePage_ == page || (tabSelected_ >= 0 && tabs_[tabSelected_] != activePage_))
        UpdateActivePage();
}

void TFlatPageControl::SelectTab(int tabIndex)
{
    tabSelected_ = tabIndex >= 0 && tabIndex < TabCount() ? tabIndex : -1;
    Invalidate();
}

void TFlatPageControl::UpdateActivePage()
{
    SetActivePage(tabSelected_ >= 0 ? tabs_[tabSelected_] : nullptr);
}

void TFlatPageControl::SetActivePage(TFlatTabSheet* page)
{
    if (page && page->pageControl_ != this)
        return;
    if (page == activePage_) {
        if (page)
            SelectTab(page->TabIndex());
        return;
    }
    if (page && !page->tabEnable_) {
        // The strip keeps showing the page that stays active.
        SelectTab(activePage_ ? activePage_->TabIndex() : -1);
        return;
    }
    if (!page) {
        SelectTab(-1);
        TFlatTabSheet* old = activePage_;
        activePage_ = nullptr;
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
    if (form && activePage_ && form->ActiveControl() && contains(activePage_, form->ActiveControl())) {
        form->SetActiveControl(activePage_);
        if (form->ActiveControl() != activePage_) {
            SelectTab(activePage_->TabIndex());
            return;
        }
    }
    page->BringToFront();  // over a page left on screen when all tabs were hidden
    page->activating_ = true;
    page->SetVisible(true);
    page->activating_ = false;
    if (form && activePage_ && form->ActiveControl() == activePage_) {
        if (page->CanFocus())
            form->SetActiveControl(page);
        else
            form->SetActiveControl(this);
    }
    TFlatTabSheet* old = activePage_;
    if (old)
        old->SetVisible(false);
    activePage_ = page;
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
    SetActivePage(index >= 0 && index < PageCount() ? pages_[index] : nullptr);
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
        TFlatTabSheet* p = pages_[i];
        if (!checkTabVisible || p->tabVisible_)
            return p;
    } while (i != start);
    return nullptr;
}

void TFlatPageControl::SelectNextPage(bool goForward)
{
    TFlatTabSheet* next = FindNextPage(activePage_, goForward, true);
    if (!next || next == activePage_ || !CanChange(IndexOfPage(next)))
        return;
    SelectTab(next->TabIndex());
    Change();
}

void TFlatPageControl::Loaded()
{
    TCustomControl::Loaded();
    if (auto* list = ResolvePending<TImageList>(*this, pendingImages_, "Images", "image list", "an image list"))
        SetImages(list);
    ComputeSpacer();
    loaded_ = true;
    if (!pendingActivePage_.isEmpty()) {
        const QString name = pendingActivePage_;
        const auto fail = std::move(pendingFail_);
        pendingActivePage_.clear();
        pendingFail_ = nullptr;
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
    if (removing && component == images_.Get() && images_.Set(nullptr)) {
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
