#pragma once

// The chart's in-place editor: a flat multi-line edit over a node's text area
// that grows with its text and hands its keys to the chart first.

#include "orgchart/model/OcTypes.h"
#include "platform/controls/edit/MultiLineEdit.h"

class TCustomOrgChart;

class TOcInplaceEdit : public TMultiLineEdit {
public:
    explicit TOcInplaceEdit(TCustomOrgChart* chart);
    const char* ClassName() const override { return "TOcInplaceEdit"; }

    void ApplyEditMode(TOcEditMode mode);

    int MinWidth = 0;
    int MaxWidth = 0;
    int MinHeight = 0;
    int MaxHeight = 0;

    bool EditKeyDown(Word& key, TShiftState shift) override;
    bool EditChar(QChar& ch) override;
    void EditKeyUp(Word key, TShiftState shift) override;
    void EditFocusLost() override;
    void EditTextChanged() override;

private:
    TCustomOrgChart* chart_;
};
