#pragma once

// The store commands every live screen shares: 保存, 取消 and 刷新 act through
// the screen's live editor once it has one, and stay inert in the designed
// screen, where the editor is never made.

#include <memory>

class LiveEditor;
class TForm;

void RegisterLiveActions(TForm& form, const std::unique_ptr<LiveEditor>& live);
