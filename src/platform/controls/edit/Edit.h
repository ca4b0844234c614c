#pragma once

// The single-line edit: a wrapper over the window layer's line edit with the
// framework's text, read-only state, length limit, password character and the
// flat (one-pixel frame) or sunken border.

#include "platform/framework/Form.h"

class QLineEdit;

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    const char* ClassName() const override { return "TEdit"; }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    // 0 means no limit of our own.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    // A null character shows the text as typed.
    QChar PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(QChar c);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    // bsNone or bsSingle.
    void SetBorderStyle(TFormBorderStyle v);
    // Whether the border is the flat one-pixel frame.
    bool Flat() const { return borderStyle_ == bsSingle && !Ctl3D(); }

    void SelectAll();
    QString SelText() const;

    unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

    TNotifyEvent OnChange;

protected:
    void Ctl3DChanged() override { ApplyLook(); }
    QWidget* CreateWidget() override;
    void SyncWidget() override;
    void TextChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    virtual void Change();

private:
    QLineEdit* LineEdit() const;
    void ApplyLook();

    bool readOnly_ = false;
    int maxLength_ = 0;
    QChar passwordChar_;
    TFormBorderStyle borderStyle_ = bsSingle;
};
