#pragma once

// The colour chooser dialog: Execute shows it modally with Color as the
// starting colour and answers whether a colour was chosen (then in Color).

#include <functional>

#include "platform/canvas/Color.h"
#include "platform/framework/Component.h"

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* owner) : TComponent(owner) {}
    const char* ClassName() const override { return "TColorDialog"; }

    TColor Color() const { return color_; }
    void SetColor(TColor c) { color_ = c; }
    bool Execute();

    // Test and automation hook: runs instead of the dialog (null: the dialog).
    using ExecuteHook = std::function<bool(TColor& color)>;
    static void SetExecuteHook(ExecuteHook hook);

private:
    TColor color_ = clBlack;
};
