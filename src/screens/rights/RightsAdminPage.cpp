#include "screens/rights/RightsAdminPage.h"

#include "chrome/checkboxes/SkinCheckBox.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "screens/rights/RightsWork.h"

RightsAdminPage::RightsAdminPage(RightsWork& work, TSkinCheckBox& enabled, TTavikPTGrid& admins,
                                 TTavikPTGrid& functions)
    : RightsPage(work), enabled_(enabled), admins_(admins), functions_(functions)
{
    PrepareGrid(admins_, {});
    PrepareGrid(functions_, {});
}

void RightsAdminPage::EndEdit()
{
    admins_.SetEditorMode(false);
    functions_.SetEditorMode(false);
}

void RightsAdminPage::Show(qint64 holder)
{
    holder_ = holder;
    bool on = false;
    for (const auto& row : work_.Rows(TableId::OrgUnit))
        if (row.record >= 0 && work_.Records(TableId::OrgUnit)[size_t(row.record)].id == holder)
            on = row.values[Col::UnitAdminEnabled].toInt() != 0;
    enabled_.SetChecked(on);
    enabled_.SetEnabled(holder != 0);
    ShowGrids();
}

void RightsAdminPage::ShowGrids()
{
    const auto admins = work_.RowsWhere(TableId::DeptAdmin, Col::DeptAdminUnit, holder_);
    SetDataRows(admins_, holder_ ? int(admins.size()) : 0);
    for (size_t n = 0; holder_ && n < admins.size(); ++n) {
        const int row = 1 + int(n);
        const qint64 user = RightsWork::RefOf(work_.Rows(TableId::DeptAdmin)[admins[n]].values, Col::DeptAdminUser);
        admins_.Rows()->Items(row)->SetData(int32_t(admins[n] + 1));
        admins_.Cell(NameCol, row)->SetValue(work_.Text(TableId::User, user, Col::UserName));
        admins_.Cell(LoginCol, row)->SetValue(work_.Text(TableId::User, user, Col::UserLogin));
    }
    admins_.Invalidate();
    const auto functions = work_.RowsWhere(TableId::AdminFunction, Col::AdminFunctionUnit, holder_);
    SetDataRows(functions_, holder_ ? int(functions.size()) : 0);
    for (size_t n = 0; holder_ && n < functions.size(); ++n) {
        const int row = 1 + int(n);
        const qint64 function =
            RightsWork::RefOf(work_.Rows(TableId::AdminFunction)[functions[n]].values, Col::AdminFunctionFunction);
        functions_.Rows()->Items(row)->SetData(int32_t(functions[n] + 1));
        functions_.Cell(FunctionCol, row)->SetValue(work_.Text(TableId::Function, function, Col::FuncName));
        functions_.Cell(NoteCol, row)->SetValue(work_.Text(TableId::Function, function, Col::FuncNote));
    }
    functions_.Invalidate();
}

void RightsAdminPage::Harvest()
{
    if (!holder_)
        return;
    for (auto& row : work_.Rows(TableId::OrgUnit))
        if (row.record >= 0 && work_.Records(TableId::OrgUnit)[size_t(row.record)].id == holder_)
            row.values[Col::UnitAdminEnabled] = enabled_.Checked() ? 1 : 0;
}

int RightsAdminPage::AddAdmins(const std::vector<qint64>& users)
{
    int added = 0;
    for (qint64 user : users)
        if (holder_ && work_.Record(TableId::User, user)
            && work_.RowWith(TableId::DeptAdmin, Col::DeptAdminUnit, holder_, Col::DeptAdminUser, user) < 0) {
            work_.Add(TableId::DeptAdmin, {holder_, user});
            ++added;
        }
    ShowGrids();
    return added;
}

int RightsAdminPage::AddFunctions(const std::vector<qint64>& functions)
{
    int added = 0;
    for (qint64 function : functions)
        if (holder_ && work_.Record(TableId::Function, function)
            && work_.RowWith(TableId::AdminFunction, Col::AdminFunctionUnit, holder_, Col::AdminFunctionFunction,
                             function) < 0) {
            work_.Add(TableId::AdminFunction, {holder_, function});
            ++added;
        }
    ShowGrids();
    return added;
}

bool RightsAdminPage::RemoveAdmins()
{
    const auto rows = SelectedEntries(admins_);
    for (size_t row : rows)
        work_.Remove(TableId::DeptAdmin, row);
    ShowGrids();
    return !rows.empty();
}

bool RightsAdminPage::RemoveFunctions()
{
    const auto rows = SelectedEntries(functions_);
    for (size_t row : rows)
        work_.Remove(TableId::AdminFunction, row);
    ShowGrids();
    return !rows.empty();
}
