#pragma once

// Page 5 (公共资源策略设置): the resource classes, and for the current class
// the resources the holder is restricted on, with the three policy flags as
// check cells. A resource not listed is not restricted. With 显示继承的权限,
// the restrictions of the units above that the holder has none of its own on
// follow, shaded (the nearest unit's); changing one restricts the holder itself.

#include <utility>

#include "store/StoreRecord.h"

#include "screens/rights/RightsPage.h"

class RightsResourcePage : public RightsPage {
public:
    RightsResourcePage(RightsWork& work, TTavikPTGrid& classes, TTavikPTGrid& resources);

    void Show(qint64 holder) override;
    void Harvest() override;
    void EndEdit() override;

    // The class grid's current row changed.
    void ClassChosen();
    // The class whose resources are listed, 0 when there is none.
    qint64 CurrentClass();
    // The resources not yet listed are restricted, every flag ticked; returns
    // how many.
    int AddResources(const std::vector<qint64>& resources);
    bool RemoveSelected();
    void SetShowInherited(bool on);

    enum { ClassNameCol = 1, ClassCodeCol };
    enum { NameCol = 1, CodeCol, BrowseCol, EditCol, DeleteCol };

private:
    void ShowPolicies();

    TTavikPTGrid& classes_;
    TTavikPTGrid& resources_;
    qint64 shownClass_ = 0;
    bool showInherited_ = false;
    // The rows after the holder's own: a resource and the flags inherited on it.
    std::vector<std::pair<qint64, QVariantList>> inherited_;
};
