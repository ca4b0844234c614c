#include "orgchart/OcInplaceEdit.h"

#include "orgchart/OrgChart.h"

TOcInplaceEdit::TOcInplaceEdit(TCustomOrgChart* chart) : TMultiLineEdit(nullptr), chart_(chart)
{
    SetVisible(false);
    SetTabStop(false);
    SetFlat(true);
    SetParent(chart);
    ApplyEditMode(chart->EditMode());
}

void TOcInplaceEdit::ApplyEditMode(TOcEditMode mode)
{
    SetAlignment((mode & emCenter) ? taCenter : (mode & emRight) ? taRight : taLeft);
    SetWordWrap((mode & emWrap) != 0);
    SetCharCase((mode & emUpper) ? ecUpperCase : (mode & emLower) ? ecLowerCase : ecNormal);
}

bool TOcInplaceEdit::EditKeyDown(Word& key, TShiftState shift)
{
    bool handled = false;
    chart_->EditorKeyDown(key, shift, handled);
    return handled;
}

bool TOcInplaceEdit::EditChar(QChar& ch)
{
    bool handled = false;
    chart_->EditorChar(ch, handled);
    return handled;
}

void TOcInplaceEdit::EditKeyUp(Word key, TShiftState shift)
{
    chart_->KeyUp(key, shift);
}

void TOcInplaceEdit::EditFocusLost()
{
    chart_->EditorLostFocus();
}

void TOcInplaceEdit::EditTextChanged()
{
    chart_->GrowEditor();
}
