#include "app/Startup.h"

#include "stream/ClassRegistry.h"
#include "stream/PlatformClasses.h"
#if __has_include("stream/StdControlClasses.h")
#include "stream/StdControlClasses.h"
#else
#include "platform/Button.h"
#include "stream/PropertyBuilders.h"
static void RegisterStdControlClasses()
{
    auto& reg = ClassRegistry::Instance();
    reg.Register("TButton", "TWinControl", [](TComponent* o) { return new TButton(o); });
}
#endif

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
    RegisterPlatformClasses();
    RegisterStdControlClasses();
    RegisterScreenClasses();
}

void RunUnitFinalization() {}
