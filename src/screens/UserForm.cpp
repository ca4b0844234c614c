#include "screens/UserForm.h"

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/controls/TreeView.h"
#include "platform/framework/Application.h"
#include "platform/framework/Messages.h"
#include "screens/GridCommandMenu.h"
#include "screens/live/LiveActions.h"
#include "screens/live/LiveEditor.h"
#include "screens/live/LiveShortcuts.h"
#include "screens/live/LiveStore.h"
#include "screens/live/LiveUsers.h"
#include "screens/dialogs/PasswordForm.h"
#include "screens/dialogs/PostPicker.h"
#include "screens/dialogs/SignatureForm.h"
#include "store/PasswordHash.h"
#include "store/StoreError.h"

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
    EmptyHandlers({"acCopyExecute", "acPasteExecute"});
    Handler<TNotifyEvent>("acSelectPostExecute", [this](TObject*) { SelectPosts(); });
    RegisterLiveActions(*this, live_);
    Handler<TNotifyEvent>("acAddExecute", [this](TObject*) {
        if (users_)
            users_->AddUser();
    });
    Handler<TNotifyEvent>("acDeleteExecute", [this](TObject*) { DeleteSelected(); });
    Build(QStringLiteral("UserForm"));
    if (RightsStore* store = LiveStore())
        StartLive(*store);
}

TUserForm::~TUserForm() = default;

void TUserForm::StartLive(RightsStore& store)
{
    users_ = std::make_unique<LiveUsers>(*TreeView1, *TavikPTGrid1, *TavikPTGrid2);
    live_ = std::make_unique<LiveEditor>(store, *users_, Caption());
    TreeView1->OnChange = TTVChangedEvent([this](TObject*, TTreeNode* node) { users_->NodeSelected(node); });
    TavikPTGrid1->OnMoveCurrent = TGridMoveCurrentEvent(
        [this](TObject*, TGridCoord, TGridCoord, TMoveReason) { users_->ShowPosts(); });
    // The password and signature cells are links, the post grid a view.
    TavikPTGrid1->OnQueryEditorMode = TGridQueryEditorModeEvent([](TObject*, int col, int, bool& canShow, QChar) {
        canShow = canShow && col != LiveUsers::PasswordCol && col != LiveUsers::SignatureCol;
    });
    TavikPTGrid2->OnQueryReadOnly = TGridQueryCellEvent([](TObject*, int, int, bool& readOnly) { readOnly = true; });
    // Enter on a password cell opens the dialog as a click does.
    TavikPTGrid1->OnKeyDown = TKeyEvent([this](TObject*, Word& key, TShiftState) {
        if ((key == VK_RETURN || key == VK_SPACE) && TavikPTGrid1->Current().X == LiveUsers::PasswordCol) {
            ChangePassword(TavikPTGrid1->CurrentRow());
            key = 0;
        } else if ((key == VK_RETURN || key == VK_SPACE) && TavikPTGrid1->Current().X == LiveUsers::SignatureCol) {
            ChangeSignature(TavikPTGrid1->CurrentRow());
            key = 0;
        }
    });
    OnClose = TCloseEvent([this](TObject*, TCloseAction& action) {
        if (!live_->MayClose())
            action = caNone;
    });
    BindShortcuts(*this, WithSaveKeys({{"acAdd", scCtrl | 'N'}, {"acDelete", scCtrl | VK_DELETE}, {"acSelectPost", scCtrl | 'P'}}));
    live_->Load();
    AttachGridCommandMenus(*this);
}

void TUserForm::ChangePassword(int row)
{
    if (!users_ || row < 1 || row >= TavikPTGrid1->RowCount())
        return;
    TPasswordForm dialog(nullptr);
    if (dialog.ShowModal() != mrOk)
        return;
    try {
        users_->SetPasswordHash(row, HashPassword(dialog.Password()));
    } catch (const StoreError& e) {
        Application()->MessageBox(e.Message(), Caption(), MB_ICONERROR);
    }
}

void TUserForm::ChangeSignature(int row)
{
    if (!users_ || row < 1 || row >= TavikPTGrid1->RowCount())
        return;
    std::unique_ptr<TSignatureForm> dialog(new TSignatureForm(nullptr));
    dialog->SetPicture(users_->Signature(row));
    if (dialog->ShowModal() == mrOk)
        users_->SetSignature(row, dialog->Picture());
}

void TUserForm::SelectPosts()
{
    if (!users_)
        return;
    const int row = TavikPTGrid1->CurrentRow();
    if (row < 1 || row >= TavikPTGrid1->RowCount()) {
        Application()->MessageBox(QStringLiteral("Select the user who gets the posts first."), Caption(), MB_ICONINFORMATION);
        return;
    }
    if (const auto picks = PickPosts(users_->Units(), users_->Posts(), users_->UnitPosts(), QStringLiteral("选择岗位")))
        users_->AddPosts(*picks);
}

void TUserForm::DeleteSelected()
{
    if (!users_)
        return;
    // The two toolbars share 删除: the post grid's focus means its post.
    if (ActiveControl() == TavikPTGrid2) {
        users_->RemoveCurrentPost();
        return;
    }
    const auto rows = users_->SelectedRows();
    if (rows.empty())
        return;
    if (Application()->MessageBox(
            QStringLiteral("Delete the user %1? The deletion is written by 保存.").arg(users_->Describe(rows)),
            Caption(), MB_YESNO | MB_ICONQUESTION) == mrYes)
        users_->DeleteRows(rows);
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
    if (live_) {
        if (head == kPassword)
            ChangePassword(TavikPTGrid1->PointToCell(x, y).Y);
        else if (head == kSignature)
            ChangeSignature(TavikPTGrid1->PointToCell(x, y).Y);
        return;
    }
    if (head == kPassword)
        Application()->MessageBox(QString::fromUtf8(PasswordMessage), Application()->Title(), MB_OK);
    else if (head == kSignature)
        Application()->MessageBox(QString::fromUtf8(SignatureMessage), Application()->Title(), MB_OK);
}
