#pragma once

// The signature dialog of the user screen: the picture shown, 浏览 to pick
// another (checked before it is taken: PNG, JPEG or BMP, at most 1 MB and
// 2000 x 2000 pixels), 清除 to remove it. Nothing is kept before 确定.

#include <QByteArray>

#include "screens/ScreenForm.h"

class TSignatureView;

class TSignatureForm : public TScreenForm {
public:
    explicit TSignatureForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TSignatureForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    // The picture shown at first, already stored; empty for none.
    void SetPicture(const QByteArray& bytes);
    // The picture to store; empty for none.
    const QByteArray& Picture() const { return picture_; }

    // Takes the file at path when it is a picture that may be stored, else
    // says why not and keeps the picture shown. True when it was taken.
    bool LoadFile(const QString& path);

    void Button3Click(TObject* sender);
    void Button4Click(TObject* sender);

    TSignatureView* Image1 = nullptr;

private:
    QByteArray picture_;
};
