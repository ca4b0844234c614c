#include "screens/live/LiveShortcuts.h"

#include "platform/framework/actions/Action.h"
#include "platform/framework/Form.h"

void BindShortcuts(TCustomForm& form, const std::vector<ShortcutKey>& keys, std::function<bool()> busy)
{
    for (const ShortcutKey& k : keys)
        if (auto* action = form.Find<TAction>(QString::fromLatin1(k.action)))
            action->SetShortCut(k.shortCut);
    form.OnShortCut = TEvent<TObject*, Word, TShiftState, bool&>(
        [&form, busy](TObject*, Word key, TShiftState shift, bool& ran) {
            if (key == 0 || (busy && busy()))
                return;
            const int pressed = key | (shift & ssShift ? scShift : 0) | (shift & ssCtrl ? scCtrl : 0)
                                | (shift & ssAlt ? scAlt : 0);
            for (int i = 0; i < form.ComponentCount() && !ran; ++i) {
                auto* action = dynamic_cast<TAction*>(form.Components(i));
                if (action && action->ShortCut() == pressed && action->Visible()) {
                    action->Update();
                    ran = action->Enabled() && action->Execute();
                }
            }
        });
}

std::vector<ShortcutKey> WithSaveKeys(std::vector<ShortcutKey> keys)
{
    keys.insert(keys.end(), {{"acSave", scCtrl | 'S'}, {"acCancel", scCtrl | scShift | 'Z'}, {"acRefresh", VK_F1 + 4}, {"acExit", scCtrl | 'W'}});
    return keys;
}
