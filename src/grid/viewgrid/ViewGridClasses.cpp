#include "grid/viewgrid/ViewGridClasses.h"

#include "grid/drawgrid/DrawGridClasses.h"
#include "grid/viewgrid/DrawSymbol.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "stream/PropertyBuilders.h"

using namespace props;

void RegisterViewGridClasses()
{
    TDrawSymbolManager::Instance();
    auto& reg = ClassRegistry::Instance();
    if (reg.Find(ClassRegistry::NameOf<TTavikCustomViewGrid>()))
        return;
    RegisterDrawGridClasses();
    using G = TTavikCustomViewGrid;
    ClassInfo& grid =
        reg.Register<G>(ClassRegistry::NameOf<TTavikCustomDrawGrid>(), [](TComponent* o) { return new G(o); });
    grid.Add(Color<G>("GridLineColor", &G::GridLineColor, &G::SetGridLineColor, clSilver))
        .Add(Color<G>("BoundLineColor", &G::BoundLineColor, &G::SetBoundLineColor, clBlack));
}
