#pragma once

// The signature picture of the signature dialog: the picture scaled to fit,
// centred on white, or "未设置" when there is none.

#include <memory>

#include <QByteArray>

#include "platform/framework/WinControl.h"

class TBitmap;

class TSignatureView : public TGraphicControl {
public:
    explicit TSignatureView(TComponent* owner);
    ~TSignatureView() override;
    static constexpr const char* StaticClassName() { return "TSignatureView"; }
    const char* ClassName() const override { return StaticClassName(); }
    // Makes the class known to stored definitions; once is enough.
    static void Register();

    // Bytes already checked; false, and nothing shown, when they do not decode.
    bool SetPicture(const QByteArray& bytes);
    void Clear();
    bool Empty() const;

protected:
    void Paint(TCanvas& canvas) override;

private:
    std::unique_ptr<TBitmap> picture_;
};
