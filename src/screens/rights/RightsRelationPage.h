#pragma once

// Pages 2 and 3: the units (and, on page 2, people in a unit) that stand in a
// relation to the holder, one grid row each, in their stored order. Page 2
// (行政和业务隶属关系设置) lists subordination, page 3 (角色信任关系设置) the
// roles the holder trusts with the level of trust, which may be typed.

#include "screens/rights/RightsPage.h"

#include "store/StoreSchema.h"

class RightsRelationPage : public RightsPage {
public:
    // table is Subordination or Trust.
    RightsRelationPage(RightsWork& work, TableId table, TTavikPTGrid& grid);

    void Show(qint64 holder) override;
    void Harvest() override;
    void EndEdit() override;

    // The units not yet related (nor the holder itself) are added at the end;
    // returns how many.
    int AddUnits(const std::vector<qint64>& units);
    bool RemoveSelected();
    // The first trust level that cannot be saved, for any holder: the holder
    // and the working row are given back with the message.
    QString Problem(qint64& holder, size_t& entry) const;
    // Makes the working row's level cell the current one; returns its row.
    int FocusLevel(size_t entry);

    // Page 2's columns.
    enum { SubNameCol = 1, SubCodeCol, SubPathCol, SubKindCol };
    // Page 3's columns.
    enum { TrustNameCol = 1, TrustCodeCol, TrustLevelCol, TrustPathCol };
    // What a new trust grants.
    static QString DefaultLevel();

private:
    int HolderCol() const;
    int TargetCol() const;
    int PositionCol() const;
    void ShowRows();

    TableId table_;
    TTavikPTGrid& grid_;
};
