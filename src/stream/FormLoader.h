#pragma once

// Builds a form's components from its stored definition and writes a form back
// into the same notation.

#include <string>

#include <QString>

#include "stream/FormValue.h"

class TComponent;
class TCustomForm;
class TPersistent;
struct LoadContext;
struct ClassInfo;

// Creates the components of tree inside form (which must be of the tree's class),
// sets their properties, binds events to the form's handlers, then runs every
// component's Loaded. Throws EFormError naming resource, line and column.
void LoadForm(TCustomForm* form, const FormObject& tree, const std::string& resource);
// The same from a resource of the program (":/screens/Main.form").
void LoadFormResource(TCustomForm* form, const QString& path);
// Applies "Name = value" (dotted names reach sub-objects) to object.
void ApplyProperty(TPersistent* object, const ClassInfo& info, const FormProperty& property, LoadContext& ctx);

// The stored definition of a form as it stands now; defaults are left out.
FormObject SaveForm(const TCustomForm* form);
