#pragma once

// The multi-line edit: a wrapper over the window layer's plain-text editor with
// alignment, word wrap, upper/lower case conversion and a modified mark. Its
// owner sees every key before the edit does (EditKeyDown, EditChar) and hears of
// key releases and of the loss of the focus.

#include "platform/framework/WinControl.h"

class TMultiLineEdit : public TWinControl {
public:
    enum TAlignment : uint8_t { taLeft, taCenter, taRight };
    enum TCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

    explicit TMultiLineEdit(TComponent* owner);
    const char* ClassName() const override { return "TMultiLineEdit"; }

    QString EditText() const;
    // Replaces the text; the caret goes to the start and the mark is cleared.
    void SetEditText(const QString& text);
    bool Modified() const { return modified_; }
    void SetModified(bool v) { modified_ = v; }
    void SetAlignment(TAlignment v);
    void SetWordWrap(bool v);
    void SetCharCase(TCharCase v) { charCase_ = v; }
    void SetFlat(bool flat);
    bool HasEditFocus() const;
    void FocusEdit();
    // Types a character as the keyboard would (tests).
    void TypeChar(QChar ch);

    unsigned DialogCode() const override { return DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTARROWS; }

    // Hooks, before the edit acts: true consumes the key or character.
    virtual bool EditKeyDown(Word& key, TShiftState shift) { return false; }
    virtual bool EditChar(QChar& ch) { return false; }
    virtual void EditKeyUp(Word key, TShiftState shift) {}
    virtual void EditFocusLost() {}
    virtual void EditTextChanged() {}

protected:
    QWidget* CreateWidget() override;
    void SyncWidget() override;
    void ColorChanged() override;
    void FontChanged() override;

private:
    class EditWidget;
    friend class EditWidget;
    void ApplyLook();
    // A character that survived EditChar, after case conversion.
    void Insert(QChar ch);

    QString pendingText_;
    TAlignment alignment_ = taLeft;
    TCharCase charCase_ = ecNormal;
    bool wordWrap_ = true;
    bool flat_ = true;
    bool modified_ = false;
};
