#pragma once

// The department dialog: name and code, and, when "挂接岗位" is ticked, the
// posts of the department and their users.

#include "screens/ScreenForm.h"

class TSkinCheckBox;

class TDepartPropForm : public TScreenForm {
public:
    explicit TDepartPropForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TDepartPropForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    TControl* pnlPost = nullptr;
    TControl* pnlUser = nullptr;
    TSkinCheckBox* SkinCheckBox1 = nullptr;

    void FormCreate(TObject* sender);
    // Switches between the short form and the full form with the two grids.
    void SkinCheckBox1Change(TObject* sender);

    static constexpr int kFullHeight = 374;
    static constexpr int kShortHeight = 130;
};
