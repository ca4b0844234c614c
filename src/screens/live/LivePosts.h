#pragma once

// The post dictionary of the post screen, read from and written to the store:
// one grid row per post (code, name, description); a row's data is 1 + the
// index of the record it shows, 0 for a row added here.

#include <set>
#include <vector>

#include "screens/live/LiveContent.h"

class TTavikPTGrid;

class LivePosts : public LiveContent {
public:
    explicit LivePosts(TTavikPTGrid& grid);

    void Read(RightsStore& store) override;
    void Show() override;
    void EndEdit() override;
    QString Problem() override;
    std::vector<StoreChange> Changes() override;

    // Appends an empty row and makes its code cell current.
    void AddRow();
    // The rows with a selected cell, else the current row; header excluded.
    std::vector<int> SelectedRows();
    // Why the rows may not be deleted (the users and units that still use
    // their posts), or empty.
    QString DeleteProblem(const std::vector<int>& rows);
    // The codes or names of the rows, for the question before deleting.
    QString Describe(const std::vector<int>& rows);
    void DeleteRows(std::vector<int> rows);

    // The grid's columns.
    enum { CodeCol = 1, NameCol = 2, NoteCol = 3 };

private:
    const StoreRecord* RecordOf(int row);
    QString Text(int col, int row);

    TTavikPTGrid& grid_;
    std::vector<StoreRecord> posts_, users_, units_, userPosts_, unitPosts_;
    std::set<size_t> deleted_; // indexes into posts_
};
