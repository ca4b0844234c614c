#pragma once

// The users and dictionary posts attached to one unit, as the department and
// role dialogs edit them: their grids list them, 选择用户 and 选择岗位 add
// through the pickers, 删除 takes the current row of the focused grid away.
// Nothing reaches the screen before Apply (after 确定).

#include <vector>

#include <QString>

class LiveOrganisation;
class RightsStore;
class TOcNode;
class TScreenForm;
class TTavikPTGrid;

class UnitRelations {
public:
    UnitRelations(RightsStore& store, LiveOrganisation& organisation, const TOcNode* node);

    // Wires the dialog's user grid, its post grid when given, and its actions
    // acSelectUser, acSelectPost and acDelete.
    void Attach(TScreenForm& dialog, TTavikPTGrid& users, TTavikPTGrid* posts);
    void Apply();

    const std::vector<qint64>& Users() const { return users_; }
    const std::vector<qint64>& Posts() const { return posts_; }

private:
    void ShowUsers();
    void ShowPosts();
    void AddUsers();
    void AddPosts();
    void RemoveCurrent();
    static bool RemoveRow(TTavikPTGrid* grid, std::vector<qint64>& ids);

    RightsStore& store_;
    LiveOrganisation& organisation_;
    const TOcNode* node_;
    TScreenForm* dialog_ = nullptr;
    TTavikPTGrid* userGrid_ = nullptr;
    TTavikPTGrid* postGrid_ = nullptr;
    std::vector<qint64> users_, posts_;
};
