#pragma once

// The program's command line, parsed apart from acting on it so that every
// wrong form gets its own message.

#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Action { Launcher, Help, List, Dump, Render, Gallery, StoreInfo, Export, Import, ExportGrid, ExportChart, Error };
    Action action = Action::Launcher;
    QString className; // --dump and --render: a screen class, "all" or TGalleryForm;
                       // --export-grid: the grid's screen class
    QString outDir;    // --render
    QString store;            // --store: a path or a postgresql:// URL; empty for the default store
    bool sample = false;      // --sample: the designed screens, no store
    QString file;             // --export, --import, --export-grid, --export-chart: the file read or written
    bool withSecrets = false; // --export: password hashes too
    QString gridName;         // --export-grid: the grid's name on its screen
    int scale = 1;            // --export-chart: pixels per logical pixel
    QString error;     // Action::Error: what is wrong, for the user
};

// args as QCoreApplication::arguments() gives them: the program first.
CommandLine ParseCommandLine(const QStringList& args);

const char* CommandLineUsage();

// True when the command needs no window system (it draws off screen or prints).
bool IsHeadless(const CommandLine& command);

// True when the command works on a store: the launcher unless --sample, the
// store commands, and --dump and --render with --store.
bool UsesStore(const CommandLine& command);
