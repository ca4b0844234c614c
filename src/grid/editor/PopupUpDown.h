#pragma once

// The spinner of the in-place editor's esUpDown style: -32768..32767, a child
// of the editor over its button area. Each step is reported to the editor.

#include "platform/controls/UpDown.h"

class TPopupUpDown : public TCustomUpDown {
public:
    static constexpr int MinValue = -32768;
    static constexpr int MaxValue = 32767;

    explicit TPopupUpDown(TComponent* owner);
    const char* ClassName() const override { return "TPopupUpDown"; }

    // The position for an editor text: the clamped integer; 0 for an empty
    // text; MinValue for a text that is not an integer. rewritten says whether
    // the text becomes the position ("" and integers), and gives that text.
    static int PositionForText(const QString& text, bool& rewritten, QString& newText);

    TNotifyEvent StepHandler;
    bool InChange() const { return inChange_; }

protected:
    bool CanChange() override;
    void Clicked(TUDBtnType button) override;

private:
    bool inChange_ = false;
};
