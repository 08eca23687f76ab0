// Lifecycle benchmarks under Wine, against the sample weather server whose
// port is in OW_SERVER_PORT (tools/scripts/bench_wine.sh starts it):
//  1. PE_INITIALIZE against the host emulator's own start-up, first call in
//     fresh processes (this program run again with --fresh-start) and
//     repeated initialise / finalise cycles;
//  2. CPU time and messages while the host idles, with and without the
//     plug-in, against a budget.
// Prints figures and budget lines; the exit status says only whether it ran.
#include <cstdio>
#include <cstring>

#include "download_server.h"
#include "idle_bench.h"
#include "startup_bench.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--fresh-start") == 0) return wine_bench::RunFreshStartChild(argv[2]);

    const auto port = wine_tests::SampleServerControl::PortFromEnvironment();
    if (!port) {
        std::printf("OW_SERVER_PORT is not set: run through tools/scripts/bench_wine.sh\n");
        return 2;
    }
    if (!wine_tests::SampleServerControl(*port).Control("ping")) {
        std::printf("the sample server on port %d does not answer\n", *port);
        return 2;
    }
    // The bare emulator first: nothing of the plug-in has been in this process.
    const bool bare = wine_bench::MeasureBareIdle();
    int status = wine_bench::StartupBench(*port) ? 0 : 1;
    std::fflush(stdout);
    if (!bare || !wine_bench::IdleBench(*port)) status = 1;
    std::fflush(stdout);
    return status;
}
