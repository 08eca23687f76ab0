#pragma once
// The working values the rest of the plug-in reads while it runs. They are
// filled from the settings file by the settings operations and, for the
// duration of a test download, from the preferences window.
#include <cstdint>
#include <string>

namespace ow {

struct WorkingValues {
    int SourceIndex = 0;          // a row of the weather sources
    std::string TownCode;         // code of the selected town, put into the URL as is
    std::string TownName;         // name of the selected town, for the lines that name it
    bool UseProxy = false;
    bool ProxyAuth = false;
    std::string ProxyHost;
    std::string ProxyPort;
    std::string ProxyLogin;
    std::string ProxyPassword;
    int BarSection = 2;           // zero-based status-bar section
    bool BarRefresh = true;       // re-show the line every 3000 ms after a pass
    bool UseScroll = false;       // run the ticker after a successful download
    int ScrollInterval = 0;       // ms per ticker step: 500 div speed
    std::int64_t UpdatePeriod = 0;  // ms between automatic updates
    bool OldStyle = false;        // kept for the settings file only
};

}  // namespace ow
