#pragma once

// The user screen's accounts, read from and written to the store. The tree
// chooses whose users the grid lists (a unit and the units below it, 全部,
// 未分类); what is changed in one list is kept while another is shown. A grid
// row's data is 1 + the index of its entry; the post grid lists the posts of
// the current user.

#include <map>
#include <set>
#include <vector>

#include <QByteArray>

#include "screens/live/LiveContent.h"
#include "screens/dialogs/PostPicker.h"

class TTavikPTGrid;
class TTreeNode;
class TTreeView;

class LiveUsers : public LiveContent {
public:
    LiveUsers(TTreeView& tree, TTavikPTGrid& users, TTavikPTGrid& posts);

    void Read(RightsStore& store) override;
    void Show() override;
    void EndEdit() override;
    QString Problem() override;
    std::vector<StoreChange> Changes() override;

    // The tree's selection changed: list that node's users.
    void NodeSelected(TTreeNode* node);
    // The current user changed: list its posts.
    void ShowPosts();
    void AddUser();
    // The selected users' rows (a selected cell, else the current row).
    std::vector<int> SelectedRows();
    QString Describe(const std::vector<int>& rows);
    void DeleteRows(const std::vector<int>& rows);
    // The user of a grid row gets a new password hash; its cell shows 修改.
    void SetPasswordHash(int row, const QString& hash);
    // The signature picture of the user of a grid row (empty for none), and a
    // new one (already checked; empty clears it); its cell shows 修改 or 未设置.
    QByteArray Signature(int row) const;
    void SetSignature(int row, const QByteArray& picture);
    // Takes the post grid's current post away from the current user; false
    // when there is none.
    bool RemoveCurrentPost();
    // The current user gets these posts (those it holds already are skipped);
    // false when no user is current.
    bool AddPosts(const std::vector<PostPick>& picks);
    // What the post picker shows: the organisation as last read.
    const std::vector<StoreRecord>& Units() const { return units_; }
    const std::vector<StoreRecord>& Posts() const { return postRecords_; }
    const std::vector<StoreRecord>& UnitPosts() const { return unitPosts_; }
    // The shown user rows for a tree node's text, for tests and the caller.
    TTreeNode* NodeNamed(const QString& text);

    enum { LoginCol = 1, NameCol, PasswordCol, SignatureCol, EnabledCol, NoteCol };
    enum { AllUsers = -2, Unassigned = -1 };

private:
    struct Entry {
        int record = -1; // index into users_, -1 for a user added here
        QString login, name, note;
        bool enabled = true;
        QVariant passwordHash;
        QVariant signature; // the picture's bytes, none when not set
        bool deleted = false;
    };
    void Harvest();
    void ShowUsers();
    bool Listed(const Entry& entry) const;
    int EntryOf(int row) const;
    int RowOf(int entry) const;
    QString PathOf(qint64 unit) const;
    void FillTree();

    TTreeView& tree_;
    TTavikPTGrid& grid_;
    TTavikPTGrid& posts_;
    int CurrentEntry() const;
    std::vector<StoreRecord> users_, units_, userPosts_, unitUsers_, postRecords_, deptAdmins_, subordinations_,
        unitPosts_;
    // Posts given here: the user's entry, or -1 once taken away again.
    struct AddedPost {
        int entry;
        PostPick pick;
    };
    std::vector<AddedPost> addedPosts_;
    std::vector<Entry> entries_;
    std::set<size_t> removedPosts_; // indexes into userPosts_
    std::map<TTreeNode*, qint64> nodes_;
    qint64 selected_ = AllUsers;
    // The users each unit lists: its own and those of the units below it.
    std::map<qint64, std::set<qint64>> usersOfUnit_;
};
