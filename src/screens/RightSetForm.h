#pragma once

// The rights of the selected unit or role, on five pages; its link labels
// react to the mouse.

#include <memory>

#include "screens/ScreenForm.h"

class LiveEditor;
class LiveRights;
class RightsCommands;
class RightsStore;
class TFlatPageControl;

class TRightSetForm : public TScreenForm {
public:
    explicit TRightSetForm(TComponent* owner);
    ~TRightSetForm() override;
    static constexpr const char* StaticClassName() { return "TRightSetForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    TFlatPageControl* pcRight = nullptr;

    void FormCreate(TObject* sender);
    // The hover look shared by every link label; the sender must be a label.
    void Label7MouseEnter(TObject* sender);
    void Label7MouseLeave(TObject* sender);

    // Live mode: the editor, the content and the commands; nullptr showing
    // the designed content.
    LiveEditor* Live() const { return live_.get(); }
    LiveRights* Rights() const { return rights_.get(); }
    RightsCommands* Commands() const { return commands_.get(); }

private:
    void StartLive(RightsStore& store);

    std::unique_ptr<LiveRights> rights_;
    std::unique_ptr<LiveEditor> live_;
    std::unique_ptr<RightsCommands> commands_;
};
