#pragma once
// PE_INITIALIZE against the host emulator's own start-up: the first call in
// fresh processes (child runs of this program) and repeated initialise /
// finalise cycles in one process.
namespace wine_bench {

// The child's side: starts the emulator, initialises once, finalises, and
// writes its figures into `resultFile`. Returns the process's exit status.
int RunFreshStartChild(const char* resultFile);

// The parent's side: runs the children and the cycles and prints the figures.
// False when something did not run.
bool StartupBench(int serverPort);

}  // namespace wine_bench
