#pragma once

// The keyboard path to every command of a live screen or dialog: its actions
// get shortcut keys (shown on their toolbar buttons) and run from whichever
// control of the window has the focus. The designed screens keep none.

#include <functional>
#include <vector>

class TCustomForm;

struct ShortcutKey {
    const char* action;
    int shortCut; // a virtual key with scShift, scCtrl and scAlt added
};

constexpr int scShift = 0x2000;
constexpr int scCtrl = 0x4000;
constexpr int scAlt = 0x8000;

// Actions the window does not have are left out. While busy() is true (an
// in-place editor is open) the keys stay with the focused control.
void BindShortcuts(TCustomForm& form, const std::vector<ShortcutKey>& keys, std::function<bool()> busy = {});

// keys and those the work screens share: 保存 Ctrl+S, 取消 Ctrl+Shift+Z (not
// Ctrl+Z, which an editor takes for its own undo), 刷新 F5, 退出 Ctrl+W.
std::vector<ShortcutKey> WithSaveKeys(std::vector<ShortcutKey> keys);
