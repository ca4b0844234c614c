#include "app/Startup.h"

#include "chrome/ChromeClasses.h"
#include "chrome/PageControlClasses.h"
#include "chrome/SkinClasses.h"
#include "chrome/ToolbarClasses.h"
#include "grid/DrawGridClasses.h"
#include "platform/Font.h"
#include "grid/GridClasses.h"
#include "grid/PTGridClasses.h"
#include "grid/ViewGridClasses.h"
#include "orgchart/OrgChartClasses.h"
#include "stream/ClassRegistry.h"
#include "stream/PlatformClasses.h"
#include "stream/StdControlClasses.h"

namespace {

void RegisterScreenClasses()
{
    auto& reg = ClassRegistry::Instance();
    reg.Register("TScreenForm", "TForm");
    for (const char* name : {"TMainForm", "TOrgForm", "TUserForm", "TPostForm", "TRightSetForm", "TDepartPropForm",
                             "TRolePropForm"})
        reg.Register(name, "TScreenForm");
}

} // namespace

void RunUnitStartup()
{
    TFont::RegisterFaces();
    RegisterPlatformClasses();
    RegisterStdControlClasses();
    RegisterGradientClasses();
    RegisterPageControlClasses();
    RegisterSkinPanelClasses();
    RegisterToolbarClasses();
    RegisterGridCoreClasses();
    RegisterDrawGridClasses();
    RegisterViewGridClasses();
    RegisterOrgChartClasses();
    RegisterPTGridClasses();
    RegisterScreenClasses();
}

void RunUnitFinalization() {}
