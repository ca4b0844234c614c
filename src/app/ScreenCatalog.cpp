#include "app/ScreenCatalog.h"

#include "screens/DepartPropForm.h"
#include "screens/OrgForm.h"
#include "screens/dialogs/PasswordForm.h"
#include "screens/PostForm.h"
#include "screens/dialogs/PickListForm.h"
#include "screens/dialogs/PostPicker.h"
#include "screens/dialogs/SignatureForm.h"
#include "screens/dialogs/TreePickForm.h"
#include "screens/RightSetForm.h"
#include "screens/RolePropForm.h"
#include "screens/UserForm.h"
#include "stream/ClassRegistry.h"

namespace {

template <class T>
ScreenEntry Screen()
{
    return {ClassRegistry::NameOf<T>(), ScreenClass<T>()};
}

} // namespace

const std::vector<ScreenEntry>& ScreenCatalog()
{
    static const std::vector<ScreenEntry> screens = {
        Screen<TMainForm>(),     Screen<TOrgForm>(),        Screen<TUserForm>(),     Screen<TPostForm>(),
        Screen<TRightSetForm>(), Screen<TDepartPropForm>(), Screen<TRolePropForm>(), Screen<TPasswordForm>(),
        // The live screens' dialogs, empty until a screen fills them.
        Screen<TSignatureForm>(), Screen<TPickListForm>(), Screen<TPostPickerForm>(), Screen<TTreePickForm>(),
    };
    return screens;
}

const ScreenEntry* FindScreen(const QString& className)
{
    for (const auto& entry : ScreenCatalog())
        if (className.compare(QLatin1String(entry.className), Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}
