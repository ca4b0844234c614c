#include "screens/live/LiveOrganisation.h"

#include <algorithm>

#include <QStringList>

#include "orgchart/OrgChart.h"
#include "platform/controls/TreeView.h"
#include "screens/OrgForm.h"
#include "store/RightsStore.h"

namespace {

// The nodes of the chart in pre-order: parents before their children.
std::vector<TOcNode*> Nodes(TOrgChart& chart)
{
    std::vector<TOcNode*> out;
    std::vector<TOcNode*> stack;
    for (int i = chart.Tree().TopCount() - 1; i >= 0; --i)
        stack.push_back(chart.Tree().Items(i));
    while (!stack.empty()) {
        TOcNode* n = stack.back();
        stack.pop_back();
        out.push_back(n);
        for (int i = n->Count() - 1; i >= 0; --i)
            stack.push_back(n->Items(i));
    }
    return out;
}

// Extra nodes (people, attached posts) carry data from here up: never an
// index of a unit record or of an added unit.
constexpr intptr_t kExtraData = intptr_t(1) << 30;
constexpr int kPersonImage = 3;

// An added unit's placeholder in a save is its node's (negative) data.
qint64 Placeholder(intptr_t data)
{
    return qint64(data);
}

} // namespace

LiveOrganisation::LiveOrganisation(TOrgChart& chart, TTreeView& tree) : chart_(chart), tree_(tree)
{
    // The chart's order is the store's; the tree must not sort it otherwise.
    tree_.SetSortType(stNone);
    chart_.Tree().OnSetText = TOcSetTextEvent([this](TObject*, TOcNode* node, const QString& text) {
        if (showing_)
            return;
        if (TTreeNode* t = TreeNodeOf(node); t && t->Text() != text)
            t->SetText(text);
    });
    chart_.Tree().OnMoveNode = TOcMoveNodeEvent([this](TOcNode* node, TOcNode*, int) {
        if (showing_)
            return;
        // A unit dropped onto a person or post goes to that node's unit; a
        // person or post dragged away returns where it belongs.
        showing_ = true;
        if (node && !IsExtra(node) && IsExtra(node->Parent()))
            node->MoveTo(node->Parent()->Parent(), amAddChild);
        showing_ = false;
        if (node && IsExtra(node))
            RefreshExtras();
        else
            SyncTree();
    });
    chart_.OnEditing = TOcAllowEvent([](TObject*, TOcNode* node, bool& allow) { allow = allow && !IsExtra(node); });
    tree_.OnEdited = TTVEditedEvent([this](TObject*, TTreeNode* node, QString& text) {
        text = text.trimmed();
        if (TOcNode* n = NodeOf(node)) {
            showing_ = true; // the tree shows the text itself
            n->SetText(text);
            showing_ = false;
        }
    });
    tree_.OnEditing = TTVEditingEvent([this](TObject*, TTreeNode* node, bool& allow) {
        TOcNode* n = NodeOf(node);
        allow = allow && n && !IsExtra(n);
    });
    tree_.OnChange = TTVChangedEvent([this](TObject*, TTreeNode* node) {
        if (TOcNode* n = NodeOf(node); n && chart_.Tree().Selected() != n)
            chart_.Tree().SetSelected(n);
    });
}

void LiveOrganisation::Read(RightsStore& store)
{
    auto all = store.LoadAll();
    units_ = std::move(all[TableId::OrgUnit]);
    users_ = std::move(all[TableId::User]);
    unitUsers_ = std::move(all[TableId::UnitUser]);
    userPosts_ = std::move(all[TableId::UserPost]);
    unitPosts_ = std::move(all[TableId::UnitPost]);
    posts_ = std::move(all[TableId::Post]);
    // Every other record that names a unit goes with it when it is deleted.
    references_.clear();
    for (const StoreTable& t : StoreTables()) {
        if (QLatin1String(t.name) == QLatin1String("org_unit") || QLatin1String(t.name) == QLatin1String("unit_user")
            || QLatin1String(t.name) == QLatin1String("user_post") || QLatin1String(t.name) == QLatin1String("unit_post"))
            continue;
        const TableId id = TableId(&t - StoreTables().data());
        for (size_t c = 0; c < t.columns.size(); ++c) {
            if (t.columns[c].kind != ColumnKind::Ref || QLatin1String(t.columns[c].refTable) != QLatin1String("org_unit"))
                continue;
            for (const StoreRecord& r : all[id])
                if (!r.values[int(c)].isNull())
                    references_.insert({r.values[int(c)].toLongLong(), {id, r}});
        }
    }
}

void LiveOrganisation::Show()
{
    EndEdit();
    showing_ = true;
    values_.clear();
    added_.clear();
    usersOf_.clear();
    postsOf_.clear();
    std::map<qint64, intptr_t> dataOf;
    for (const StoreRecord& r : units_) {
        values_.push_back(r.values);
        dataOf[r.id] = intptr_t(values_.size());
    }
    for (const StoreRecord& r : unitUsers_)
        if (const auto d = dataOf.find(r.values[Col::UnitUserUnit].toLongLong()); d != dataOf.end())
            usersOf_[d->second].push_back(r.values[Col::UnitUserUser].toLongLong());
    for (const StoreRecord& r : unitPosts_)
        if (const auto d = dataOf.find(r.values[Col::UnitPostUnit].toLongLong()); d != dataOf.end())
            postsOf_[d->second].push_back(r.values[Col::UnitPostPost].toLongLong());
    chart_.BeginUpdate();
    chart_.Tree().Clear();
    // Parents before children, siblings by position.
    std::vector<size_t> order(units_.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return units_[a].values[Col::UnitPosition].toInt() < units_[b].values[Col::UnitPosition].toInt();
    });
    std::map<qint64, TOcNode*> nodes;
    // A unit whose parent is missing (broken stored data) is shown at the top.
    bool progress = true;
    std::vector<bool> placed(units_.size());
    while (progress) {
        progress = false;
        for (size_t i : order) {
            if (placed[i])
                continue;
            const QVariant parent = units_[i].values[Col::UnitParent];
            TOcNode* parentNode = nullptr;
            if (!parent.isNull()) {
                const auto found = nodes.find(parent.toLongLong());
                if (found == nodes.end())
                    continue;
                parentNode = found->second;
            }
            TOcNode* n = chart_.Tree().Add(parentNode, intptr_t(i + 1));
            n->SetText(units_[i].values[Col::UnitName].toString());
            n->SetImageIndex(units_[i].values[Col::UnitKind].toInt());
            nodes[units_[i].id] = n;
            placed[i] = true;
            progress = true;
        }
    }
    for (size_t i = 0; i < units_.size(); ++i) {
        if (placed[i])
            continue;
        TOcNode* n = chart_.Tree().Add(nullptr, intptr_t(i + 1));
        n->SetText(units_[i].values[Col::UnitName].toString());
        n->SetImageIndex(units_[i].values[Col::UnitKind].toInt());
    }
    for (int i = 0; i < chart_.Tree().TopCount(); ++i)
        TOrgForm::ExpandTopLevels(chart_.Tree().Items(i));
    chart_.EndUpdate();
    showing_ = false;
    RefreshExtras();
}

bool LiveOrganisation::IsExtra(const TOcNode* node)
{
    return node && node->Data() >= kExtraData;
}

int LiveOrganisation::UnitIndex(const TOcNode* node)
{
    int index = 0;
    for (const TOcNode* s = node->GetPrevSibling(); s; s = s->GetPrevSibling())
        index += IsExtra(s) ? 0 : 1;
    return index;
}

void LiveOrganisation::SetShown(bool subOrganisations, bool posts, bool people)
{
    EndEdit();
    showPosts_ = posts;
    showPeople_ = people;
    // Sub-organisations: the companies below the top ones, with all beneath them.
    for (TOcNode* n : Nodes(chart_))
        if (n->Parent() && n->ImageIndex() == int(UnitKind::Company) && !IsExtra(n)) {
            if (subOrganisations)
                n->Expand(true);
            else
                n->Collapse(false);
        }
    RefreshExtras();
}

void LiveOrganisation::RefreshExtras()
{
    showing_ = true;
    chart_.BeginUpdate();
    for (TOcNode* n : Nodes(chart_))
        if (IsExtra(n) && chart_.Tree().IsValid(n) && !IsExtra(n->Parent()))
            chart_.Tree().Delete(n);
    intptr_t next = kExtraData;
    auto add = [&](TOcNode* parent, const QString& text, int image) {
        TOcNode* n = chart_.Tree().Add(parent, next++);
        n->SetText(text);
        n->SetImageIndex(image);
    };
    auto name = [](const std::vector<StoreRecord>& records, qint64 id, int column) {
        for (const StoreRecord& r : records)
            if (r.id == id)
                return r.values[column].toString();
        return QString();
    };
    for (TOcNode* n : Nodes(chart_)) {
        if (IsExtra(n))
            continue;
        if (showPosts_)
            for (qint64 post : PostsOf(n))
                add(n, name(posts_, post, Col::PostName), int(UnitKind::Post));
        if (!showPeople_)
            continue;
        std::vector<qint64> people = UsersOf(n);
        // Who holds a post in the unit stands under the post unit of that post
        // when there is one.
        if (const StoreRecord* r = RecordOf(n))
            for (const StoreRecord& held : userPosts_) {
                if (held.values[Col::UserPostUnit].isNull() || held.values[Col::UserPostUnit].toLongLong() != r->id)
                    continue;
                TOcNode* at = n;
                for (int i = 0; i < n->Count(); ++i) {
                    const QVariantList v = Values(n->Items(i));
                    if (!v.isEmpty() && v[Col::UnitPost] == held.values[Col::UserPostPost])
                        at = n->Items(i);
                }
                const qint64 user = held.values[Col::UserPostUser].toLongLong();
                if (at != n || std::find(people.begin(), people.end(), user) == people.end())
                    add(at, name(users_, user, Col::UserName), kPersonImage);
            }
        for (qint64 user : people)
            add(n, name(users_, user, Col::UserName), kPersonImage);
    }
    chart_.EndUpdate();
    showing_ = false;
    SyncTree();
}

void LiveOrganisation::SyncTree()
{
    tree_.Items().Clear();
    std::map<const TOcNode*, TTreeNode*> made;
    for (TOcNode* n : Nodes(chart_)) {
        const auto parent = made.find(n->Parent());
        TTreeNode* t = tree_.Items().AddChild(parent == made.end() ? nullptr : parent->second, n->Text());
        t->SetImageIndex(n->ImageIndex());
        t->SetSelectedIndex(n->ImageIndex());
        t->SetData(n);
        made[n] = t;
    }
    tree_.FullExpand();
    if (const auto sel = made.find(chart_.Tree().Selected()); sel != made.end())
        tree_.SetSelected(sel->second);
}

TOcNode* LiveOrganisation::NodeOf(TTreeNode* node) const
{
    if (!node)
        return nullptr;
    auto* n = static_cast<TOcNode*>(node->Data());
    return chart_.Tree().IsValid(n) ? n : nullptr;
}

TTreeNode* LiveOrganisation::TreeNodeOf(const TOcNode* node) const
{
    for (int i = 0; i < tree_.Items().Count(); ++i)
        if (tree_.Items().Item(i)->Data() == node)
            return tree_.Items().Item(i);
    return nullptr;
}

void LiveOrganisation::EndEdit()
{
    if (chart_.Editing())
        chart_.HideEditor(true);
}

const StoreRecord* LiveOrganisation::RecordOf(const TOcNode* node) const
{
    const intptr_t data = node ? node->Data() : 0;
    return data > 0 && size_t(data) <= units_.size() ? &units_[size_t(data - 1)] : nullptr;
}

QVariantList LiveOrganisation::Values(TOcNode* node) const
{
    const intptr_t data = node ? node->Data() : 0;
    QVariantList v;
    if (data > 0 && size_t(data) <= values_.size())
        v = values_[size_t(data - 1)];
    else if (data < 0 && size_t(-data) <= added_.size())
        v = added_[size_t(-data - 1)];
    else
        return {};
    v[Col::UnitName] = node->Text();
    return v;
}

TOcNode* LiveOrganisation::Add(TOcNode* parent, const QVariantList& values)
{
    added_.push_back(values);
    TOcNode* n = chart_.Tree().Add(parent, -intptr_t(added_.size()));
    showing_ = true;
    n->SetText(values[Col::UnitName].toString());
    n->SetImageIndex(values[Col::UnitKind].toInt());
    showing_ = false;
    if (parent)
        parent->Expand(false);
    chart_.Tree().SetSelected(n);
    SyncTree();
    return n;
}

void LiveOrganisation::SetValues(TOcNode* node, const QVariantList& values)
{
    const intptr_t data = node ? node->Data() : 0;
    if (data > 0 && size_t(data) <= values_.size())
        values_[size_t(data - 1)] = values;
    else if (data < 0 && size_t(-data) <= added_.size())
        added_[size_t(-data - 1)] = values;
    else
        return;
    showing_ = true;
    node->SetText(values[Col::UnitName].toString());
    node->SetImageIndex(values[Col::UnitKind].toInt());
    showing_ = false;
    SyncTree();
}

QString LiveOrganisation::DeleteProblem(TOcNode* node)
{
    if (!node)
        return {};
    QStringList children;
    for (int i = 0; i < node->Count(); ++i)
        if (!IsExtra(node->Items(i)))
            children << node->Items(i)->Text();
    QStringList people;
    if (!RecordOf(node))
        for (const StoreRecord& u : users_)
            for (qint64 user : UsersOf(node))
                if (u.id == user)
                    people << u.values[Col::UserLogin].toString();
    if (const StoreRecord* r = RecordOf(node)) {
        std::set<qint64> ids;
        for (qint64 user : UsersOf(node))
            ids.insert(user);
        for (const StoreRecord& u : userPosts_)
            if (u.values[Col::UserPostUnit].toLongLong() == r->id)
                ids.insert(u.values[Col::UserPostUser].toLongLong());
        for (const StoreRecord& u : users_)
            if (ids.count(u.id))
                people << u.values[Col::UserLogin].toString();
    }
    QStringList why;
    if (!children.isEmpty())
        why << QStringLiteral("its units: %1").arg(children.join(QStringLiteral(", ")));
    if (!people.isEmpty())
        why << QStringLiteral("its users: %1").arg(people.join(QStringLiteral(", ")));
    if (why.isEmpty())
        return {};
    return QStringLiteral("%1 still has %2.").arg(node->Text(), why.join(QStringLiteral("; ")));
}

QString LiveOrganisation::CodeUsedBy(const TOcNode* node, const QString& code)
{
    if (code.isEmpty())
        return {};
    for (TOcNode* n : Nodes(chart_)) {
        const QVariantList v = n == node ? QVariantList() : Values(n);
        if (!v.isEmpty() && v[Col::UnitCode].toString() == code)
            return n->Text();
    }
    return {};
}

std::vector<qint64> LiveOrganisation::UsersOf(const TOcNode* node) const
{
    const auto found = node ? usersOf_.find(node->Data()) : usersOf_.end();
    return found == usersOf_.end() ? std::vector<qint64>() : found->second;
}

void LiveOrganisation::SetUsersOf(const TOcNode* node, std::vector<qint64> users)
{
    if (node && node->Data())
        usersOf_[node->Data()] = std::move(users);
    if (showPeople_)
        RefreshExtras();
}

std::vector<qint64> LiveOrganisation::PostsOf(const TOcNode* node) const
{
    const auto found = node ? postsOf_.find(node->Data()) : postsOf_.end();
    return found == postsOf_.end() ? std::vector<qint64>() : found->second;
}

void LiveOrganisation::SetPostsOf(const TOcNode* node, std::vector<qint64> posts)
{
    if (node && node->Data())
        postsOf_[node->Data()] = std::move(posts);
    if (showPosts_)
        RefreshExtras();
}

void LiveOrganisation::Delete(TOcNode* node)
{
    if (!node || !chart_.Tree().IsValid(node))
        return;
    chart_.Tree().Delete(node);
    SyncTree();
}

QString LiveOrganisation::Problem()
{
    for (TOcNode* n : Nodes(chart_)) {
        if (IsExtra(n))
            continue;
        const QString name = n->Text().trimmed();
        QString why;
        if (name.isEmpty())
            why = QStringLiteral("A unit's name is empty.");
        else if (name.size() > MaxNameLength)
            why = QStringLiteral("The name of %1 is longer than %2 characters.").arg(name.left(20) + QStringLiteral("…")).arg(MaxNameLength);
        if (!why.isEmpty()) {
            chart_.Tree().SetSelected(n);
            n->MakeVisible();
            return why;
        }
    }
    return {};
}

std::vector<StoreChange> LiveOrganisation::Changes()
{
    std::vector<StoreChange> deletes, inserts, updates;
    std::set<qint64> kept;
    for (TOcNode* n : Nodes(chart_)) {
        QVariantList v = Values(n);
        if (v.isEmpty())
            continue;
        TOcNode* parent = n->Parent();
        QVariant parentId;
        if (const StoreRecord* p = RecordOf(parent))
            parentId = p->id;
        else if (parent && parent->Data() < 0)
            parentId = Placeholder(parent->Data());
        v[Col::UnitParent] = parentId;
        v[Col::UnitPosition] = UnitIndex(n);
        v[Col::UnitName] = n->Text().trimmed();
        if (const StoreRecord* r = RecordOf(n)) {
            kept.insert(r->id);
            if (v != r->values)
                updates.push_back(StoreChange::Update(TableId::OrgUnit, *r, v));
        } else {
            inserts.push_back(StoreChange::Insert(TableId::OrgUnit, v, Placeholder(n->Data())));
        }
    }
    // A record naming two deleted units (a subordination, a trust) goes once.
    std::set<std::pair<int, qint64>> gone;
    for (const auto& [unit, ref] : references_)
        if (!kept.count(unit) && gone.insert({int(ref.table), ref.record.id}).second)
            deletes.push_back(StoreChange::Delete(ref.table, ref.record));
    // Relations first go where they were taken away or their unit went.
    std::map<qint64, intptr_t> dataOf;
    for (TOcNode* n : Nodes(chart_))
        if (const StoreRecord* r = RecordOf(n))
            dataOf[r->id] = n->Data();
    auto relations = [&](TableId table, const std::vector<StoreRecord>& records, int unitCol, int otherCol,
                         const std::map<intptr_t, std::vector<qint64>>& wanted) {
        std::set<std::pair<intptr_t, qint64>> stored;
        for (const StoreRecord& r : records) {
            const auto d = dataOf.find(r.values[unitCol].toLongLong());
            const qint64 other = r.values[otherCol].toLongLong();
            const auto w = d == dataOf.end() ? wanted.end() : wanted.find(d->second);
            if (w == wanted.end() || std::find(w->second.begin(), w->second.end(), other) == w->second.end())
                deletes.push_back(StoreChange::Delete(table, r));
            else
                stored.insert({d->second, other});
        }
        for (TOcNode* n : Nodes(chart_)) {
            const auto w = wanted.find(n->Data());
            if (w == wanted.end())
                continue;
            const StoreRecord* r = RecordOf(n);
            const QVariant unit = r ? QVariant(r->id) : QVariant(Placeholder(n->Data()));
            for (qint64 other : w->second)
                if (stored.insert({n->Data(), other}).second) {
                    QVariantList v{QVariant(), QVariant()};
                    v[unitCol] = unit;
                    v[otherCol] = other;
                    inserts.push_back(StoreChange::Insert(table, v));
                }
        }
    };
    // Relation inserts follow the inserts of the units they name.
    relations(TableId::UnitUser, unitUsers_, Col::UnitUserUnit, Col::UnitUserUser, usersOf_);
    relations(TableId::UnitPost, unitPosts_, Col::UnitPostUnit, Col::UnitPostPost, postsOf_);
    for (const StoreRecord& r : units_)
        if (!kept.count(r.id))
            deletes.push_back(StoreChange::Delete(TableId::OrgUnit, r));
    for (auto& c : inserts)
        deletes.push_back(std::move(c));
    for (auto& c : updates)
        deletes.push_back(std::move(c));
    return deletes;
}
