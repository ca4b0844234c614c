#include "screens/RightSetForm.h"

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/controls/Label.h"
#include "platform/controls/TreeView.h"
#include "screens/GridCommandMenu.h"
#include "screens/live/LiveActions.h"
#include "screens/live/LiveEditor.h"
#include "screens/rights/LiveRights.h"
#include "screens/live/LiveShortcuts.h"
#include "screens/live/LiveStore.h"
#include "screens/rights/RightsCommands.h"
#include "screens/rights/RightsResourcePage.h"

namespace {

TLabel& AsLabel(TObject* sender)
{
    auto* label = dynamic_cast<TLabel*>(sender);
    if (!label)
        throw EInvalidCast();
    return *label;
}

} // namespace

TRightSetForm::TRightSetForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    Handler<TNotifyEvent>("Label7MouseEnter", [this](TObject* s) { Label7MouseEnter(s); });
    Handler<TNotifyEvent>("Label7MouseLeave", [this](TObject* s) { Label7MouseLeave(s); });
    ExitHandler();
    RegisterLiveActions(*this, live_);
    Handler<TNotifyEvent>("acCopyExecute", [this](TObject*) {
        if (commands_)
            commands_->Copy();
    });
    Handler<TNotifyEvent>("acPasteExecute", [this](TObject*) {
        if (commands_)
            commands_->Paste();
    });
    Build(QStringLiteral("RightSetForm"));
    if (RightsStore* store = LiveStore())
        StartLive(*store);
}

TRightSetForm::~TRightSetForm() = default;

void TRightSetForm::StartLive(RightsStore& store)
{
    rights_ = std::make_unique<LiveRights>(*this);
    live_ = std::make_unique<LiveEditor>(store, *rights_, Caption());
    commands_ = std::make_unique<RightsCommands>(*this, store, *rights_);
    rights_->Tree().OnChange = TTVChangedEvent([this](TObject*, TTreeNode* node) {
        if (rights_)
            rights_->NodeSelected(node);
    });
    Require<TTavikPTGrid>("TavikPTGrid4")->OnMoveCurrent =
        TGridMoveCurrentEvent([this](TObject*, TGridCoord, TGridCoord, TMoveReason) { rights_->Resources().ClassChosen(); });
    OnClose = TCloseEvent([this](TObject*, TCloseAction& action) {
        if (!live_->MayClose())
            action = caNone;
    });
    // Ctrl+C and Ctrl+V stay the grids' cell clipboard; a typed trust level
    // keeps its editor's keys.
    BindShortcuts(*this, WithSaveKeys({{"acCopy", scCtrl | scShift | 'C'}, {"acPaste", scCtrl | scShift | 'V'}}),
                  [this] {
                      TWinControl* focused = ActiveControl();
                      auto* grid = dynamic_cast<TTavikPTGrid*>(focused);
                      if (!grid && focused)
                          grid = dynamic_cast<TTavikPTGrid*>(focused->Parent());
                      return grid && grid->EditorMode();
                  });
    // Last, so that the menus keep the handlers set above.
    AttachGridCommandMenus(*this);
    live_->Load();
}

void TRightSetForm::FormCreate(TObject*)
{
    pcRight = Require<TFlatPageControl>("pcRight");
    // Only grids placed directly on the pages; deeper ones keep their highlight.
    for (int p = 0; p < pcRight->PageCount(); ++p)
        for (TControl* control : pcRight->Pages(p)->ControlList())
            if (auto* grid = dynamic_cast<TTavikPTGrid*>(control))
                grid->SetPaintSelection(false);
}

void TRightSetForm::Label7MouseEnter(TObject* sender)
{
    TFont& font = AsLabel(sender).Font();
    font.SetStyle(font.Style() & ~TFontStyles(fsUnderline));
    font.SetColor(clMaroon);
}

void TRightSetForm::Label7MouseLeave(TObject* sender)
{
    TFont& font = AsLabel(sender).Font();
    font.SetStyle(font.Style() | fsUnderline);
    font.SetColor(clNavy);
}
