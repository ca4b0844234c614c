#include "orgchart/ChartAccessibility.h"

#include <vector>

#include "orgchart/OcInplaceEdit.h"
#include "orgchart/OrgChart.h"
#include "platform/framework/accessibility/AccessibleBridge.h"

ChartAccessibility::ChartAccessibility(TCustomOrgChart& chart) : TAccessibleSource(chart), chart_(chart) {}

bool ChartAccessibility::IsValid(TAccItem item) const
{
    if (item == 0)
        return true;
    // A key may outlive its node: it is looked for among the live nodes, never
    // read through.
    std::vector<const TOcNode*> pending{chart_.Tree().Root()};
    while (!pending.empty()) {
        const TOcNode* n = pending.back();
        pending.pop_back();
        for (int i = 0; i < n->Count(); ++i) {
            const TOcNode* child = n->Items(i);
            if (Key(child) == item)
                return !child->Deleting();
            pending.push_back(child);
        }
    }
    return false;
}

TOcNode* ChartAccessibility::ParentNode(TAccItem item) const { return item == 0 ? chart_.Tree().Root() : Node(item); }

int ChartAccessibility::ChildCount(TAccItem parent) const { return ParentNode(parent)->Count(); }

TAccItem ChartAccessibility::Child(TAccItem parent, int index) const
{
    TOcNode* p = ParentNode(parent);
    return index >= 0 && index < p->Count() ? Key(p->Items(index)) : 0;
}

TAccItem ChartAccessibility::ParentOf(TAccItem item) const
{
    return item == 0 ? 0 : Key(Node(item)->Parent());
}

int ChartAccessibility::IndexOf(TAccItem item) const { return item == 0 ? -1 : Node(item)->Index(); }

TAccItem ChartAccessibility::ItemAt(int x, int y) const { return Key(chart_.GetNodeAt(x, y)); }

TAccItem ChartAccessibility::FocusedItem() const { return Key(chart_.Tree().Selected()); }

TAccRole ChartAccessibility::Role(TAccItem item) const { return item == 0 ? arTree : arTreeItem; }

QString ChartAccessibility::Name(TAccItem item) const { return item == 0 ? QString() : Node(item)->Text(); }

TAccStates ChartAccessibility::States(TAccItem item) const
{
    if (item == 0)
        return 0;
    const TOcNode* n = Node(item);
    TAccStates s = asSelectable | asFocusable;
    if (n->Selected())
        s |= asSelected;
    if (n->Focused() && !chart_.Editing())
        s |= asFocused;
    if (n->HasChildren())
        s |= asExpandable | (n->Expanded() ? asExpanded : asCollapsed);
    if (!n->IsVisible())
        s |= asInvisible;
    if (n->Selected() && chart_.Editing())
        s |= asEditable | asFocused;
    return s;
}

TRect ChartAccessibility::Bounds(TAccItem item) const
{
    if (item == 0)
        return chart_.ClientRect();
    TOcNode* n = Node(item);
    return n->IsVisible() ? chart_.NodeShapeRect(n) : TRect{};
}

int ChartAccessibility::Level(TAccItem item) const { return item == 0 ? 0 : Node(item)->Level(); }

std::vector<TAccAction> ChartAccessibility::Actions(TAccItem item) const
{
    std::vector<TAccAction> actions;
    if (item == 0)
        return actions;
    const TOcNode* n = Node(item);
    if (n->HasChildren())
        actions.push_back(n->Expanded() ? aaCollapse : aaExpand);
    if (chart_.HasOption(ocEdit))
        actions.push_back(aaRename);
    return actions;
}

bool ChartAccessibility::DoAction(TAccItem item, TAccAction action)
{
    const std::vector<TAccAction> allowed = Actions(item);
    if (std::find(allowed.begin(), allowed.end(), action) == allowed.end())
        return false;
    TOcNode* n = Node(item);
    switch (action) {
    case aaExpand:
    case aaCollapse:
        n->SetExpanded(action == aaExpand);
        NotifyAccessibleState(chart_, item);
        return true;
    case aaRename:
        // As the user renames: the node is selected, then edited in place.
        chart_.Tree().SetSelected(n);
        if (chart_.Tree().Selected() != n)
            return false;
        chart_.ShowEditor();
        return chart_.Editing();
    default:
        return false;
    }
}

TControl* ChartAccessibility::Editor(TAccItem item) const
{
    if (item == 0 || !chart_.Editing() || Key(chart_.Tree().Selected()) != item)
        return nullptr;
    return chart_.Editor();
}

void RegisterChartAccessibility()
{
    RegisterAccessibleProvider([](TControl& control) -> std::unique_ptr<TAccessibleSource> {
        if (auto* chart = dynamic_cast<TCustomOrgChart*>(&control))
            return std::make_unique<ChartAccessibility>(*chart);
        return nullptr;
    });
}
