#include "app/ScreenCatalog.h"

#include "screens/DepartPropForm.h"
#include "screens/OrgForm.h"
#include "screens/PostForm.h"
#include "screens/RightSetForm.h"
#include "screens/RolePropForm.h"
#include "screens/UserForm.h"

const std::vector<ScreenEntry>& ScreenCatalog()
{
    static const std::vector<ScreenEntry> screens = {
        {"TMainForm", ScreenClass<TMainForm>()},
        {"TOrgForm", ScreenClass<TOrgForm>()},
        {"TUserForm", ScreenClass<TUserForm>()},
        {"TPostForm", ScreenClass<TPostForm>()},
        {"TRightSetForm", ScreenClass<TRightSetForm>()},
        {"TDepartPropForm", ScreenClass<TDepartPropForm>()},
        {"TRolePropForm", ScreenClass<TRolePropForm>()},
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
