#pragma once

// Page 4 (功能和数据策略设置): the tree of system functions with the holder's
// six flags on each as check cells. A function the holder has no right on
// shows undetermined boxes; ticking one makes the right. With 显示继承的权限,
// such a function shows, shaded, the right of the nearest unit above that has
// one; changing a shaded flag gives the holder a right of its own.

#include "store/StoreRecord.h"

#include "screens/rights/RightsPage.h"

class RightsFunctionPage : public RightsPage {
public:
    RightsFunctionPage(RightsWork& work, TTavikPTGrid& grid);

    void Show(qint64 holder) override;
    void Harvest() override;
    void EndEdit() override;

    // 选择功能: the functions are granted (浏览自己 ticked, the other flags
    // cleared where they were undetermined); returns the first one's row.
    int Grant(const std::vector<qint64>& functions);
    // 全选, 全不选 and 设置策略: every flag, or 策略 alone, of the selected rows.
    bool SetSelectedFlags(bool on, bool policyOnly);
    void SetShowInherited(bool on);

    enum { NameCol = 1, FirstFlagCol = 2, LastFlagCol = 7 };

private:
    // The holder's right on a function, made when asked to; -1 without one.
    int RightRow(qint64 function, bool make);
    std::vector<size_t> SelectedRows();
    // The flags of the nearest unit above the holder with a right on the
    // function; empty without one.
    QVariantList Inherited(qint64 function) const;

    TTavikPTGrid& grid_;
    std::vector<qint64> functions_; // a grid row's data is 1 + an index here
    std::vector<QVariantList> inherited_; // what each row shows inherited, if anything
    bool showInherited_ = false;
};
