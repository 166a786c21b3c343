// The engine and the listing rewrite as the engine script runs them, without the
// program: the yardstick of the sweep benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <QDir>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <fstream>
#include <string>

// Runs nec2c and the rewrite on `deckText` (IndataGN.txo) once per iteration; skips the
// benchmark when either fails.
inline void RunEngineAlone(benchmark::State& state, const std::string& deckText)
{
    QTemporaryDir folder;
    {
        std::ofstream deck(QDir(folder.path()).filePath("IndataGN.txo").toStdString(), std::ios::binary);
        deck << deckText;
    }
    for (auto _ : state) {
        QProcess engine;
        engine.setWorkingDirectory(folder.path());
        engine.start(QStringLiteral("nec2c"), {"-i", "IndataGN.txo", "-o", "Outdata.nec2c.txo"});
        engine.waitForFinished(-1);
        QProcess rewrite;
        rewrite.setWorkingDirectory(folder.path());
        rewrite.start(QStringLiteral(PROGRAM_DIR "/nec2c-classic"), {"Outdata.nec2c.txo", "Outdata.txo"});
        rewrite.waitForFinished(-1);
        if (engine.exitCode() != 0 || rewrite.exitCode() != 0) {
            state.SkipWithError("the engine failed");
            return;
        }
    }
}
