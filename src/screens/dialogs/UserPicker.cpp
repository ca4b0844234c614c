#include "screens/dialogs/UserPicker.h"

#include <algorithm>
#include <memory>

#include "platform/framework/Application.h"
#include "platform/framework/Messages.h"
#include "screens/dialogs/PickListForm.h"
#include "store/RightsStore.h"
#include "store/StoreError.h"

std::optional<std::vector<qint64>> PickUsers(RightsStore& store, const QString& caption)
{
    std::vector<TPickListForm::Item> items;
    try {
        for (const StoreRecord& r : store.Load(TableId::User))
            items.push_back({r.id, r.values[Col::UserLogin].toString(), r.values[Col::UserName].toString()});
    } catch (const StoreError& e) {
        Application()->MessageBox(e.Message(), caption, MB_ICONERROR);
        return std::nullopt;
    }
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    std::unique_ptr<TPickListForm> dialog(new TPickListForm(nullptr));
    dialog->SetItems(caption, QStringLiteral("登录账号"), QStringLiteral("用户名称"), std::move(items));
    if (dialog->ShowModal() != mrOk)
        return std::nullopt;
    return dialog->Picked();
}
