#include "chrome/FlatPageControl.h"

#include <algorithm>

#include <QWidget>

#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/ImageList.h"

TFlatPageControl::TFlatPageControl(TComponent* owner)
    : TCustomControl(owner),
      tabMargin_(std::make_unique<TTabMargin>()),
      activeFont_(std::make_unique<TFont>()),
      tabBackGround_(std::make_unique<TBitmap>()),
      tabBackGroundActive_(std::make_unique<TBitmap>()),
      closeGlyph_(std::make_unique<TBitmap>())
{
    SetTabStop(true);
    InstallInputHooks();
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
    if (images_)
        images_->RemoveChangeListener(this);
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
    if (page->HasWidget())
        page->Widget()->raise();  // over a page left on screen when all tabs were hidden
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

// ---- Tab texts and layout -------------------------------------------------------

QString TFlatPageControl::TabText(int tabIndex) const
{
    if (tabIndex < 0 || tabIndex >= TabCount())
        return {};
    return tabTexts_[tabIndex];
}

void TFlatPageControl::RefreshTabText(TFlatTabSheet* page)
{
    const int index = page->TabIndex();
    if (index < 0)
        return;
    QString text = page->layoutText_;
    if (tabBorder3D_) {
        text = page->Caption();
    } else if (page == activePage_ && (activeFont_->Style() & (fsBold | fsItalic))) {
        // Pad with spaces so a tab drawn in the wider active font still fits.
        TCanvas measure;
        measure.Font().Assign(activeFont_.get());
        const int active = measure.TextWidth(text);
        measure.Font().Assign(&Font());
        const int normal = measure.TextWidth(text);
        const int space = std::max(1, measure.TextWidth(QStringLiteral(" ")));
        int missing = active - normal;
        while (missing > 0) {
            text += QLatin1Char(' ');
            missing -= space;
        }
    }
    tabTexts_[index] = text;
    Relayout();
    Invalidate();
}

void TFlatPageControl::RefreshAllTabTexts()
{
    for (int i = PageCount() - 1; i >= 0; --i)
        RefreshTabText(pages_[i]);
}

void TFlatPageControl::Relayout()
{
    TCanvas measure;
    measure.Font().Assign(&Font());
    TFlatTabLayout::Input in;
    in.width = Width();
    in.height = Height();
    in.position = tabPosition_;
    for (const QString& t : tabTexts_)
        in.textWidths.push_back(measure.TextWidth(t));
    in.textHeight = measure.TextHeight(QStringLiteral("Wg"));
    const bool vertical = tabPosition_ == TTabPosition::tpLeft || tabPosition_ == TTabPosition::tpRight;
    // Along a vertical strip the spacer's height widens the tab.
    in.spacerWidth = vertical ? spacerHeight_ : spacerWidth_;
    in.spacerHeight = vertical ? spacerWidth_ : spacerHeight_;
    if (tabBorder3D_ && images_) {
        in.spacerWidth = vertical ? images_->Height() : images_->Width();
        in.spacerHeight = vertical ? images_->Width() : images_->Height();
    }
    in.tabHeight = tabHeight_;
    in.tabWidth = tabWidth_;
    in.multiLine = multiLine_;
    const TRect oldPage = layout_.PageRect();
    layout_.Calculate(in);
    if (!(layout_.PageRect() == oldPage))
        Realign();
}

TRect TFlatPageControl::ClientRect() const
{
    TRect r = layout_.PageRect();
    r.Left -= 3;
    r.Top -= 3;
    r.Right += 3;
    r.Bottom += 3;
    switch (tabPosition_) {
    case TTabPosition::tpTop: r.Top -= 1; break;
    case TTabPosition::tpBottom: r.Bottom -= 1; break;
    case TTabPosition::tpLeft: r.Left += 1; break;
    case TTabPosition::tpRight: r.Right -= 1; break;
    }
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

TRect TFlatPageControl::TabRect(int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= PageCount())
        return {};
    return layout_.TabRect(pages_[pageIndex]->TabIndex());
}

int TFlatPageControl::PageIndexAt(int x, int y) const
{
    const int tab = layout_.TabAt(x, y);
    return tab < 0 ? -1 : IndexOfPage(tabs_[tab]);
}

void TFlatPageControl::ComputeSpacer()
{
    const int iw = images_ ? images_->Width() : 0;
    const int ih = images_ ? images_->Height() : 0;
    const TTabMargin& m = *tabMargin_;
    if (tabPosition_ == TTabPosition::tpTop || tabPosition_ == TTabPosition::tpBottom) {
        spacerWidth_ = iw + m.RightMargin() + m.LeftMargin();
        spacerHeight_ = std::max(1, ih);
    } else {
        spacerHeight_ = ih + m.RightMargin() + m.TopMargin();
        spacerWidth_ = std::max(1, iw);
    }
    Relayout();
}

void TFlatPageControl::MarginChanged(int newValue, int oldValue, TTabMargin::Which which)
{
    if (!loaded_)
        return;
    const bool horizontal = tabPosition_ == TTabPosition::tpTop || tabPosition_ == TTabPosition::tpBottom;
    const int delta = newValue - oldValue;
    // The changed margin replaces its old contribution to the spacer.
    if (which == TTabMargin::mRight || (horizontal && which == TTabMargin::mLeft))
        (horizontal ? spacerWidth_ : spacerHeight_) += delta;
    else if (!horizontal && which == TTabMargin::mTop)
        spacerHeight_ += delta;
    spacerWidth_ = std::max(0, spacerWidth_);
    spacerHeight_ = std::max(0, spacerHeight_);
    Relayout();
    Invalidate();
}

void TFlatPageControl::Loaded()
{
    TCustomControl::Loaded();
    ComputeSpacer();
    loaded_ = true;
    if (!pendingActivePage_.isEmpty()) {
        const QString name = pendingActivePage_;
        pendingActivePage_.clear();
        auto* page = dynamic_cast<TFlatTabSheet*>(Owner() ? Owner()->FindComponent(name) : nullptr);
        if (!page || page->pageControl_ != this)
            throw EInvalidOperation(QStringLiteral("ActivePage '%1' of %2 is not one of its pages").arg(name, Name()));
        SetActivePage(page);
    }
    RefreshAllTabTexts();
    Realign();
}

void TFlatPageControl::Notification(TComponent* component, bool removing)
{
    TCustomControl::Notification(component, removing);
    if (removing && component == images_) {
        images_ = nullptr;
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

// ---- Properties ------------------------------------------------------------------

void TFlatPageControl::SetImages(TImageList* images)
{
    if (images == images_)
        return;
    if (images_)
        images_->RemoveChangeListener(this);
    images_ = images;
    if (images_)
        images_->AddChangeListener(this, [this](bool destroyed) {
            if (destroyed)
                images_ = nullptr;
            ComputeSpacer();
            Invalidate();
        });
    ComputeSpacer();
    Invalidate();
}

void TFlatPageControl::SetColorField(TColor& field, TColor v)
{
    if (Exchange(field, v))
        Invalidate();
}

void TFlatPageControl::SetFlag(bool& field, bool v)
{
    if (Exchange(field, v))
        Invalidate();
}

void TFlatPageControl::SetDefaultTextColor(TColor v)
{
    if (v == defaultTextColor_)
        return;
    for (TFlatTabSheet* p : pages_)
        if (p->textColor_ == defaultTextColor_)
            p->textColor_ = v;
    defaultTextColor_ = v;
    Invalidate();
}

void TFlatPageControl::SetDefaultTabColor(TColor v)
{
    if (v == defaultTabColor_)
        return;
    for (TFlatTabSheet* p : pages_)
        if (p->tabColor_ == defaultTabColor_)
            p->tabColor_ = v;
    defaultTabColor_ = v;
    Invalidate();
}

void TFlatPageControl::SetDefaultTabColorTo(TColor v)
{
    if (v == defaultTabColorTo_)
        return;
    for (TFlatTabSheet* p : pages_)
        if (p->tabColorTo_ == defaultTabColorTo_)
            p->tabColorTo_ = v;
    defaultTabColorTo_ = v;
    Invalidate();
}

void TFlatPageControl::SetTabBorder3D(bool v)
{
    if (!Exchange(tabBorder3D_, v))
        return;
    RefreshAllTabTexts();
    Relayout();
    Invalidate();
}

void TFlatPageControl::SetTabOverlap(int v)
{
    if (v < 0 || v > 15)
        throw EInvalidOperation(QStringLiteral("TabOverlap is 0 to 15, not %1").arg(v));
    if (Exchange(tabOverlap_, v))
        Invalidate();
}

void TFlatPageControl::SetTabSplitLine(bool v)
{
    if (v && (tabStyle_ == tsDotNet || tabStyle_ == tsStudio))
        throw EInvalidOperation("TabSplitLine must be false when TabStyle is tsDotNet/tsStudio");
    SetFlag(tabSplitLine_, v);
}

void TFlatPageControl::SetTabStyle(TTabStyle v)
{
    if (v > tsStudio)
        throw EInvalidOperation(QStringLiteral("Invalid tab style %1").arg(int(v)));
    if (Exchange(tabStyle_, v))
        Invalidate();
}

void TFlatPageControl::SetLowerActive(int v)
{
    if (Exchange(lowerActive_, v))
        Invalidate();
}

void TFlatPageControl::SetTabBackGround(const QImage& image)
{
    tabBackGround_->LoadFromImage(image);
    Invalidate();
}

void TFlatPageControl::SetTabBackGroundActive(const QImage& image)
{
    tabBackGroundActive_->LoadFromImage(image);
    Invalidate();
}

void TFlatPageControl::SetCloseGlyph(const QImage& image)
{
    closeGlyph_->LoadFromImage(image);
    Invalidate();
}

void TFlatPageControl::SetTabPosition(TTabPosition v)
{
    if (static_cast<uint8_t>(v) > static_cast<uint8_t>(TTabPosition::tpRight))
        throw EInvalidOperation(QStringLiteral("Invalid tab position %1").arg(int(v)));
    if (!Exchange(tabPosition_, v))
        return;
    ComputeSpacer();
    Realign();
    Invalidate();
}

void TFlatPageControl::SetTabHeight(int v)
{
    if (v < 0 || v > 32767)
        throw EInvalidOperation(QStringLiteral("TabHeight is 0 to 32767, not %1").arg(v));
    if (!Exchange(tabHeight_, v))
        return;
    Relayout();
    Invalidate();
}

void TFlatPageControl::SetTabWidth(int v)
{
    if (v < 0 || v > 32767)
        throw EInvalidOperation(QStringLiteral("TabWidth is 0 to 32767, not %1").arg(v));
    if (!Exchange(tabWidth_, v))
        return;
    Relayout();
    Invalidate();
}

void TFlatPageControl::SetMultiLine(bool v)
{
    if (!Exchange(multiLine_, v))
        return;
    Relayout();
    Invalidate();
}

QString TFlatPageControl::Version() const
{
    const auto v = static_cast<uint32_t>(VersionNumber);
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}
