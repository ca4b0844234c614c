#pragma once

// The pickers of the rights screen: system functions, organisation units (or
// only posts) and the resources of one class, each offered as a tree in the
// pick dialog. Each returns the chosen records' ids, several at once, or none
// when cancelled; a store fault throws StoreError.

#include <optional>
#include <vector>

#include <QString>

class RightsStore;

std::optional<std::vector<qint64>> PickFunctions(RightsStore& store, const QString& caption);
std::optional<std::vector<qint64>> PickUnits(RightsStore& store, const QString& caption, bool postsOnly);
std::optional<std::vector<qint64>> PickResources(RightsStore& store, const QString& caption, qint64 resourceClass);
