#include "screens/UserForm.h"

#include "grid/TavikPTGrid.h"
#include "platform/Application.h"
#include "platform/TreeView.h"

namespace {

const QString kPassword = QStringLiteral("密码");
const QString kSignature = QStringLiteral("签名");

} // namespace

TUserForm::TUserForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    Handler<TMouseMoveEvent>("TavikPTGrid1MouseMove",
                             [this](TObject* s, TShiftState shift, int x, int y) { TavikPTGrid1MouseMove(s, shift, x, y); });
    Handler<TMouseEvent>("TavikPTGrid1MouseUp", [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        TavikPTGrid1MouseUp(s, b, shift, x, y);
    });
    ExitHandler();
    EmptyHandlers({"acSaveExecute", "acCancelExecute", "acRefreshExecute", "acCopyExecute", "acPasteExecute",
                   "acSelectPostExecute", "acDeleteExecute", "acAddExecute"});
    Build(QStringLiteral("UserForm"));
}

void TUserForm::FormCreate(TObject*)
{
    TreeView1 = Require<TTreeView>("TreeView1");
    TavikPTGrid1 = Require<TTavikPTGrid>("TavikPTGrid1");
    TavikPTGrid2 = Require<TTavikPTGrid>("TavikPTGrid2");
    TreeView1->FullExpand();
    TavikPTGrid1->SetPaintSelection(false);
    TavikPTGrid2->SetPaintSelection(false);
}

QString TUserForm::LinkColumnHead(int x, int y)
{
    // The handlers can run before the creation handler bound the field.
    TTavikPTGrid* grid = TavikPTGrid1 ? TavikPTGrid1 : Find<TTavikPTGrid>(QStringLiteral("TavikPTGrid1"));
    if (!grid)
        return {};
    const int col = grid->PointToCell(x, y).X;
    if (col < 1 || col > grid->ColCount() - 1)
        return {};
    const QString head = grid->GetCellValue(col, 0);
    return head == kPassword || head == kSignature ? head : QString();
}

void TUserForm::TavikPTGrid1MouseMove(TObject*, TShiftState, int x, int y)
{
    TTavikPTGrid* grid = TavikPTGrid1 ? TavikPTGrid1 : Find<TTavikPTGrid>(QStringLiteral("TavikPTGrid1"));
    if (grid)
        grid->SetCursor(LinkColumnHead(x, y).isEmpty() ? crDefault : crHandPoint);
}

void TUserForm::TavikPTGrid1MouseUp(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft)
        return;
    const QString head = LinkColumnHead(x, y);
    if (head == kPassword)
        Application()->MessageBox(QString::fromUtf8(PasswordMessage), Application()->Title(), MB_OK);
    else if (head == kSignature)
        Application()->MessageBox(QString::fromUtf8(SignatureMessage), Application()->Title(), MB_OK);
}
