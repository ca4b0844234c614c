#include "screens/dialogs/SignatureForm.h"

#include "platform/framework/Application.h"
#include "platform/controls/dialogs/OpenFileDialog.h"
#include "platform/canvas/pictures/SignaturePicture.h"
#include "screens/dialogs/SignatureView.h"

TSignatureForm::TSignatureForm(TComponent* owner) : TScreenForm(owner)
{
    TSignatureView::Register();
    Handler<TNotifyEvent>("Button3Click", [this](TObject* s) { Button3Click(s); });
    Handler<TNotifyEvent>("Button4Click", [this](TObject* s) { Button4Click(s); });
    Build(QStringLiteral("SignatureForm"));
    Image1 = Require<TSignatureView>("Image1");
    SetActiveControl(Require<TWinControl>("Button3"));
}

void TSignatureForm::SetPicture(const QByteArray& bytes)
{
    picture_ = bytes;
    if (bytes.isEmpty() || !Image1->SetPicture(bytes))
        Image1->Clear();
}

bool TSignatureForm::LoadFile(const QString& path)
{
    QByteArray bytes;
    QString problem;
    // A file far over the limit is not read whole just to be refused.
    switch (ReadFileUpTo(path, MaxSignatureBytes, bytes)) {
    case TReadResult::Failed:
        problem = QStringLiteral("The file cannot be read.");
        break;
    case TReadResult::TooLarge:
        problem = QStringLiteral("The picture is larger than 1 MB.");
        break;
    case TReadResult::Read:
        problem = CheckSignaturePicture(bytes);
        break;
    }
    if (problem.isEmpty() && !Image1->SetPicture(bytes))
        problem = QStringLiteral("The picture cannot be read.");
    if (!problem.isEmpty()) {
        Application()->MessageBox(QStringLiteral("%1\n\n%2").arg(path, problem), Caption(), MB_ICONWARNING);
        return false;
    }
    picture_ = bytes;
    return true;
}

void TSignatureForm::Button3Click(TObject*)
{
    const QString path =
        OpenFileName(this, QStringLiteral("选择签名图片"), QStringLiteral("图片 (*.png *.jpg *.jpeg *.bmp);;所有文件 (*)"));
    if (!path.isEmpty())
        LoadFile(path);
}

void TSignatureForm::Button4Click(TObject*)
{
    picture_.clear();
    Image1->Clear();
}
