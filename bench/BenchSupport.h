#pragma once

// What the benchmarks share.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>

#include "app/ScreenCatalog.h"
#include "app/Startup.h"

// Widgets need an application object even when nothing is shown.
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

// Fixed-width cell texts, so that every row count draws strings of the same length.
inline QString BenchCellText(int col, int row)
{
    QChar text[11];
    for (int i = 6; i >= 0; --i, row /= 10)
        text[i] = QChar(u'0' + row % 10);
    text[7] = QChar(u':');
    text[8] = QChar(u'0' + col / 10);
    text[9] = QChar(u'0' + col % 10);
    return QString(text, 10);
}

// The screen of that class, with the application and the units started; null,
// and the benchmark skipped, for a class the catalogue does not know.
inline const ScreenEntry* PrepareScreen(benchmark::State& state, const char* className)
{
    EnsureApplication();
    RunUnitStartup();
    const ScreenEntry* entry = FindScreen(QString::fromLatin1(className));
    if (!entry)
        state.SkipWithError("unknown screen");
    return entry;
}
