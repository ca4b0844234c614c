#include "screens/PostForm.h"

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/Application.h"
#include "platform/framework/Messages.h"
#include "screens/GridCommandMenu.h"
#include "screens/live/LiveActions.h"
#include "screens/live/LiveEditor.h"
#include "screens/live/LiveShortcuts.h"
#include "screens/live/LivePosts.h"
#include "screens/live/LiveStore.h"

TPostForm::TPostForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    ExitHandler();
    EmptyHandlers({"acCopyExecute", "acPasteExecute"});
    RegisterLiveActions(*this, live_);
    Handler<TNotifyEvent>("acAddExecute", [this](TObject*) { AddPost(); });
    Handler<TNotifyEvent>("acDeleteExecute", [this](TObject*) { DeletePosts(); });
    Build(QStringLiteral("PostForm"));
    if (RightsStore* store = LiveStore()) {
        posts_ = std::make_unique<LivePosts>(*Require<TTavikPTGrid>("TavikPTGrid2"));
        live_ = std::make_unique<LiveEditor>(*store, *posts_, Caption());
        OnClose = TCloseEvent([this](TObject*, TCloseAction& action) {
            if (!live_->MayClose())
                action = caNone;
        });
        BindShortcuts(*this, WithSaveKeys({{"acAdd", scCtrl | 'N'}, {"acDelete", scCtrl | VK_DELETE}}));
        live_->Load();
        AttachGridCommandMenus(*this);
    }
}

TPostForm::~TPostForm() = default;

void TPostForm::FormCreate(TObject*)
{
    Require<TTavikPTGrid>("TavikPTGrid2")->SetPaintSelection(false);
}

void TPostForm::AddPost()
{
    if (posts_)
        posts_->AddRow();
}

void TPostForm::DeletePosts()
{
    if (!posts_)
        return;
    const auto rows = posts_->SelectedRows();
    if (rows.empty())
        return;
    const QString problem = posts_->DeleteProblem(rows);
    if (!problem.isEmpty()) {
        Application()->MessageBox(problem + QStringLiteral("\n\nNothing was deleted."), Caption(), MB_ICONWARNING);
        return;
    }
    if (Application()->MessageBox(QStringLiteral("Delete %1? The deletion is written by 保存.").arg(posts_->Describe(rows)),
                                  Caption(), MB_YESNO | MB_ICONQUESTION) == mrYes)
        posts_->DeleteRows(rows);
}
