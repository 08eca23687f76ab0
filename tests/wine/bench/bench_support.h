#pragma once
// What the benchmarks under Wine share: a high-resolution clock, the
// process's CPU time, figures over repeated samples, and the folders the
// plug-in reads and writes.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "download_server.h"
#include "host_emulator.h"

namespace wine_bench {

LARGE_INTEGER Now();
double Seconds(LARGE_INTEGER from, LARGE_INTEGER to);
double Millis(LARGE_INTEGER from, LARGE_INTEGER to);

// User plus kernel time of the whole process, every thread, in seconds.
// Wine counts it in steps of the kernel's clock tick (10 ms).
double ProcessCpuSeconds();
// From the process's creation (as the system recorded it) until now.
double MillisSinceProcessCreation();

// Median and worst of a set of samples; zero for an empty set.
struct Spread {
    double median = 0;
    double worst = 0;
};
Spread SpreadOf(std::vector<double> samples);

// Makes a fresh scratch folder under the temp folder (the plug-in keeps its
// log in the current directory) and enters it; returns its path.
std::string EnterScratchDirectory(const std::string& tag);

// The plugins folder beside the program: the shipped town lists and, unless
// `settings` is null, a settings file with these lines (none: a first run).
bool PreparePluginsFolder(const wine_tests::Settings* settings);

// The length of the weather line that `section` of the emulator's bar shows
// after "ПОГОДА: "; none when it shows no line, a failure text or "error".
std::optional<std::size_t> ShownWeatherLineLength(host::HostEmulator& emu, int section);

}  // namespace wine_bench
