#include "screens/live/LiveActions.h"

#include "platform/framework/Form.h"
#include "screens/live/LiveEditor.h"

void RegisterLiveActions(TForm& form, const std::unique_ptr<LiveEditor>& live)
{
    form.Handler<TNotifyEvent>("acSaveExecute", [&live](TObject*) {
        if (live)
            live->Save();
    });
    form.Handler<TNotifyEvent>("acCancelExecute", [&live](TObject*) {
        if (live)
            live->Cancel();
    });
    form.Handler<TNotifyEvent>("acRefreshExecute", [&live](TObject*) {
        if (live)
            live->Refresh();
    });
}
