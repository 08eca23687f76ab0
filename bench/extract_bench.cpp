// Weather-line extraction on large documents dense with tags and markers (or,
// for Open-Meteo, with numbers in members the line does not read), against
// one memchr pass over the same bytes. Counters per size and source:
//   extract_ms  one extraction
//   memchr_ms   one memchr pass over the document (same run)
//   ratio       extract_ms / memchr_ms (goal: under 10 at 16 MiB)
//   allocs      heap allocations of one extraction
// Compare the 16 MiB and 1 MiB rows for linearity (goal: under 20 times).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "weather/core/extract_weather_line.h"
#include "weather/core/open_meteo_extract.h"

// Counts heap allocations so that each extraction's can be reported.
namespace {
std::atomic<long> gAllocations{0};
}  // namespace

// GCC cannot see that these two belong together.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

// An informer payload made of one forecast fragment repeated: every closing
// tag kind, attributes, the signature completed by a replacement, a line feed
// and carriage return pair and a reference.
std::string GismeteoDocument(std::size_t size) {
    static constexpr auto kFragment =
        ow::Cp1251(u8"<font face='Tahoma' size=1><b>Москва</b></font> <b>-3..-5&#176;C</b>"
                   u8" облачно</font><b>GISMETEO.RU</b></font>\n\r<br>");
    static constexpr std::string_view kOpening = "document.write(\"";
    static constexpr std::string_view kClosing = "\");";
    std::string document(kOpening);
    const std::size_t payloadEnd = size - kClosing.size();
    while (document.size() + kFragment.size < payloadEnd) document += kFragment.view();
    document.resize(payloadEnd, ' ');
    document += kClosing;
    return document;
}

// A feed of many items, with tabs, CR LF line ends and references everywhere.
std::string WundergroundDocument(std::size_t size) {
    static constexpr std::string_view kHead =
        "<rss version=\"2.0\">\r\n<channel>\r\n\t<title>Weather Underground - Boston, MA</title>\r\n"
        "\t<description>Weather Underground RSS Feed</description>\r\n";
    static constexpr std::string_view kItem =
        "\t<item>\r\n\t\t<title>Current Conditions : 41.0F / 5.0C</title>\r\n"
        "\t\t<description>Temperature: 41.0&#176;F / 5.0&#176;C | Humidity: 76% | "
        "Updated: 8:54 AM EST</description>\r\n"
        "\t\t<pubDate>Tue, 08 Dec 2026 13:54:00 GMT</pubDate>\r\n\t</item>\r\n";
    std::string document(kHead);
    while (document.size() + kItem.size() < size) document += kItem;
    document.append(size - document.size(), '\n');
    return document;
}

// A forecast answer with an hour-by-hour block of the kind the service adds
// when asked for it, long enough to fill the size.
std::string OpenMeteoDocument(std::size_t size) {
    static constexpr std::string_view kHead =
        R"({"latitude":55.75,"longitude":37.625,"generationtime_ms":0.06,"utc_offset_seconds":10800,)"
        R"("timezone":"Europe/Moscow","timezone_abbreviation":"MSK","elevation":144.0,"current":{)"
        R"("time":"2026-12-08T12:00","interval":900,"temperature_2m":-2.6,"relative_humidity_2m":87,)"
        R"("weather_code":73,"surface_pressure":995.2,"wind_speed_10m":3.4,"wind_direction_10m":225},)"
        R"("daily":{"time":["2026-12-08","2026-12-09"],"weather_code":[71,3],)"
        R"("temperature_2m_max":[-1.2,-3.1],"temperature_2m_min":[-4.0,-7.5]},"hourly":{"temperature_2m":[)";
    static constexpr std::string_view kHour = "-2.6,-3.1,-4.05,0.0,";
    static constexpr std::string_view kTail = "1.5]}}";
    std::string document(kHead);
    while (document.size() + kHour.size() + kTail.size() < size) document += kHour;
    document += kTail;
    return document;
}

std::string Gismeteo(std::string_view document) { return ow::ExtractWeatherLine(document, ow::kGismeteoSource); }
std::string Wunderground(std::string_view document) {
    return ow::ExtractWeatherLine(document, ow::kWundergroundSource);
}
std::string OpenMeteo(std::string_view document) { return ow::ExtractOpenMeteoLine(document, "Moscow"); }

struct Subject {
    std::string (*document)(std::size_t size);
    std::string (*extract)(std::string_view document);
};

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void BM_Extract(benchmark::State& state, Subject subject) {
    const std::size_t size = static_cast<std::size_t>(state.range(0)) * kMiB;
    const std::string document = subject.document(size);
    const char absent = '\x01';  // occurs in no document, so memchr reads it all
    using Clock = std::chrono::steady_clock;
    Clock::duration extracting{};
    Clock::duration scanning{};
    long allocations = 0;

    for (auto _ : state) {
        const long before = gAllocations.load(std::memory_order_relaxed);
        const auto start = Clock::now();
        std::string line = subject.extract(document);
        extracting += Clock::now() - start;
        allocations = gAllocations.load(std::memory_order_relaxed) - before;
        benchmark::DoNotOptimize(line);

        state.PauseTiming();
        const auto scanStart = Clock::now();
        const void* found = std::memchr(document.data(), absent, document.size());
        scanning += Clock::now() - scanStart;
        benchmark::DoNotOptimize(found);
        state.ResumeTiming();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["extract_ms"] = Milliseconds(extracting) / runs;
    state.counters["memchr_ms"] = Milliseconds(scanning) / runs;
    state.counters["ratio"] = Milliseconds(extracting) / Milliseconds(scanning);
    state.counters["allocs"] = static_cast<double>(allocations);
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(size));
}

// The machine is shared: repetitions, and the best of them next to the mean.
double Best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

BENCHMARK_CAPTURE(BM_Extract, gismeteo, Subject{GismeteoDocument, Gismeteo})
    ->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond)
    ->Repetitions(5)->ComputeStatistics("best", Best)->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_Extract, wunderground, Subject{WundergroundDocument, Wunderground})
    ->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond)
    ->Repetitions(5)->ComputeStatistics("best", Best)->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_Extract, open_meteo, Subject{OpenMeteoDocument, OpenMeteo})
    ->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond)
    ->Repetitions(5)->ComputeStatistics("best", Best)->ReportAggregatesOnly();

}  // namespace
