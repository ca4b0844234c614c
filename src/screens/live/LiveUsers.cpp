#include "screens/live/LiveUsers.h"

#include <algorithm>
#include <functional>

#include <QStringList>

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/controls/TreeView.h"
#include "screens/live/LiveChecks.h"
#include "store/RightsStore.h"

namespace {

const QString kChange = QStringLiteral("修改");
const QString kNotSet = QStringLiteral("未设置");

bool IsTrue(const QString& value)
{
    return value.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0
           || value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 || value == QLatin1String("1");
}


} // namespace

LiveUsers::LiveUsers(TTreeView& tree, TTavikPTGrid& users, TTavikPTGrid& posts)
    : tree_(tree), grid_(users), posts_(posts)
{
    // Units are renamed on the organisation screen; here the tree only
    // chooses whose users are listed.
    tree_.SetReadOnly(true);
}

void LiveUsers::Read(RightsStore& store)
{
    auto all = store.LoadAll();
    users_ = std::move(all[TableId::User]);
    units_ = std::move(all[TableId::OrgUnit]);
    userPosts_ = std::move(all[TableId::UserPost]);
    unitUsers_ = std::move(all[TableId::UnitUser]);
    postRecords_ = std::move(all[TableId::Post]);
    deptAdmins_ = std::move(all[TableId::DeptAdmin]);
    subordinations_ = std::move(all[TableId::Subordination]);
    unitPosts_ = std::move(all[TableId::UnitPost]);
}

void LiveUsers::FillTree()
{
    std::map<qint64, qint64> parentOf;
    for (const StoreRecord& u : units_)
        parentOf[u.id] = u.RefOf(Col::UnitParent);
    usersOfUnit_.clear();
    auto addUp = [&](qint64 unit, qint64 user) {
        // A broken chain (a cycle) stops once a unit was seen.
        std::set<qint64> seen;
        for (; unit && seen.insert(unit).second; unit = parentOf[unit])
            usersOfUnit_[unit].insert(user);
    };
    for (const StoreRecord& r : unitUsers_)
        addUp(r.RefOf(Col::UnitUserUnit), r.RefOf(Col::UnitUserUser));
    for (const StoreRecord& r : userPosts_)
        addUp(r.RefOf(Col::UserPostUnit), r.RefOf(Col::UserPostUser));

    tree_.Items().Clear();
    nodes_.clear();
    tree_.SetSortType(stNone);
    TTreeNode* selected = nullptr;
    auto add = [&](TTreeNode* parent, const QString& text, qint64 key, int image) {
        TTreeNode* node = tree_.Items().AddChild(parent, text);
        node->SetImageIndex(image);
        node->SetSelectedIndex(image);
        nodes_[node] = key;
        if (key == selected_)
            selected = node;
        return node;
    };
    add(nullptr, QStringLiteral("0.未分类"), Unassigned, 0);
    add(nullptr, QStringLiteral("1.全部"), AllUsers, 0);
    // Units in tree order: children by position, then id.
    std::map<qint64, std::vector<const StoreRecord*>> children;
    for (const StoreRecord& u : units_)
        children[parentOf.count(u.RefOf(Col::UnitParent)) ? u.RefOf(Col::UnitParent) : 0].push_back(&u);
    for (auto& [parent, list] : children)
        std::stable_sort(list.begin(), list.end(), [](const StoreRecord* a, const StoreRecord* b) {
            return a->values[Col::UnitPosition].toLongLong() < b->values[Col::UnitPosition].toLongLong();
        });
    std::set<qint64> placed;
    std::function<void(TTreeNode*, qint64)> addChildren = [&](TTreeNode* node, qint64 parent) {
        for (const StoreRecord* u : children[parent])
            if (placed.insert(u->id).second)
                addChildren(add(node, u->values[Col::UnitName].toString(), u->id,
                                std::clamp(u->values[Col::UnitKind].toInt(), 0, 2)),
                            u->id);
    };
    addChildren(nullptr, 0);
    tree_.FullExpand();
    if (!selected) {
        selected_ = AllUsers;
        selected = NodeNamed(QStringLiteral("1.全部"));
    }
    tree_.SetSelected(selected);
}

TTreeNode* LiveUsers::NodeNamed(const QString& text)
{
    for (const auto& [node, key] : nodes_)
        if (node->Text() == text)
            return node;
    return nullptr;
}

void LiveUsers::Show()
{
    EndEdit();
    entries_.clear();
    removedPosts_.clear();
    addedPosts_.clear();
    for (size_t i = 0; i < users_.size(); ++i) {
        const StoreRecord& r = users_[i];
        Entry e;
        e.record = int(i);
        e.login = r.values[Col::UserLogin].toString();
        e.name = r.values[Col::UserName].toString();
        e.note = r.values[Col::UserNote].toString();
        e.enabled = r.values[Col::UserEnabled].toInt() != 0;
        e.passwordHash = r.values[Col::UserPassword];
        e.signature = r.values[Col::UserSignature];
        entries_.push_back(e);
    }
    // Filling the tree selects a node; its change event must not harvest the
    // rows of the previous content.
    grid_.SetRowCount(1);
    FillTree();
    ShowUsers();
}

void LiveUsers::EndEdit()
{
    grid_.SetEditorMode(false);
}

int LiveUsers::EntryOf(int row) const
{
    const int data = grid_.Rows()->Items(row)->Data();
    return data > 0 && size_t(data) <= entries_.size() ? data - 1 : -1;
}

int LiveUsers::RowOf(int entry) const
{
    for (int row = 1; row < grid_.RowCount(); ++row)
        if (EntryOf(row) == entry)
            return row;
    return -1;
}

void LiveUsers::Harvest()
{
    EndEdit();
    for (int row = 1; row < grid_.RowCount(); ++row) {
        const int i = EntryOf(row);
        if (i < 0)
            continue;
        Entry& e = entries_[size_t(i)];
        e.login = grid_.Cell(LoginCol, row)->Value().trimmed();
        e.name = grid_.Cell(NameCol, row)->Value().trimmed();
        e.enabled = IsTrue(grid_.Cell(EnabledCol, row)->Value());
        e.note = grid_.Cell(NoteCol, row)->Value().trimmed();
    }
}

bool LiveUsers::Listed(const Entry& e) const
{
    if (e.deleted)
        return false;
    // A user added here stays in view until it is saved.
    if (e.record < 0 || selected_ == AllUsers)
        return true;
    const qint64 id = users_[size_t(e.record)].id;
    if (selected_ == Unassigned) {
        for (size_t i = 0; i < userPosts_.size(); ++i)
            if (!removedPosts_.count(i) && userPosts_[i].RefOf(Col::UserPostUser) == id)
                return false;
        return true;
    }
    const auto found = usersOfUnit_.find(selected_);
    return found != usersOfUnit_.end() && found->second.count(id);
}

void LiveUsers::ShowUsers()
{
    std::vector<int> shown;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (Listed(entries_[i]))
            shown.push_back(int(i));
    const int rows = 1 + int(shown.size());
    grid_.Synchronise(grid_.ColCount(), rows);
    grid_.SetRowCount(rows);
    for (size_t n = 0; n < shown.size(); ++n) {
        const int row = 1 + int(n);
        const Entry& e = entries_[size_t(shown[n])];
        grid_.Rows()->Items(row)->SetData(shown[n] + 1);
        grid_.Cell(LoginCol, row)->SetValue(e.login);
        grid_.Cell(NameCol, row)->SetValue(e.name);
        grid_.Cell(PasswordCol, row)->SetValue(e.passwordHash.isNull() ? kNotSet : kChange);
        grid_.Cell(SignatureCol, row)->SetValue(e.signature.isNull() ? kNotSet : kChange);
        grid_.Cell(EnabledCol, row)->SetDataType(cdtBoolean);
        grid_.Cell(EnabledCol, row)->SetValue(e.enabled ? QStringLiteral("T") : QStringLiteral("F"));
        grid_.Cell(NoteCol, row)->SetValue(e.note);
    }
    if (grid_.CurrentRow() >= rows)
        grid_.MoveCurrent(LoginCol, rows - 1, true, false, false, true);
    grid_.Invalidate();
    ShowPosts();
}

void LiveUsers::NodeSelected(TTreeNode* node)
{
    const auto found = nodes_.find(node);
    if (found == nodes_.end() || found->second == selected_)
        return;
    Harvest();
    selected_ = found->second;
    ShowUsers();
}

QString LiveUsers::PathOf(qint64 unit) const
{
    // The units above the post, the top one left out as on the designed screen.
    QStringList parts;
    std::set<qint64> seen;
    while (unit && seen.insert(unit).second) {
        const auto u = std::find_if(units_.begin(), units_.end(), [&](const StoreRecord& r) { return r.id == unit; });
        if (u == units_.end())
            break;
        const qint64 parent = u->RefOf(Col::UnitParent);
        if (parent)
            parts.prepend(u->values[Col::UnitName].toString());
        unit = parent;
    }
    return parts.join(QLatin1Char('\\'));
}

int LiveUsers::CurrentEntry() const
{
    const int row = grid_.CurrentRow();
    return row >= 1 && row < grid_.RowCount() ? EntryOf(row) : -1;
}

void LiveUsers::ShowPosts()
{
    posts_.SetEditorMode(false);
    const int entry = CurrentEntry();
    // Held posts by 1 + their index into userPosts_, given ones by -(1 + index).
    std::vector<std::pair<int32_t, PostPick>> held;
    if (entry >= 0 && entries_[size_t(entry)].record >= 0) {
        const qint64 id = users_[size_t(entries_[size_t(entry)].record)].id;
        for (size_t i = 0; i < userPosts_.size(); ++i)
            if (!removedPosts_.count(i) && userPosts_[i].RefOf(Col::UserPostUser) == id)
                held.push_back({int32_t(i + 1),
                                {userPosts_[i].RefOf(Col::UserPostPost), userPosts_[i].RefOf(Col::UserPostUnit)}});
    }
    for (size_t i = 0; i < addedPosts_.size(); ++i)
        if (entry >= 0 && addedPosts_[i].entry == entry)
            held.push_back({-int32_t(i + 1), addedPosts_[i].pick});
    const int rows = 1 + int(held.size());
    posts_.Synchronise(posts_.ColCount(), rows);
    posts_.SetRowCount(rows);
    for (size_t n = 0; n < held.size(); ++n) {
        const int prow = 1 + int(n);
        posts_.Rows()->Items(prow)->SetData(held[n].first);
        const qint64 post = held[n].second.post;
        const auto p = std::find_if(postRecords_.begin(), postRecords_.end(), [&](const StoreRecord& x) { return x.id == post; });
        posts_.Cell(1, prow)->SetValue(p == postRecords_.end() ? QString() : p->values[Col::PostName].toString());
        posts_.Cell(2, prow)->SetValue(p == postRecords_.end() ? QString() : p->values[Col::PostCode].toString());
        posts_.Cell(3, prow)->SetValue(PathOf(held[n].second.unit));
    }
    posts_.Invalidate();
}

bool LiveUsers::RemoveCurrentPost()
{
    const int row = posts_.CurrentRow();
    if (row < 1 || row >= posts_.RowCount())
        return false;
    const int data = posts_.Rows()->Items(row)->Data();
    if (data == 0)
        return false;
    Harvest();
    if (data > 0)
        removedPosts_.insert(size_t(data - 1));
    else if (size_t(-data) <= addedPosts_.size())
        addedPosts_[size_t(-data - 1)].entry = -1;
    ShowPosts();
    return true;
}

bool LiveUsers::AddPosts(const std::vector<PostPick>& picks)
{
    const int entry = CurrentEntry();
    if (entry < 0)
        return false;
    Harvest();
    const Entry& e = entries_[size_t(entry)];
    const qint64 id = e.record >= 0 ? users_[size_t(e.record)].id : 0;
    for (const PostPick& pick : picks) {
        bool held = false;
        for (size_t i = 0; i < userPosts_.size() && !held && id; ++i) {
            const StoreRecord& r = userPosts_[i];
            if (r.RefOf(Col::UserPostUser) == id && r.RefOf(Col::UserPostPost) == pick.post
                && r.RefOf(Col::UserPostUnit) == pick.unit) {
                // Taken away and given again: it simply stays.
                removedPosts_.erase(i);
                held = true;
            }
        }
        for (const AddedPost& a : addedPosts_)
            held = held || (a.entry == entry && a.pick == pick);
        if (!held)
            addedPosts_.push_back({entry, pick});
    }
    ShowPosts();
    return true;
}

void LiveUsers::AddUser()
{
    Harvest();
    entries_.push_back(Entry{});
    ShowUsers();
    grid_.FocusCell(LoginCol, RowOf(int(entries_.size()) - 1), true);
    // The command is clicked on a toolbar, which takes no focus: what is typed
    // next belongs to the new login, not to the tree's incremental search.
    if (grid_.CanFocus())
        grid_.SetFocus();
    ShowPosts();
}

std::vector<int> LiveUsers::SelectedRows()
{
    std::vector<int> rows;
    for (int row = 1; row < grid_.RowCount(); ++row) {
        bool selected = row == grid_.CurrentRow();
        for (int col = 1; col < grid_.ColCount() && !selected; ++col)
            selected = grid_.IsCellSelected(col, row);
        if (selected && EntryOf(row) >= 0)
            rows.push_back(row);
    }
    return rows;
}

QString LiveUsers::Describe(const std::vector<int>& rows)
{
    Harvest();
    QStringList names;
    for (int row : rows) {
        const Entry& e = entries_[size_t(EntryOf(row))];
        names << (e.name.isEmpty() ? (e.login.isEmpty() ? QStringLiteral("(row %1)").arg(row) : e.login) : e.name);
    }
    return names.join(QStringLiteral("、"));
}

void LiveUsers::DeleteRows(const std::vector<int>& rows)
{
    Harvest();
    for (int row : rows)
        entries_[size_t(EntryOf(row))].deleted = true;
    ShowUsers();
}

void LiveUsers::SetPasswordHash(int row, const QString& hash)
{
    const int i = EntryOf(row);
    if (i < 0)
        return;
    entries_[size_t(i)].passwordHash = hash;
    grid_.Cell(PasswordCol, row)->SetValue(kChange);
    grid_.Invalidate();
}

QByteArray LiveUsers::Signature(int row) const
{
    const int i = EntryOf(row);
    return i < 0 ? QByteArray() : entries_[size_t(i)].signature.toByteArray();
}

void LiveUsers::SetSignature(int row, const QByteArray& picture)
{
    const int i = EntryOf(row);
    if (i < 0)
        return;
    entries_[size_t(i)].signature = picture.isEmpty() ? QVariant() : QVariant(picture);
    grid_.Cell(SignatureCol, row)->SetValue(picture.isEmpty() ? kNotSet : kChange);
    grid_.Invalidate();
}

QString LiveUsers::Problem()
{
    Harvest();
    std::map<QString, size_t> logins;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        if (e.deleted)
            continue;
        QString problems[NoteCol + 1];
        problems[LoginCol] = LiveTextProblem(QStringLiteral("The login"), e.login, MaxCodeLength, true);
        if (problems[LoginCol].isEmpty() && logins.count(e.login))
            problems[LoginCol] = QStringLiteral("The login “%1” is already used by %2.")
                                     .arg(e.login, entries_[logins[e.login]].name);
        problems[NameCol] = LiveTextProblem(QStringLiteral("The user name"), e.name, MaxNameLength, true);
        problems[NoteCol] = LiveTextProblem(QStringLiteral("The note"), e.note, MaxNoteLength, false);
        for (int col = LoginCol; col <= NoteCol; ++col)
            if (!problems[col].isEmpty()) {
                // The user is shown, under 全部 if its own list does not hold it.
                if (RowOf(int(i)) < 0)
                    tree_.SetSelected(NodeNamed(QStringLiteral("1.全部")));
                if (RowOf(int(i)) < 0) {
                    selected_ = AllUsers;
                    ShowUsers();
                }
                const int row = RowOf(int(i));
                grid_.FocusCell(col, row, true);
                return QStringLiteral("Row %1: %2").arg(row).arg(problems[col]);
            }
        logins[e.login] = i;
    }
    return {};
}

std::vector<StoreChange> LiveUsers::Changes()
{
    Harvest();
    std::vector<StoreChange> changes;
    std::set<qint64> deletedUsers;
    for (const Entry& e : entries_)
        if (e.deleted && e.record >= 0)
            deletedUsers.insert(users_[size_t(e.record)].id);
    // What refers to a deleted user goes with it, in the same save.
    for (size_t i = 0; i < userPosts_.size(); ++i)
        if (removedPosts_.count(i) || deletedUsers.count(userPosts_[i].RefOf(Col::UserPostUser)))
            changes.push_back(StoreChange::Delete(TableId::UserPost, userPosts_[i]));
    for (const StoreRecord& r : unitUsers_)
        if (deletedUsers.count(r.RefOf(Col::UnitUserUser)))
            changes.push_back(StoreChange::Delete(TableId::UnitUser, r));
    for (const StoreRecord& r : deptAdmins_)
        if (deletedUsers.count(r.RefOf(Col::DeptAdminUser)))
            changes.push_back(StoreChange::Delete(TableId::DeptAdmin, r));
    for (const StoreRecord& r : subordinations_)
        if (deletedUsers.count(r.RefOf(Col::SubTargetUser)))
            changes.push_back(StoreChange::Delete(TableId::Subordination, r));
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        if (e.deleted) {
            if (e.record >= 0)
                changes.push_back(StoreChange::Delete(TableId::User, users_[size_t(e.record)]));
            continue;
        }
        const QVariantList values{e.login, e.name, e.passwordHash, e.signature, e.enabled ? 1 : 0, OptionalText(e.note)};
        if (e.record < 0) {
            changes.push_back(StoreChange::Insert(TableId::User, values, -qint64(i + 1)));
            continue;
        }
        const StoreRecord& read = users_[size_t(e.record)];
        bool same = true;
        for (int c : {int(Col::UserLogin), int(Col::UserName), int(Col::UserPassword), int(Col::UserNote)})
            same = same && values[c].toString() == read.values[c].toString();
        same = same && (read.values[Col::UserEnabled].toInt() != 0) == e.enabled;
        same = same && read.values[Col::UserSignature].isNull() == e.signature.isNull()
               && read.values[Col::UserSignature].toByteArray() == e.signature.toByteArray();
        if (!same)
            changes.push_back(StoreChange::Update(TableId::User, read, values));
    }
    for (const AddedPost& a : addedPosts_) {
        if (a.entry < 0 || entries_[size_t(a.entry)].deleted)
            continue;
        const Entry& e = entries_[size_t(a.entry)];
        const qint64 user = e.record >= 0 ? users_[size_t(e.record)].id : -qint64(a.entry + 1);
        changes.push_back(StoreChange::Insert(TableId::UserPost, {user, a.pick.post, a.pick.unit}));
    }
    return changes;
}
