#include "platform/controls/TreeView.h"

#include <algorithm>

#include <QCollator>
#include <QEvent>
#include <QHeaderView>
#include <QLocale>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "platform/controls/TreeWidget.h"
#include "platform/framework/ControlWidget.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/framework/PendingReference.h"

// ---- TTreeNode ---------------------------------------------------------------

TTreeNode::~TTreeNode() = default;

TTreeNode* TTreeNode::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("Tree node index %1 out of range").arg(index));
    return children_[index].get();
}

int TTreeNode::Index() const
{
    const auto& siblings = tree_->SiblingsOf(parent_);
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const
{
    int level = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_)
        ++level;
    return level;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    const auto& siblings = tree_->SiblingsOf(parent_);
    const int i = Index();
    return i + 1 < static_cast<int>(siblings.size()) ? siblings[i + 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    const int i = Index();
    return i > 0 ? tree_->SiblingsOf(parent_)[i - 1].get() : nullptr;
}

void TTreeNode::SetText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    tree_->SyncItem(this);
    if (tree_->SortsByText())
        tree_->SortChildren(parent_, false);
}

void TTreeNode::SetImageIndex(int v)
{
    if (Exchange(imageIndex_, v))
        tree_->SyncItem(this);
}

void TTreeNode::SetSelectedIndex(int v)
{
    if (Exchange(selectedIndex_, v))
        tree_->SyncItem(this);
}

void TTreeNode::SetStateIndex(int v)
{
    stateIndex_ = v;
}

void TTreeNode::SetData(void* data)
{
    if (data == data_)
        return;
    data_ = data;
    if (tree_->SortsByData())
        tree_->SortChildren(parent_, false);
}

void TTreeNode::SetExpanded(bool v)
{
    if (v == expanded_ || (v && children_.empty()))
        return;
    expanded_ = v;
    if (item_) {
        const QSignalBlocker block(item_->treeWidget());
        tree_->Tree()->ForgetWidthHint();
        item_->setExpanded(v);
    }
    if (v)
        tree_->OnExpanded(tree_, this);
    else
        tree_->OnCollapsed(tree_, this);
}

void TTreeNode::Expand(bool recursive)
{
    SetExpanded(true);
    if (recursive)
        for (auto& c : children_)
            c->Expand(true);
}

void TTreeNode::Collapse(bool recursive)
{
    SetExpanded(false);
    if (recursive)
        for (auto& c : children_)
            c->Collapse(true);
}

bool TTreeNode::Selected() const
{
    return tree_->Selected() == this;
}

void TTreeNode::SetSelected(bool v)
{
    if (v)
        tree_->SetSelected(this);
    else if (Selected())
        tree_->SetSelected(nullptr);
}

bool TTreeNode::EditText()
{
    return tree_->BeginEdit(this);
}

void TTreeNode::Delete()
{
    tree_->Remove(this);
}

// ---- TTreeNodes --------------------------------------------------------------

namespace {

// Depth-first walk; fn returns true to stop.
template <class Fn>
bool Walk(TTreeNode* node, Fn& fn)
{
    if (fn(node))
        return true;
    for (int i = 0; i < node->Count(); ++i)
        if (Walk(node->Item(i), fn))
            return true;
    return false;
}

} // namespace

int TTreeNodes::Count() const
{
    int n = 0;
    auto count = [&n](TTreeNode*) {
        ++n;
        return false;
    };
    for (const auto& root : tree_->roots_)
        Walk(root.get(), count);
    return n;
}

TTreeNode* TTreeNodes::Item(int index) const
{
    TTreeNode* found = nullptr;
    int i = 0;
    auto find = [&](TTreeNode* node) {
        if (i++ == index)
            found = node;
        return found != nullptr;
    };
    if (index >= 0)
        for (const auto& root : tree_->roots_)
            if (Walk(root.get(), find))
                break;
    if (!found)
        throw EListError(QStringLiteral("Tree node index %1 out of range").arg(index));
    return found;
}

TTreeNode* TTreeNodes::GetFirstNode() const
{
    return tree_->roots_.empty() ? nullptr : tree_->roots_.front().get();
}

int TTreeNodes::TopCount() const
{
    return static_cast<int>(tree_->roots_.size());
}

TTreeNode* TTreeNodes::TopItem(int index) const
{
    if (index < 0 || index >= TopCount())
        throw EListError(QStringLiteral("Tree node index %1 out of range").arg(index));
    return tree_->roots_[index].get();
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const QString& text)
{
    TTreeNode* parent = sibling ? sibling->Parent() : nullptr;
    return tree_->Insert(parent, static_cast<int>(tree_->SiblingsOf(parent).size()), text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const QString& text)
{
    return tree_->Insert(parent, static_cast<int>(tree_->SiblingsOf(parent).size()), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const QString& text)
{
    return tree_->Insert(parent, 0, text);
}

void TTreeNodes::Delete(TTreeNode* node)
{
    if (node)
        tree_->Remove(node);
}

void TTreeNodes::Clear()
{
    tree_->clearing_ = true;
    while (!tree_->roots_.empty())
        tree_->Remove(tree_->roots_.back().get());
    tree_->clearing_ = false;
}

// ---- TTreeView ---------------------------------------------------------------

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), items_(this)
{
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
}

TTreeView::~TTreeView()
{
    if (TreeWidget* tree = Tree()) {
        // The window outlives the nodes by a moment; it must not call back.
        tree->Detach();
        tree->blockSignals(true);
    }
    clearing_ = true;
    roots_.clear();
    selected_ = nullptr;
}

TreeWidget* TTreeView::Tree() const
{
    return HasWidget() ? static_cast<TreeWidget*>(const_cast<TTreeView*>(this)->Widget()) : nullptr;
}

TTreeNode* TTreeView::NodeOf(QTreeWidgetItem* item) const
{
    return item ? reinterpret_cast<TTreeNode*>(item->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeView::SiblingsOf(TTreeNode* parent)
{
    return parent ? parent->children_ : roots_;
}

QWidget* TTreeView::CreateWidget()
{
    auto* tree = new TreeWidget(this);
    tree->setColumnCount(1);
    tree->setHeaderHidden(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setFocusPolicy(Qt::ClickFocus);
    // Long labels scroll sideways, as on the platform's tree, instead of being cut short.
    tree->setTextElideMode(Qt::ElideNone);
    // Unstretched first: unstretching a column that follows its contents measures it.
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QObject::connect(tree, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        GuardedCall([&] { CurrentChanged(NodeOf(current)); });
    });
    QObject::connect(tree, &QTreeWidget::itemChanged, [this](QTreeWidgetItem* item, int) {
        GuardedCall([&] {
            if (TTreeNode* node = NodeOf(item))
                LabelEdited(node, item->text(0));
        });
    });
    QObject::connect(tree, &QTreeWidget::itemExpanded,
                     [this](QTreeWidgetItem* item) { GuardedCall([&] { NodeExpansion(NodeOf(item), true); }); });
    QObject::connect(tree, &QTreeWidget::itemCollapsed,
                     [this](QTreeWidgetItem* item) { GuardedCall([&] { NodeExpansion(NodeOf(item), false); }); });
    return tree;
}

void TTreeView::SyncWidget()
{
    TWinControl::SyncWidget();
    TreeWidget* tree = Tree();
    if (!tree)
        return;
    // A stored tree mirrors its nodes once loading ends, with their pictures:
    // the image list is found only then.
    if (tree->topLevelItemCount() == 0 && !roots_.empty() && !IsLoading()) {
        const QSignalBlocker block(tree);
        BuildItems();
        if (selected_ && selected_->item_)
            tree->setCurrentItem(selected_->item_);
    }
    ApplyLook();
}

QList<QTreeWidgetItem*> TTreeView::MakeItems(TTreeNode* parent)
{
    QList<QTreeWidgetItem*> items;
    for (auto& node : SiblingsOf(parent)) {
        node->item_ = new QTreeWidgetItem();
        node->item_->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(node.get())));
        node->item_->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        SyncItem(node.get());
        node->item_->addChildren(MakeItems(node.get()));
        items.append(node->item_);
    }
    return items;
}

void TTreeView::BuildItems()
{
    // Made apart from the window and handed over at once, so that the view
    // takes them in one insertion rather than one per node.
    Tree()->addTopLevelItems(MakeItems(nullptr));
    auto expand = [](TTreeNode* n) {
        if (n->expanded_)
            n->item_->setExpanded(true);
        return false;
    };
    for (auto& root : roots_)
        Walk(root.get(), expand);
}

void TTreeView::SyncItem(TTreeNode* node)
{
    QTreeWidgetItem* item = node->item_;
    if (!item)
        return;
    const QSignalBlocker block(item->treeWidget());
    item->setText(0, node->text_);
    item->setIcon(0, IconFor(node->imageIndex_, node->selectedIndex_));
}

const QIcon& TTreeView::IconFor(int normal, int selected)
{
    // Nodes share a handful of pictures: each pair is made once per image list.
    auto [it, made] = icons_.try_emplace({normal, selected});
    if (made && images_) {
        if (normal >= 0 && normal < images_->Count())
            it->second.addPixmap(QPixmap::fromImage(images_->Image(normal)), QIcon::Normal);
        if (selected >= 0 && selected < images_->Count())
            it->second.addPixmap(QPixmap::fromImage(images_->Image(selected)), QIcon::Selected);
    }
    return it->second;
}

TTreeNode* TTreeView::Insert(TTreeNode* parent, int position, const QString& text)
{
    auto& siblings = SiblingsOf(parent);
    std::unique_ptr<TTreeNode> owned(new TTreeNode(this, parent));
    TTreeNode* node = owned.get();
    node->text_ = text;
    if (SortsByText()) {
        // New nodes go after their equals, so stored order survives among ties.
        position = static_cast<int>(siblings.size());
        for (size_t i = 0; i < siblings.size(); ++i)
            if (Compare(node, siblings[i].get()) < 0) {
                position = static_cast<int>(i);
                break;
            }
    }
    position = std::clamp(position, 0, static_cast<int>(siblings.size()));
    siblings.insert(siblings.begin() + position, std::move(owned));
    // A stored tree's nodes are mirrored all at once when loading ends.
    TreeWidget* tree = Tree();
    const bool deferred = tree && IsLoading() && tree->topLevelItemCount() == 0;
    if (tree && !deferred && (!parent || parent->item_)) {
        const QSignalBlocker block(tree);
        node->item_ = new QTreeWidgetItem();
        node->item_->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
        node->item_->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        if (parent)
            parent->item_->insertChild(position, node->item_);
        else
            tree->insertTopLevelItem(position, node->item_);
        SyncItem(node);
    }
    return node;
}

namespace {

bool Contains(TTreeNode* ancestor, TTreeNode* node)
{
    for (TTreeNode* p = node; p; p = p->Parent())
        if (p == ancestor)
            return true;
    return false;
}

} // namespace

void TTreeView::Remove(TTreeNode* node)
{
    if (!node || node->tree_ != this)
        throw EInvalidOperation("The node does not belong to this tree");
    const bool wasSelected = selected_ && Contains(node, selected_);
    if (wasSelected)
        selected_ = nullptr;
    if (node->item_) {
        const QSignalBlocker block(node->item_->treeWidget());
        delete node->item_; // its child items go with it
        Tree()->ForgetMeasures();
        auto forget = [](TTreeNode* n) {
            n->item_ = nullptr;
            return false;
        };
        Walk(node, forget);
    }
    auto& siblings = SiblingsOf(node->parent_);
    TTreeNode* parent = node->parent_;
    std::erase_if(siblings, [node](const auto& p) { return p.get() == node; });
    if (parent && parent->children_.empty())
        parent->expanded_ = false;
    if (wasSelected && !clearing_ && !IsDestroying())
        OnChange(this, nullptr);
}

int TTreeView::Compare(TTreeNode* a, TTreeNode* b)
{
    if (OnCompare) {
        int result = 0;
        OnCompare(this, a, b, result);
        return result;
    }
    // The program's texts are Chinese and sort as the Chinese locale does (by
    // pinyin), so "董事会" comes before "监事会".
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::China));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int r = collator.compare(a->text_, b->text_);
    return r != 0 ? r : QString::compare(a->text_, b->text_, Qt::CaseSensitive);
}

void TTreeView::SortChildren(TTreeNode* parent, bool recursive)
{
    auto& siblings = SiblingsOf(parent);
    std::stable_sort(siblings.begin(), siblings.end(),
                     [this](const auto& a, const auto& b) { return Compare(a.get(), b.get()) < 0; });
    SyncOrder(parent);
    if (recursive)
        for (auto& s : siblings)
            SortChildren(s.get(), true);
}

namespace {

void ApplyExpansion(TTreeNode* node, QTreeWidgetItem* item)
{
    item->setExpanded(node->Expanded());
    for (int i = 0; i < node->Count() && i < item->childCount(); ++i)
        ApplyExpansion(node->Item(i), item->child(i));
}

} // namespace

void TTreeView::SyncOrder(TTreeNode* parent)
{
    TreeWidget* tree = Tree();
    if (!tree || (parent && !parent->item_))
        return;
    const QSignalBlocker block(tree);
    auto& siblings = SiblingsOf(parent);
    QTreeWidgetItem* current = tree->currentItem();
    for (int i = 0; i < static_cast<int>(siblings.size()); ++i) {
        QTreeWidgetItem* item = siblings[i]->item_;
        QTreeWidgetItem* at = parent ? parent->item_->child(i) : tree->topLevelItem(i);
        if (item == at)
            continue;
        if (parent) {
            parent->item_->removeChild(item);
            parent->item_->insertChild(i, item);
        } else {
            tree->takeTopLevelItem(tree->indexOfTopLevelItem(item));
            tree->insertTopLevelItem(i, item);
        }
        // Moving an item loses the view's idea of what is open below it.
        ApplyExpansion(siblings[i].get(), item);
    }
    tree->ForgetWidthHint();
    if (current)
        tree->setCurrentItem(current);
}

void TTreeView::AlphaSort()
{
    SortChildren(nullptr, true);
}

void TTreeView::SetSelected(TTreeNode* node)
{
    if (node && node->tree_ != this)
        throw EInvalidOperation("The node does not belong to this tree");
    if (node == selected_)
        return;
    // A selected node is shown: its ancestors open.
    if (node)
        for (TTreeNode* p = node->parent_; p; p = p->parent_)
            p->SetExpanded(true);
    selected_ = node;
    if (TreeWidget* tree = Tree()) {
        const QSignalBlocker block(tree);
        tree->setCurrentItem(node ? node->item_ : nullptr);
    }
    OnChange(this, node);
}

void TTreeView::CurrentChanged(TTreeNode* node)
{
    if (Exchange(selected_, node))
        OnChange(this, node);
}

void TTreeView::NodeExpansion(TTreeNode* node, bool expanded)
{
    // Other rows show now: the view measures them before it lays them out.
    if (TreeWidget* tree = Tree())
        tree->ForgetWidthHint();
    if (!node || node->expanded_ == expanded)
        return;
    node->expanded_ = expanded;
    if (expanded)
        OnExpanded(this, node);
    else
        OnCollapsed(this, node);
}

void TTreeView::FullExpand()
{
    for (auto& root : roots_)
        root->Expand(true);
}

void TTreeView::FullCollapse()
{
    for (auto& root : roots_)
        root->Collapse(true);
}

void TTreeView::SetImages(TImageList* images)
{
    if (!images_.Set(images))
        return;
    pendingImages_.clear();
    ImagesChanged();
}

void TTreeView::ImagesChanged()
{
    icons_.clear();
    auto sync = [this](TTreeNode* n) {
        SyncItem(n);
        return false;
    };
    for (auto& root : roots_)
        Walk(root.get(), sync);
    ApplyLook();
}

void TTreeView::SetIndent(int v)
{
    if (v < 0)
        throw EInvalidOperation(QStringLiteral("Indent must not be negative, not %1").arg(v));
    indent_ = v;
    ApplyLook();
}

void TTreeView::SetSortType(TSortType v)
{
    if (v == sortType_)
        return;
    sortType_ = v;
    if (SortsByText() || (SortsByData() && OnCompare))
        AlphaSort();
}

void TTreeView::SetHideSelection(bool v)
{
    hideSelection_ = v;
    ApplyLook();
}

void TTreeView::SetReadOnly(bool v)
{
    readOnly_ = v;
    ApplyLook();
}

void TTreeView::SetRowSelect(bool v)
{
    rowSelect_ = v;
    ApplyLook();
}

void TTreeView::SetShowButtons(bool v)
{
    showButtons_ = v;
    ApplyLook();
}

void TTreeView::SetShowLines(bool v)
{
    showLines_ = v;
    ApplyLook();
}

void TTreeView::SetShowRoot(bool v)
{
    showRoot_ = v;
    ApplyLook();
}

void TTreeView::SetBorderStyle(TFormBorderStyle v)
{
    if (v != bsNone && v != bsSingle)
        throw EInvalidOperation("A tree view's BorderStyle is bsNone or bsSingle");
    borderStyle_ = v;
    ApplyLook();
}

void TTreeView::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
}

void TTreeView::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
}

QFont TTreeView::WidgetFont() const
{
    // Labels are drawn as the platform's tree draws them, without kerning or
    // ligatures (scripts that need shaping still get it); the view lays every
    // label out several times a paint, and shaping was most of that. Set with
    // the font, so that the window's font changes once rather than twice.
    QFont font = TWinControl::WidgetFont();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

void TTreeView::ApplyLook()
{
    TreeWidget* tree = Tree();
    if (!tree)
        return;
    tree->ForgetMeasures();
    tree->setIndentation(indent_);
    tree->setRootIsDecorated(showRoot_ && showButtons_);
    tree->setAllColumnsShowFocus(rowSelect_);
    tree->setEditTriggers(readOnly_ ? QAbstractItemView::NoEditTriggers
                                    : QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    tree->setIconSize(images_ ? QSize(images_->Width(), images_->Height()) : QSize(16, 16));
    QPalette pal = tree->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    pal.setColor(QPalette::Text, ToQColor(Font().Color()));
    pal.setColor(QPalette::WindowText, ToQColor(clWindowFrame));
    // Without focus the selection stays visible in the face colour, or vanishes.
    pal.setColor(QPalette::Inactive, QPalette::Highlight, ToQColor(hideSelection_ ? Color() : clBtnFace));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 ToQColor(hideSelection_ ? Font().Color() : clWindowText));
    tree->setPalette(pal);
    if (borderStyle_ == bsNone) {
        tree->setFrameStyle(QFrame::NoFrame);
    } else if (Flat()) {
        tree->setFrameStyle(QFrame::Box | QFrame::Plain);
        tree->setLineWidth(1);
    } else {
        tree->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    }
}

bool TTreeView::CanEdit(TTreeNode* node)
{
    if (readOnly_ || !node)
        return false;
    bool allow = true;
    OnEditing(this, node, allow);
    return allow;
}

bool TTreeView::BeginEdit(TTreeNode* node)
{
    if (!node || node->tree_ != this)
        throw EInvalidOperation("The node does not belong to this tree");
    TreeWidget* tree = static_cast<TreeWidget*>(Widget());
    if (!node->item_ || IsEditing() || !CanEdit(node))
        return false;
    tree->scrollToItem(node->item_);
    tree->EditApproved(node->item_);
    return IsEditing();
}

bool TTreeView::IsEditing() const
{
    TreeWidget* tree = Tree();
    return tree && tree->Editing();
}

void TTreeView::LabelEdited(TTreeNode* node, const QString& text)
{
    QString s = text;
    OnEdited(this, node, s);
    if (s == node->text_)
        SyncItem(node); // the handler kept the old text: show it again
    else
        node->SetText(s);
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const
{
    TreeWidget* tree = Tree();
    if (!tree)
        return nullptr;
    return NodeOf(tree->itemAt(tree->viewport()->mapFrom(tree, QPoint(x, y))));
}

unsigned TTreeView::DialogCode() const
{
    // The label editor keeps Enter and Escape to end the edit.
    return IsEditing() ? DLGC_WANTALLKEYS : DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TTreeView::WndProc(TMessage& message)
{
    if (message.Msg == TVM_EDITLABEL) {
        // A posted request may outlive its node: only nodes still in the tree count.
        auto* wanted = reinterpret_cast<TTreeNode*>(message.LParam);
        TTreeNode* found = nullptr;
        auto find = [&](TTreeNode* n) {
            if (n == wanted)
                found = n;
            return found != nullptr;
        };
        for (auto& root : roots_)
            if (Walk(root.get(), find))
                break;
        message.Result = found && BeginEdit(found) ? 1 : 0;
        return;
    }
    TWinControl::WndProc(message);
}

void TTreeView::Loaded()
{
    // The pictures before the rest, so that the nodes are mirrored once, with them.
    TImageList* list = nullptr;
    try {
        list = ResolvePending<TImageList>(*this, pendingImages_, "Images", "image list", "an image list");
    } catch (...) {
        TWinControl::Loaded();
        throw;
    }
    if (list)
        SetImages(list);
    TWinControl::Loaded();
}
