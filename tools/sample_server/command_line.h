#pragma once
// The sample server's command line (see the note at the top of main.cpp).
#include <optional>
#include <string>
#include <vector>

#include "sample_server.h"

namespace ow::sample {

struct CommandLine {
    ServerConfig config;
    std::string portFile;    // written once listening: the port number only
    std::string tlsPortFile; // likewise for the HTTPS origin's own port
    int maxSeconds = 3600;   // the server ends itself after this long
    bool help = false;
};

// args excludes the program name. defaultDataDir is where the shipped town
// lists live. None, with a reason in error, for a bad command line.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            const std::string& defaultDataDir, std::string* error);

extern const char* const kUsage;

}  // namespace ow::sample
