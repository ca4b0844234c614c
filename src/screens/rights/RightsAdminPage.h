#pragma once

// Page 1 (分级权限设置): whether the unit has department-level administrators,
// who they are, and the system functions they may manage.

#include "screens/rights/RightsPage.h"

class TSkinCheckBox;

class RightsAdminPage : public RightsPage {
public:
    RightsAdminPage(RightsWork& work, TSkinCheckBox& enabled, TTavikPTGrid& admins, TTavikPTGrid& functions);

    void Show(qint64 holder) override;
    void Harvest() override;
    void EndEdit() override;

    // The users and functions not yet there are added; returns how many.
    int AddAdmins(const std::vector<qint64>& users);
    int AddFunctions(const std::vector<qint64>& functions);
    // The selected rows go; false when none is selected.
    bool RemoveAdmins();
    bool RemoveFunctions();

    enum { NameCol = 1, LoginCol };
    enum { FunctionCol = 1, NoteCol };

private:
    void ShowGrids();

    TSkinCheckBox& enabled_;
    TTavikPTGrid& admins_;
    TTavikPTGrid& functions_;
};
