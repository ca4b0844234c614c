#include "screens/live/LiveEditor.h"

#include "platform/framework/Application.h"
#include "platform/framework/Messages.h"
#include "screens/live/LiveContent.h"
#include "store/RightsStore.h"
#include "store/StoreError.h"

LiveEditor::LiveEditor(RightsStore& store, LiveContent& content, QString caption)
    : store_(store), content_(content), caption_(std::move(caption))
{
}

int LiveEditor::Ask(const QString& text, unsigned flags)
{
    return Application()->MessageBox(text, caption_, flags);
}

bool LiveEditor::Load()
{
    try {
        content_.Read(store_);
    } catch (const StoreError& e) {
        Ask(e.Message(), MB_ICONERROR);
        return false;
    }
    content_.Show();
    return true;
}

bool LiveEditor::Dirty()
{
    content_.EndEdit();
    return !content_.Changes().empty();
}

bool LiveEditor::Save()
{
    content_.EndEdit();
    const QString problem = content_.Problem();
    if (!problem.isEmpty()) {
        Ask(problem + QStringLiteral("\n\nNothing was saved."), MB_ICONWARNING);
        return false;
    }
    const auto changes = content_.Changes();
    if (changes.empty())
        return true;
    try {
        store_.Save(changes);
    } catch (const StoreError& e) {
        if (e.Conflict()) {
            // The other change wins only when the user says so.
            if (Ask(e.Message() + QStringLiteral("\n\nYour changes are still on the screen. Reload now and drop them?"),
                    MB_YESNO | MB_ICONWARNING) == mrYes)
                Load();
        } else {
            Ask(e.Message() + QStringLiteral("\n\nYour changes are still on the screen; save again once the store can "
                                             "be reached."),
                MB_ICONERROR);
        }
        return false;
    }
    // The saved records come back with their new ids and versions.
    Load();
    return true;
}

void LiveEditor::Cancel()
{
    content_.EndEdit();
    content_.Show();
}

void LiveEditor::Refresh()
{
    if (Dirty() && Ask(QStringLiteral("The changes on this screen are not saved. Reload and drop them?"),
                       MB_YESNO | MB_ICONQUESTION) != mrYes)
        return;
    Load();
}

bool LiveEditor::MayClose()
{
    if (!Dirty())
        return true;
    switch (Ask(QStringLiteral("The changes on this screen are not saved. Save them before closing?"),
                MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case mrYes:
        return Save();
    case mrNo:
        return true;
    default:
        return false;
    }
}
