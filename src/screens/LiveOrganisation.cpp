#include "screens/LiveOrganisation.h"

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
    for (int i = chart.TopCount() - 1; i >= 0; --i)
        stack.push_back(chart.Items(i));
    while (!stack.empty()) {
        TOcNode* n = stack.back();
        stack.pop_back();
        out.push_back(n);
        for (int i = n->Count() - 1; i >= 0; --i)
            stack.push_back(n->Items(i));
    }
    return out;
}

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
    chart_.OnSetText = TOcSetTextEvent([this](TObject*, TOcNode* node, const QString& text) {
        if (showing_)
            return;
        if (TTreeNode* t = TreeNodeOf(node); t && t->Text() != text)
            t->SetText(text);
    });
    chart_.OnMoveNode = TOcMoveNodeEvent([this](TOcNode*, TOcNode*, int) {
        if (!showing_)
            SyncTree();
    });
    tree_.OnEdited = TTVEditedEvent([this](TObject*, TTreeNode* node, QString& text) {
        text = text.trimmed();
        if (TOcNode* n = NodeOf(node)) {
            showing_ = true; // the tree shows the text itself
            n->SetText(text);
            showing_ = false;
        }
    });
    tree_.OnChange = TTVChangedEvent([this](TObject*, TTreeNode* node) {
        if (TOcNode* n = NodeOf(node); n && chart_.Selected() != n)
            chart_.SetSelected(n);
    });
}

void LiveOrganisation::Read(RightsStore& store)
{
    auto all = store.LoadAll();
    units_ = std::move(all[TableId::OrgUnit]);
    users_ = std::move(all[TableId::User]);
    unitUsers_ = std::move(all[TableId::UnitUser]);
    userPosts_ = std::move(all[TableId::UserPost]);
    // Every other record that names a unit goes with it when it is deleted.
    references_.clear();
    for (const StoreTable& t : StoreTables()) {
        if (QLatin1String(t.name) == QLatin1String("org_unit") || QLatin1String(t.name) == QLatin1String("unit_user")
            || QLatin1String(t.name) == QLatin1String("user_post"))
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
    for (const StoreRecord& r : units_)
        values_.push_back(r.values);
    chart_.BeginUpdate();
    chart_.Clear();
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
            TOcNode* n = chart_.Add(parentNode, intptr_t(i + 1));
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
        TOcNode* n = chart_.Add(nullptr, intptr_t(i + 1));
        n->SetText(units_[i].values[Col::UnitName].toString());
        n->SetImageIndex(units_[i].values[Col::UnitKind].toInt());
    }
    for (int i = 0; i < chart_.TopCount(); ++i)
        TOrgForm::ExpandTopLevels(chart_.Items(i));
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
    if (const auto sel = made.find(chart_.Selected()); sel != made.end())
        tree_.SetSelected(sel->second);
}

TOcNode* LiveOrganisation::NodeOf(TTreeNode* node) const
{
    if (!node)
        return nullptr;
    auto* n = static_cast<TOcNode*>(node->Data());
    return chart_.IsValid(n) ? n : nullptr;
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
    TOcNode* n = chart_.Add(parent, -intptr_t(added_.size()));
    showing_ = true;
    n->SetText(values[Col::UnitName].toString());
    n->SetImageIndex(values[Col::UnitKind].toInt());
    showing_ = false;
    if (parent)
        parent->Expand(false);
    chart_.SetSelected(n);
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
        children << node->Items(i)->Text();
    QStringList people;
    if (const StoreRecord* r = RecordOf(node)) {
        std::set<qint64> ids;
        for (const StoreRecord& u : unitUsers_)
            if (u.values[Col::UnitUserUnit].toLongLong() == r->id)
                ids.insert(u.values[Col::UnitUserUser].toLongLong());
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

void LiveOrganisation::Delete(TOcNode* node)
{
    if (!node || !chart_.IsValid(node))
        return;
    chart_.Delete(node);
    SyncTree();
}

QString LiveOrganisation::Problem()
{
    for (TOcNode* n : Nodes(chart_)) {
        const QString name = n->Text().trimmed();
        QString why;
        if (name.isEmpty())
            why = QStringLiteral("A unit's name is empty.");
        else if (name.size() > MaxNameLength)
            why = QStringLiteral("The name of %1 is longer than %2 characters.").arg(name.left(20) + QStringLiteral("…")).arg(MaxNameLength);
        if (!why.isEmpty()) {
            chart_.SetSelected(n);
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
        v[Col::UnitPosition] = n->Index();
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
    for (const StoreRecord& r : units_)
        if (!kept.count(r.id))
            deletes.push_back(StoreChange::Delete(TableId::OrgUnit, r));
    for (auto& c : inserts)
        deletes.push_back(std::move(c));
    for (auto& c : updates)
        deletes.push_back(std::move(c));
    return deletes;
}
