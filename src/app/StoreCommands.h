#pragma once

// The command line's work on a store: opening the one it names, seeding a new
// one, and --store-info, --export and --import.

#include <memory>

#include "app/CommandLine.h"

class RightsStore;

// The store of --store, or the default one; a new store is seeded with the
// designed sample content unless it is about to be imported into. Throws
// StoreError.
std::unique_ptr<RightsStore> OpenCommandStore(const CommandLine& command);

// Runs --store-info, --export or --import: prints its result on standard
// output, or what failed on standard error; returns the exit code.
int RunStoreCommand(const CommandLine& command);
