#include "startup_bench.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "host_emulator.h"
#include "message_census.h"
#include "wine_fixture.h"

namespace wine_bench {

namespace {

constexpr int kFreshRuns = 7;  // per case
constexpr int kCycles = 30;
constexpr DWORD kChildTimeoutMs = 60000;
constexpr std::uint8_t kInitialise = 1;
constexpr std::uint8_t kFinalise = 2;

// The host calls one PE_INITIALIZE makes (window query, icon, query 11),
// timed as they pass, so the call can be split into what happens before,
// between and after them.
struct HostCallStamps {
    std::vector<LARGE_INTEGER> in, out;
};
HostCallStamps g_stamps;

const void* __stdcall TimedHostCall(const void* envelope) {
    g_stamps.in.push_back(Now());
    const void* answer = host::HostContract::HostCall(envelope);
    g_stamps.out.push_back(Now());
    return answer;
}

// One pluginFun call, timed from the call to the reply's return.
struct EventCall {
    double ms = 0;
    bool replied = false;
    // PE_INITIALIZE only: until the host is first asked (the form is made),
    // from the first question to the last answer (the icon is loaded and
    // registered), and after it (settings, town lists, status line).
    double beforeHost = 0, withHost = 0, afterHost = 0;
};

EventCall CallPlugin(host::HostEmulator& emu, std::uint8_t code) {
    using PluginFun = const void*(__stdcall*)(const void*);
    const auto fn = reinterpret_cast<PluginFun>(emu.plugin().Export("pluginFun"));
    std::string body{3, static_cast<char>(code)};
    if (code == kInitialise) {
        const auto call = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(&TimedHostCall));
        body += host::Int32Bytes(call);
    }
    const std::string envelope = host::Envelope(body);
    EventCall result;
    if (fn == nullptr) return result;
    g_stamps = {};
    const LARGE_INTEGER start = Now();
    const void* reply = fn(envelope.data());
    const LARGE_INTEGER end = Now();
    result.ms = Millis(start, end);
    result.replied = reply != nullptr;
    if (code == kInitialise && !g_stamps.in.empty()) {
        result.beforeHost = Millis(start, g_stamps.in.front());
        result.withHost = Millis(g_stamps.in.front(), g_stamps.out.back());
        result.afterHost = Millis(g_stamps.out.back(), end);
    }
    return result;
}

// What a child reports, in this order, in milliseconds.
struct FreshStart {
    double creationToMain = 0;  // Wine's loader and the C runtime
    double mainToReady = 0;     // window, status bar and children made and painted, DLL loaded
    EventCall initialise;
};

bool WriteFreshStart(const char* path, const FreshStart& f) {
    char line[256];
    std::snprintf(line, sizeof line, "%.4f %.4f %.4f %.4f %.4f %.4f %d\n", f.creationToMain, f.mainToReady,
                  f.initialise.ms, f.initialise.beforeHost, f.initialise.withHost, f.initialise.afterHost,
                  f.initialise.replied ? 1 : 0);
    return wine_tests::WriteFileBytes(path, line);
}

bool ReadFreshStart(const std::string& path, FreshStart* f) {
    const std::string text = wine_tests::ReadFileBytes(path);
    int replied = 0;
    const int n = std::sscanf(text.c_str(), "%lf %lf %lf %lf %lf %lf %d", &f->creationToMain, &f->mainToReady,
                              &f->initialise.ms, &f->initialise.beforeHost, &f->initialise.withHost,
                              &f->initialise.afterHost, &replied);
    f->initialise.replied = replied != 0;
    return n == 7;
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Runs this program again as a fresh process and reads what it measured.
bool RunFreshStart(const std::string& workDir, FreshStart* result) {
    const std::string resultFile = workDir + "\\fresh_start.txt";
    DeleteFileA(resultFile.c_str());
    DeleteFileA((workDir + "\\ostix_weather_debug.log").c_str());
    std::string command = "\"" + ProgramPath() + "\" --fresh-start \"" + resultFile + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, workDir.c_str(), &si, &pi)) {
        return false;
    }
    const bool ended = WaitForSingleObject(pi.hProcess, kChildTimeoutMs) == WAIT_OBJECT_0;
    DWORD status = 1;
    GetExitCodeProcess(pi.hProcess, &status);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended && status == 0 && ReadFreshStart(resultFile, result) && result->initialise.replied;
}

// The emulator's start-ups, from every fresh process.
struct StartupSamples {
    std::vector<double> total, creationToMain, mainToReady;
    void Add(const FreshStart& f) {
        creationToMain.push_back(f.creationToMain);
        mainToReady.push_back(f.mainToReady);
        total.push_back(f.creationToMain + f.mainToReady);
    }
};

// PE_INITIALIZE calls of one kind, with their split.
struct InitSamples {
    std::vector<double> total, before, with, after;
    void Add(const EventCall& c) {
        total.push_back(c.ms);
        before.push_back(c.beforeHost);
        with.push_back(c.withHost);
        after.push_back(c.afterHost);
    }
    double Median() const { return SpreadOf(total).median; }
};

void PrintSpread(const char* what, const std::vector<double>& samples) {
    const Spread s = SpreadOf(samples);
    std::printf("   %-48s median %7.2f ms, worst %7.2f ms\n", what, s.median, s.worst);
}

void PrintInit(const char* what, const InitSamples& c) {
    PrintSpread(what, c.total);
    std::printf("   %-48s (medians: form %.2f + icon and host calls %.2f + settings, town lists, line %.2f)\n", "",
                SpreadOf(c.before).median, SpreadOf(c.with).median, SpreadOf(c.after).median);
}

// Fresh processes, a first run (no settings file) and one with the settings
// file taking turns, so that the machine's other load falls on both alike.
bool RunFreshProcesses(const wine_tests::Settings& settings, StartupSamples* startup, InitSamples* firstRun,
                       InitSamples* settled) {
    const std::string workDir = EnterScratchDirectory("startup");
    for (int run = 0; run < kFreshRuns; ++run) {
        for (InitSamples* samples : {firstRun, settled}) {
            FreshStart f;
            if (!PreparePluginsFolder(samples == firstRun ? nullptr : &settings) || !RunFreshStart(workDir, &f)) {
                std::printf("   a fresh process did not start, initialise or report\n");
                return false;
            }
            startup->Add(f);
            samples->Add(f.initialise);
        }
    }
    return true;
}

// Finalise / initialise cycles in one emulator, after a first life.
bool RunCycles(InitSamples* repeated, std::vector<double>* finalise) {
    host::HostEmulator emu;
    emu.Pump(0);
    if (!emu.plugin().loaded() || !CallPlugin(emu, kInitialise).replied) {
        std::printf("   the plug-in did not load or initialise\n");
        return false;
    }
    emu.Pump(0);
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        finalise->push_back(CallPlugin(emu, kFinalise).ms);
        emu.Pump(0);
        const EventCall init = CallPlugin(emu, kInitialise);
        if (!init.replied) {
            std::printf("   PE_INITIALIZE gave no reply in cycle %d\n", cycle + 1);
            return false;
        }
        repeated->Add(init);
        emu.Pump(0);
    }
    CallPlugin(emu, kFinalise);
    emu.Pump(0);
    // One more life, not timed: what PE_INITIALIZE asks of the window system.
    {
        MessageCensus census(emu);
        CallPlugin(emu, kInitialise);
        const CensusReport r = census.Report();
        std::printf("   one PE_INITIALIZE delivers %d messages to the plug-in's windows and %d to the host's\n",
                    r.plugin.sent + r.plugin.posted, r.host.sent + r.host.posted);
    }
    CallPlugin(emu, kFinalise);
    return true;
}

void PrintRatios(const char* what, double base, const InitSamples& firstRun, const InitSamples& settled,
                 const InitSamples& repeated) {
    std::printf("   PE_INITIALIZE / %-32s first run %.3f, settings present %.3f, repeated %.3f\n", what,
                firstRun.Median() / base, settled.Median() / base, repeated.Median() / base);
}

}  // namespace

int RunFreshStartChild(const char* resultFile) {
    FreshStart f;
    const LARGE_INTEGER atMain = Now();
    f.creationToMain = MillisSinceProcessCreation();
    host::HostEmulator emu;
    emu.Pump(0);
    f.mainToReady = Millis(atMain, Now());
    if (!emu.plugin().loaded()) return 3;
    f.initialise = CallPlugin(emu, kInitialise);
    CallPlugin(emu, kFinalise);
    return WriteFreshStart(resultFile, f) ? 0 : 4;
}

bool StartupBench(int serverPort) {
    std::printf("1. PE_INITIALIZE against the host emulator's own start-up\n");
    std::printf("   emulator start-up = from the process's creation (GetProcessTimes) until its window, status bar\n"
                "   and children are made, shown and painted and the plug-in DLL is loaded\n");
    const wine_tests::Settings settings = wine_tests::ProxySettings(serverPort);
    StartupSamples startup;
    InitSamples firstRun, settled;
    if (!RunFreshProcesses(settings, &startup, &firstRun, &settled)) return false;
    char what[64];
    std::snprintf(what, sizeof what, "emulator start-up, %d fresh processes:", 2 * kFreshRuns);
    PrintSpread(what, startup.total);
    const double windowAndDll = SpreadOf(startup.mainToReady).median;
    std::printf("   %-48s (medians: creation to main %.2f + window and DLL %.2f)\n", "",
                SpreadOf(startup.creationToMain).median, windowAndDll);
    PrintInit("first PE_INITIALIZE, first run (no settings):", firstRun);
    PrintInit("first PE_INITIALIZE, settings file present:", settled);

    if (!PreparePluginsFolder(&settings)) return false;
    InitSamples repeated;
    std::vector<double> finalise;
    if (!RunCycles(&repeated, &finalise)) return false;
    std::snprintf(what, sizeof what, "repeated PE_INITIALIZE (%d cycles, one process):", kCycles);
    PrintInit(what, repeated);
    PrintSpread("repeated PE_FINALIZE:", finalise);

    PrintRatios("emulator start-up (medians):", SpreadOf(startup.total).median, firstRun, settled, repeated);
    PrintRatios("window and DLL alone (medians):", windowAndDll, firstRun, settled, repeated);
    const double slower = repeated.Median() > 0 ? firstRun.Median() / repeated.Median() : 0;
    std::printf("   the first initialise of a fresh process takes %.1f x a repeated one: %s\n", slower,
                slower >= 3 ? "much slower (first-time costs of the process and, on a first run, the settings file)"
                : slower >= 1.5 ? "somewhat slower"
                                : "about the same (every PE_INITIALIZE after PE_FINALIZE builds the form anew and reads "
                                  "the settings and town lists again)");
    return true;
}

}  // namespace wine_bench
