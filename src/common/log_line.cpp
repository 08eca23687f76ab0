#include "common/log_line.h"

namespace ow {

std::string FormatLogLine(const LogClock& clock, std::string_view message) {
    std::string line = "[";
    line += clock.date;
    if (clock.hour != 0 || clock.minute != 0 || clock.second != 0) {
        line += ' ';
        line += clock.time;
    }
    line += "] ";
    line += message;
    line += "\r\n";
    return line;
}

}  // namespace ow
