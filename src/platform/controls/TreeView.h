#pragma once

// The tree view: a wrapper over the window layer's tree widget. The nodes live
// here (TTreeNode); the widget mirrors them once it exists. Sorting, images from
// an image list, in-place editing of labels and the selection-change event
// follow the platform's tree control.

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include <QIcon>
#include <QList>

#include "platform/framework/Form.h"
#include "platform/framework/actions/ImageListLink.h"

class QTreeWidgetItem;
class TImageList;
class TTreeView;
class TreeWidget;

enum TSortType : uint8_t { stNone, stData, stText, stBoth };

class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;
    ~TTreeNode();

    TTreeView* TreeView() const { return tree_; }
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    bool HasChildren() const { return !children_.empty(); }
    // EListError for an index out of range.
    TTreeNode* Item(int index) const;
    // Position among the siblings.
    int Index() const;
    // Depth: 0 for a top-level node.
    int Level() const;
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;

    const QString& Text() const { return text_; }
    void SetText(const QString& text);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int v);
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int v);
    void* Data() const { return data_; }
    void SetData(void* data);

    // Only a node with children can be expanded.
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool v);
    void Expand(bool recursive);
    void Collapse(bool recursive);

    bool Selected() const;
    void SetSelected(bool v);
    // Opens the in-place editor on the label; false when editing is not allowed.
    bool EditText();
    // Frees the node and its children.
    void Delete();

private:
    friend class TTreeView;
    TTreeNode(TTreeView* tree, TTreeNode* parent) : tree_(tree), parent_(parent) {}

    TTreeView* tree_;
    TTreeNode* parent_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    QString text_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int stateIndex_ = -1;
    void* data_ = nullptr;
    bool expanded_ = false;
    QTreeWidgetItem* item_ = nullptr; // the widget's mirror, when it exists
};

using TTVChangedEvent = TEvent<TObject*, TTreeNode*>;
using TTVEditingEvent = TEvent<TObject*, TTreeNode*, bool&>;
using TTVEditedEvent = TEvent<TObject*, TTreeNode*, QString&>;
using TTVCompareEvent = TEvent<TObject*, TTreeNode*, TTreeNode*, int&>;

// The node collection of a tree (the tree's Items).
class TTreeNodes : public TPersistent {
public:
    const char* ClassName() const override { return "TTreeNodes"; }
    TTreeView* Owner() const { return tree_; }

    // All nodes, depth first.
    int Count() const;
    // The node at a depth-first position; EListError when out of range.
    TTreeNode* Item(int index) const;
    TTreeNode* GetFirstNode() const;
    int TopCount() const;
    TTreeNode* TopItem(int index) const;

    // A new last sibling of sibling (a top-level node for null).
    TTreeNode* Add(TTreeNode* sibling, const QString& text);
    // A new last child of parent (a top-level node for null).
    TTreeNode* AddChild(TTreeNode* parent, const QString& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const QString& text);
    void Delete(TTreeNode* node);
    void Clear();

private:
    friend class TTreeView;
    explicit TTreeNodes(TTreeView* tree) : tree_(tree) {}
    TTreeView* tree_;
};

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;
    const char* ClassName() const override { return "TTreeView"; }

    TTreeNodes& Items() { return items_; }
    const TTreeNodes& Items() const { return items_; }

    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node);
    void FullExpand();
    void FullCollapse();
    // Sorts the siblings of every level by the tree's comparison.
    void AlphaSort();

    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    // A stored definition may name an image list defined later; it is looked up
    // among the owner's components when loading ends.
    void SetImagesName(const QString& name) { pendingImages_ = name; }
    int Indent() const { return indent_; }
    void SetIndent(int v);
    TSortType SortType() const { return sortType_; }
    void SetSortType(TSortType v);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool v);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool v);
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool v);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool v);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle v);
    bool Flat() const { return borderStyle_ == bsSingle && !Ctl3D(); }

    // Opens the in-place editor on node's label (asks OnEditing first).
    bool BeginEdit(TTreeNode* node);
    bool IsEditing() const;
    // The label editor's own request: WParam unused, LParam the node.
    static constexpr unsigned TVM_EDITLABEL = 0x110E;

    // The node under a point of the client area, or null.
    TTreeNode* GetNodeAt(int x, int y) const;

    unsigned DialogCode() const override;
    void WndProc(TMessage& message) override;

    TTVChangedEvent OnChange;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVCompareEvent OnCompare;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;

protected:
    void Ctl3DChanged() override { ApplyLook(); }
    QWidget* CreateWidget() override;
    void SyncWidget() override;
    QFont WidgetFont() const override;
    void ColorChanged() override;
    void FontChanged() override;
    void Loaded() override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    friend class TreeWidget;

    TreeWidget* Tree() const;
    TTreeNode* NodeOf(QTreeWidgetItem* item) const;
    TTreeNode* Insert(TTreeNode* parent, int position, const QString& text);
    void Remove(TTreeNode* node);
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent);
    int Compare(TTreeNode* a, TTreeNode* b);
    void SortChildren(TTreeNode* parent, bool recursive);
    bool SortsByText() const { return sortType_ == stText || sortType_ == stBoth; }
    bool SortsByData() const { return sortType_ == stData || sortType_ == stBoth; }
    // Mirrors every node in the window, which holds none yet.
    void BuildItems();
    // Items for the children of parent (the top-level nodes for null), not yet in a window.
    QList<QTreeWidgetItem*> MakeItems(TTreeNode* parent);
    void SyncItem(TTreeNode* node);
    // The item picture for a node's image and selected-image indexes.
    const QIcon& IconFor(int normal, int selected);
    void SyncOrder(TTreeNode* parent);
    void ApplyLook();
    void ImagesChanged();
    bool CanEdit(TTreeNode* node);
    void LabelEdited(TTreeNode* node, const QString& text);
    void CurrentChanged(TTreeNode* node);
    void NodeExpansion(TTreeNode* node, bool expanded);

    TTreeNodes items_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
    TTreeNode* selected_ = nullptr;
    // Before the link, whose reports clear it.
    std::map<std::pair<int, int>, QIcon> icons_;
    TImageListLink images_{[this] { ImagesChanged(); }};
    QString pendingImages_;
    int indent_ = 19;
    TSortType sortType_ = stNone;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    bool rowSelect_ = false;
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    TFormBorderStyle borderStyle_ = bsSingle;
    bool clearing_ = false;
};
