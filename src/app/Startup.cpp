#include "app/Startup.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

#include "app/ScreenCatalog.h"
#include "chrome/checkboxes/CheckBoxAccessibility.h"
#include "chrome/checkboxes/CheckBoxClasses.h"
#include "chrome/gradients/GradientClasses.h"
#include "chrome/gradients/GroupBoxAccessibility.h"
#include "chrome/pagecontrol/PageControlAccessibility.h"
#include "chrome/pagecontrol/PageControlClasses.h"
#include "chrome/toolbars/ToolbarAccessibility.h"
#include "chrome/toolbars/ToolbarClasses.h"
#include "grid/drawgrid/DrawGridClasses.h"
#include "grid/viewgrid/GridAccessibility.h"
#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/canvas/text/Font.h"
#include "grid/core/GridClasses.h"
#include "grid/ptgrid/PTGridClasses.h"
#include "grid/viewgrid/ViewGridClasses.h"
#include "orgchart/ChartAccessibility.h"
#include "orgchart/OrgChartClasses.h"
#include "stream/ClassRegistry.h"
#include "stream/PlatformClasses.h"
#include "stream/StdControlClasses.h"

namespace {

void RegisterScreenClasses()
{
    auto& reg = ClassRegistry::Instance();
    reg.Register<TScreenForm>("TForm");
    for (const ScreenEntry& screen : ScreenCatalog())
        reg.Register(screen.className, TScreenForm::StaticClassName());
}

// Every screen is built anew each time it opens, with a window picture per
// control; by default the C library hands those megabytes back to the system
// when a screen closes and takes fresh zeroed pages on the next opening, which
// costs more than drawing them. Kept in the process instead, they are reused.
void KeepFreedPicturesForReuse()
{
#if defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD)
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

// Every self-painted control answers assistive technology; newer providers
// come first, so the specific kinds follow the platform's general ones.
void RegisterAccessibility()
{
    InstallAccessibility();
    RegisterGroupBoxAccessibility();
    RegisterPageControlAccessibility();
    RegisterCheckBoxAccessibility();
    RegisterToolbarAccessibility();
    RegisterGridAccessibility();
    RegisterChartAccessibility();
}

} // namespace

void RunUnitStartup()
{
    KeepFreedPicturesForReuse();
    TFont::RegisterFaces();
    RegisterPlatformClasses();
    RegisterStdControlClasses();
    RegisterGradientClasses();
    RegisterPageControlClasses();
    RegisterCheckBoxClasses();
    RegisterToolbarClasses();
    RegisterGridCoreClasses();
    RegisterDrawGridClasses();
    RegisterViewGridClasses();
    RegisterOrgChartClasses();
    RegisterPTGridClasses();
    RegisterScreenClasses();
    RegisterAccessibility();
}
