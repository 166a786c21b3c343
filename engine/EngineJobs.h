// How many engine runs go at once: `jobs=N` of engine.conf (the working folder's file
// before the program folder's, as the engine scripts take it), else the number of cores.
// The same file's `runner=` is the scripts' own business: each engine run starts
// through it.
#pragma once

#include <QString>

namespace vrnnec::engine {

// The jobs= value of the engine.conf that a run in `workingFolder` takes; the local core
// count when there is none or it is not a whole number of 1 or more.
int EngineJobs(const QString& workingFolder, const QString& programFolder);

// The jobs= value of one engine.conf file; 0 when it has none that reads.
int JobsOfConf(const QString& confPath);

} // namespace vrnnec::engine
