#pragma once

// The behaviour every screen's 保存, 取消, 刷新 and closing share in live
// mode: changes stay on the screen until one save writes them in one
// transaction; nothing unsaved is dropped without asking, and a refused or
// failed save keeps them on the screen.

#include <QString>

class LiveContent;
class RightsStore;

class LiveEditor {
public:
    // caption names the screen in its message boxes.
    LiveEditor(RightsStore& store, LiveContent& content, QString caption);

    // Reads and shows the store's content; a fault is reported and leaves
    // the screen as it was. Returns whether it was read.
    bool Load();
    // Saves every change in one transaction and shows the store's content
    // afterwards. Returns true when nothing is left unsaved.
    bool Save();
    // Drops the unsaved changes.
    void Cancel();
    // Reloads, asking first when there are unsaved changes.
    void Refresh();
    // Asks save, discard or stay when there are unsaved changes; true when the
    // screen may close.
    bool MayClose();
    bool Dirty();

private:
    int Ask(const QString& text, unsigned flags);

    RightsStore& store_;
    LiveContent& content_;
    QString caption_;
};
