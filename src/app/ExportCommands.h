#pragma once

// The command line's exports: a screen's grid as CSV and the organisation
// chart as a picture. Each builds its screen as it opens, writes the file
// through a temporary one and returns the process's exit code (errors on
// standard error).

#include "app/CommandLine.h"

int ExportGridCommand(const CommandLine& command);
int ExportChartCommand(const CommandLine& command);
