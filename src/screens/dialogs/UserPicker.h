#pragma once

// Picks users of the store, several at once, in the list dialog.

#include <optional>
#include <vector>

#include <QString>

class RightsStore;

// The ids of the users ticked, in login order; std::nullopt when the dialog
// was cancelled. A store that cannot be read is reported and counts as
// cancelled.
std::optional<std::vector<qint64>> PickUsers(RightsStore& store, const QString& caption);
