#include "screens/live/UnitRelations.h"

#include <algorithm>

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/actions/Action.h"
#include "screens/live/LiveOrganisation.h"
#include "screens/live/LiveShortcuts.h"
#include "screens/dialogs/PostPicker.h"
#include "screens/ScreenForm.h"
#include "screens/dialogs/UserPicker.h"

namespace {

const StoreRecord* RecordById(const std::vector<StoreRecord>& records, qint64 id)
{
    const auto found = std::find_if(records.begin(), records.end(), [id](const StoreRecord& r) { return r.id == id; });
    return found == records.end() ? nullptr : &*found;
}

// Rows of two texts, one per id; a row's data is 1 + the index of its id.
void FillRows(TTavikPTGrid& grid, const std::vector<qint64>& ids, const std::vector<StoreRecord>& records, int first,
              int second)
{
    grid.SetEditorMode(false);
    const int rows = 1 + int(ids.size());
    grid.Synchronise(grid.ColCount(), rows);
    grid.SetRowCount(rows);
    for (size_t i = 0; i < ids.size(); ++i) {
        const int row = 1 + int(i);
        const StoreRecord* r = RecordById(records, ids[i]);
        grid.Rows()->Items(row)->SetData(int32_t(i + 1));
        grid.Cell(1, row)->SetValue(r ? r->values[first].toString() : QString());
        grid.Cell(2, row)->SetValue(r ? r->values[second].toString() : QString());
    }
    grid.Invalidate();
}

void AddMissing(std::vector<qint64>& ids, const std::vector<qint64>& more)
{
    for (qint64 id : more)
        if (std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
}

} // namespace

UnitRelations::UnitRelations(RightsStore& store, LiveOrganisation& organisation, const TOcNode* node)
    : store_(store), organisation_(organisation), node_(node), users_(organisation.UsersOf(node)),
      posts_(organisation.PostsOf(node))
{
}

void UnitRelations::Attach(TScreenForm& dialog, TTavikPTGrid& users, TTavikPTGrid* posts)
{
    dialog_ = &dialog;
    userGrid_ = &users;
    postGrid_ = posts;
    // The grids list records: nothing is typed into them.
    const auto noEditor = TGridQueryEditorModeEvent([](TObject*, int, int, bool& canShow, QChar) { canShow = false; });
    users.OnQueryEditorMode = noEditor;
    if (posts)
        posts->OnQueryEditorMode = noEditor;
    auto bind = [&dialog](const char* name, std::function<void()> run) {
        if (auto* action = dialog.Find<TAction>(QString::fromLatin1(name)))
            action->OnExecute = TNotifyEvent([run](TObject*) { run(); });
    };
    bind("acSelectUser", [this] { AddUsers(); });
    bind("acDelete", [this] { RemoveCurrent(); });
    if (posts)
        bind("acSelectPost", [this] { AddPosts(); });
    BindShortcuts(dialog, {{"acSelectPost", scCtrl | 'P'}, {"acSelectUser", scCtrl | 'U'}, {"acDelete", scCtrl | VK_DELETE}});
    ShowUsers();
    ShowPosts();
}

void UnitRelations::ShowUsers()
{
    if (userGrid_)
        FillRows(*userGrid_, users_, organisation_.Users(), Col::UserLogin, Col::UserName);
}

void UnitRelations::ShowPosts()
{
    if (postGrid_)
        FillRows(*postGrid_, posts_, organisation_.Posts(), Col::PostName, Col::PostCode);
}

void UnitRelations::AddUsers()
{
    if (const auto picked = PickUsers(store_, QStringLiteral("选择用户"))) {
        // A user the screen has not read yet cannot be named; it is left out.
        std::vector<qint64> known;
        for (qint64 id : *picked)
            if (RecordById(organisation_.Users(), id))
                known.push_back(id);
        AddMissing(users_, known);
        ShowUsers();
    }
}

void UnitRelations::AddPosts()
{
    if (const auto picked = PickDictionaryPosts(organisation_.Posts(), QStringLiteral("选择岗位"))) {
        AddMissing(posts_, *picked);
        ShowPosts();
    }
}

bool UnitRelations::RemoveRow(TTavikPTGrid* grid, std::vector<qint64>& ids)
{
    const int row = grid ? grid->CurrentRow() : -1;
    if (row < 1 || row >= grid->RowCount())
        return false;
    const int data = grid->Rows()->Items(row)->Data();
    if (data <= 0 || size_t(data) > ids.size())
        return false;
    ids.erase(ids.begin() + (data - 1));
    return true;
}

void UnitRelations::RemoveCurrent()
{
    // The two toolbars share 删除: the focused grid says which list it means.
    if (postGrid_ && dialog_->ActiveControl() == postGrid_) {
        if (RemoveRow(postGrid_, posts_))
            ShowPosts();
    } else if (dialog_->ActiveControl() == userGrid_) {
        if (RemoveRow(userGrid_, users_))
            ShowUsers();
    }
}

void UnitRelations::Apply()
{
    organisation_.SetUsersOf(node_, users_);
    if (postGrid_)
        organisation_.SetPostsOf(node_, posts_);
}
