#include "common/win32/debug_log.h"

#include <windows.h>

#include <string>

#include "common/log_line.h"
#include "common/win32/unique_handle.h"

namespace ow {

namespace {
std::string FormatPart(bool date, const SYSTEMTIME& now) {
    char buffer[128] = {};
    const int n = date ? GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, sizeof buffer)
                       : GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer) : std::string();
}
}  // namespace

void WriteDebugLog(std::string_view message) noexcept {
    try {
        SYSTEMTIME now;
        GetLocalTime(&now);
        const LogClock clock{FormatPart(true, now), FormatPart(false, now), now.wHour, now.wMinute, now.wSecond};
        const std::string line = FormatLogLine(clock, message);
        const std::string path(kDebugLogFile);
        // FILE_APPEND_DATA alone makes every write land at the end of the file.
        UniqueFile file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return;
        DWORD written = 0;
        WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    } catch (...) {
        // The log is best effort.
    }
}

}  // namespace ow
