#pragma once

// What the rights screen's link labels, keys and 复制权限/粘贴权限 do in live
// mode. Pickers read the store; what they choose is kept on the screen until
// 保存.

#include <initializer_list>

#include <QString>

class LiveRights;
class RightsStore;
class TForm;
class TLabel;
class TTavikPTGrid;

class RightsCommands {
public:
    RightsCommands(TForm& form, RightsStore& store, LiveRights& rights);

    // The link labels by name ("Label10" …); false for one without an action.
    bool Click(const QString& label);
    void Copy();
    void Paste();

    // Longest list of changes a paste question shows.
    static constexpr int MaxListedChanges = 30;

private:
    void Connect(const char* label);
    void ConnectKeys(const char* grid, const char* insertLabel, const char* deleteLabel);
    // The link on the grid's page whose accelerator is the letter, or empty.
    QString LinkFor(TTavikPTGrid& grid, QChar letter, std::initializer_list<QString> own);
    void Tell(const QString& text, unsigned flags);

    TForm& form_;
    RightsStore& store_;
    LiveRights& rights_;
};
