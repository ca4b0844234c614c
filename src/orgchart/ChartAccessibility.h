#pragma once

// The organisation chart speaks to assistive technology as a tree: its nodes
// are tree items nested as they are drawn, with their text, level, expanded,
// selected and focused states and the actions expand, collapse and rename.

#include "platform/framework/accessibility/AccessibleSource.h"

class TCustomOrgChart;
class TOcNode;

class ChartAccessibility : public TAccessibleSource {
public:
    explicit ChartAccessibility(TCustomOrgChart& chart);

    static TAccItem Key(const TOcNode* node) { return static_cast<TAccItem>(reinterpret_cast<intptr_t>(node)); }

    bool IsValid(TAccItem item) const override;
    int ChildCount(TAccItem parent) const override;
    TAccItem Child(TAccItem parent, int index) const override;
    TAccItem ParentOf(TAccItem item) const override;
    int IndexOf(TAccItem item) const override;
    TAccItem ItemAt(int x, int y) const override;
    TAccItem FocusedItem() const override;

    TAccRole Role(TAccItem item) const override;
    QString Name(TAccItem item) const override;
    TAccStates States(TAccItem item) const override;
    TRect Bounds(TAccItem item) const override;
    int Level(TAccItem item) const override;
    std::vector<TAccAction> Actions(TAccItem item) const override;
    bool DoAction(TAccItem item, TAccAction action) override;
    TControl* Editor(TAccItem item) const override;

private:
    // The node behind a key; only called for keys IsValid accepted.
    static TOcNode* Node(TAccItem item) { return reinterpret_cast<TOcNode*>(static_cast<intptr_t>(item)); }
    TOcNode* ParentNode(TAccItem item) const;

    TCustomOrgChart& chart_;
};

// Registers the chart's provider.
void RegisterChartAccessibility();
