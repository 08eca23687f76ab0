#include "bench_support.h"

#include <algorithm>

#include "weather/core/weather_sources.h"
#include "wine_fixture.h"

namespace wine_bench {

namespace {
unsigned long long Ticks(const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}
constexpr double kFileTimeTicksPerMs = 10000.0;
}  // namespace

LARGE_INTEGER Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Millis(LARGE_INTEGER from, LARGE_INTEGER to) { return Seconds(from, to) * 1000.0; }

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    return static_cast<double>(Ticks(kernel) + Ticks(user)) / (kFileTimeTicksPerMs * 1000.0);
}

double MillisSinceProcessCreation() {
    FILETIME created, exited, kernel, user, now;
    GetSystemTimePreciseAsFileTime(&now);
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    return static_cast<double>(static_cast<long long>(Ticks(now) - Ticks(created))) / kFileTimeTicksPerMs;
}

Spread SpreadOf(std::vector<double> samples) {
    if (samples.empty()) return {};
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 != 0 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {median, samples.back()};
}

std::string EnterScratchDirectory(const std::string& tag) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "ow_bench_" + tag + "_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    SetCurrentDirectoryA(dir.c_str());
    return dir;
}

bool PreparePluginsFolder(const wine_tests::Settings* settings) {
    const std::string plugins = wine_tests::PluginsDir();
    CreateDirectoryA(plugins.c_str(), nullptr);
    for (const ow::WeatherSource& source : ow::TheWeatherSources()) {
        const std::string name(source.townListFile);
        if (!CopyFileA(wine_tests::DataFile(name).c_str(), (plugins + "\\" + name).c_str(), FALSE)) return false;
    }
    const std::string file = plugins + "\\ostixweather.ini";
    if (settings == nullptr) {
        return DeleteFileA(file.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    return wine_tests::WriteFileBytes(file, wine_tests::SettingsFileText(*settings));
}

std::optional<std::size_t> ShownWeatherLineLength(host::HostEmulator& emu, int section) {
    const std::string shown = emu.window().StatusText(section);
    const std::string prefix = wine_tests::Cp1251(L"ПОГОДА: ");
    if (shown.size() <= prefix.size() || shown.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    for (const std::string& failure :
         {wine_tests::Cp1251(L"Ошибка соединения"), std::string("Proxy authorization failed!"), std::string("error")}) {
        if (shown == prefix + failure) return std::nullopt;
    }
    return shown.size() - prefix.size();
}

}  // namespace wine_bench
