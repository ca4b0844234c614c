#include "grid/editor/PopupUpDown.h"

#include <algorithm>

#include "platform/base/FlagScope.h"

TPopupUpDown::TPopupUpDown(TComponent* owner) : TCustomUpDown(owner)
{
    SetVisible(false);
    SetCtl3D(false);
    SetRange(MinValue, MaxValue);
}

int TPopupUpDown::PositionForText(const QString& text, bool& rewritten, QString& newText)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        rewritten = true;
        newText = QStringLiteral("0");
        return 0;
    }
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok) {
        // Not a number: the text stays, the spinner starts at its minimum.
        rewritten = false;
        return MinValue;
    }
    const int pos = static_cast<int>(std::clamp<qlonglong>(v, MinValue, MaxValue));
    rewritten = true;
    newText = QString::number(pos);
    return pos;
}

bool TPopupUpDown::CanChange()
{
    if (inChange_)
        return true;
    const TFlagScope guard(inChange_);
    return TCustomUpDown::CanChange();
}

void TPopupUpDown::Clicked(TUDBtnType button)
{
    TCustomUpDown::Clicked(button);
    StepHandler(this);
}
