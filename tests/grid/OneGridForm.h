#pragma once

// Loading a stored definition that holds a single grid, Grid1.

#include <string>

#include "platform/framework/Form.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"

// Loads into form the grid Grid1 of gridClass with the given property lines
// ("    Name = value\n" each); the grid, or null when it is not a G.
template <class G>
G* LoadOneGrid(TForm& form, const std::string& gridClass, const std::string& properties)
{
    const std::string text = "object F: TForm\n  object Grid1: " + gridClass + "\n" + properties + "  end\nend\n";
    LoadForm(&form, ReadForm(text, "Grid.dfm"), "Grid.dfm");
    return form.Find<G>("Grid1");
}
