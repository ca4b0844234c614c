#pragma once

// The program's command line, parsed apart from acting on it so that every
// wrong form gets its own message.

#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Action { Launcher, Help, List, Dump, Render, Gallery, ExportGrid, ExportChart, Error };
    Action action = Action::Launcher;
    QString className; // --dump and --render: a screen class, "all" or TGalleryForm;
                       // --export-grid: the grid's screen class
    QString outDir;    // --render
    QString gridName;  // --export-grid: the grid's name on its screen
    QString file;      // --export-grid, --export-chart: the file written
    int scale = 1;     // --export-chart: pixels per logical pixel
    QString error;     // Action::Error: what is wrong, for the user
};

// args as QCoreApplication::arguments() gives them: the program first.
CommandLine ParseCommandLine(const QStringList& args);

const char* CommandLineUsage();

// True when the command needs no window system (it draws off screen or prints).
bool IsHeadless(const CommandLine& command);
