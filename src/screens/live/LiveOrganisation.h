#pragma once

// The organisation of the organisation screen, read from and written to the
// store. The chart holds the working state: a node's data is 1 + the index of
// the unit record it shows, or -(1 + the index) of a unit added here; the tree
// mirrors the chart, so both views show the same units in the same order.

#include <map>
#include <set>
#include <vector>

#include <QString>

#include "screens/live/LiveContent.h"

class TOcNode;
class TOrgChart;
class TTreeNode;
class TTreeView;

class LiveOrganisation : public LiveContent {
public:
    LiveOrganisation(TOrgChart& chart, TTreeView& tree);

    void Read(RightsStore& store) override;
    void Show() override;
    void EndEdit() override;
    QString Problem() override;
    std::vector<StoreChange> Changes() override;

    // The values of a unit as a record holds them (parent and position are
    // taken from the chart when saving); none for a node of no unit.
    QVariantList Values(TOcNode* node) const;
    // Adds a unit with these values as the last child of parent (top level for
    // none), selects it and returns its node.
    TOcNode* Add(TOcNode* parent, const QVariantList& values);
    // Replaces a unit's values; the node shows its new name and kind.
    void SetValues(TOcNode* node, const QVariantList& values);
    // The name of another unit that has this code, or empty.
    QString CodeUsedBy(const TOcNode* node, const QString& code);
    // Why the unit may not be deleted (its children and users), or empty.
    QString DeleteProblem(TOcNode* node);
    void Delete(TOcNode* node);

    // Rebuilds the tree from the chart.
    void SyncTree();

    // The users attached to a unit and the dictionary posts attached to it,
    // as ids; the department and role dialogs edit them, 保存 writes them.
    std::vector<qint64> UsersOf(const TOcNode* node) const;
    void SetUsersOf(const TOcNode* node, std::vector<qint64> users);
    std::vector<qint64> PostsOf(const TOcNode* node) const;
    void SetPostsOf(const TOcNode* node, std::vector<qint64> posts);
    // What the chart and the tree show besides the units: the people of each
    // unit (显示人员) and the posts attached to it (显示角色(岗位)), as nodes
    // that are not units; sub-organisations (显示子机构) opened or closed.
    void SetShown(bool subOrganisations, bool posts, bool people);
    // Whether a node shows a person or an attached post rather than a unit.
    static bool IsExtra(const TOcNode* node);

    // The records the dialogs show by id.
    const std::vector<StoreRecord>& Users() const { return users_; }
    const std::vector<StoreRecord>& Posts() const { return posts_; }

private:
    const StoreRecord* RecordOf(const TOcNode* node) const;
    // Takes the extra nodes away and adds those the switches ask for.
    void RefreshExtras();
    // A unit's position among its siblings that are units.
    static int UnitIndex(const TOcNode* node);
    TOcNode* NodeOf(TTreeNode* node) const;
    TTreeNode* TreeNodeOf(const TOcNode* node) const;

    TOrgChart& chart_;
    TTreeView& tree_;
    struct Reference {
        TableId table;
        StoreRecord record;
    };
    std::vector<StoreRecord> units_, users_, unitUsers_, userPosts_, unitPosts_, posts_;
    // Attached users and posts by the node's data.
    std::map<intptr_t, std::vector<qint64>> usersOf_, postsOf_;
    // The other records that name a unit, by the unit's id: they go with it.
    std::multimap<qint64, Reference> references_;
    // Values of every unit by the node's data: edited records and added units.
    std::vector<QVariantList> values_, added_;
    bool showing_ = false;
    bool showPosts_ = false, showPeople_ = false;
};
