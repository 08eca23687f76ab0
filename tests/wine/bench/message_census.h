#pragma once
// Counts, while it lives, every message the thread's windows receive: the
// posted ones as the message loop takes them (with the time their handling
// took), the sent ones as they reach a window procedure. Which window was
// whose is decided afterwards, in Report.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "host_emulator.h"

namespace wine_bench {

struct WindowCounts {
    int posted = 0;
    int sent = 0;
    std::map<UINT_PTR, int> timers;  // WM_TIMER by id
};

struct CensusReport {
    WindowCounts plugin;  // the plug-in's form, its controls and owned windows
    WindowCounts host;    // the emulator's main window and its children
    WindowCounts other;   // anything else (thread messages, system windows)
    double busyMs = 0;    // from taking each message to the end of its dispatch
};

class MessageCensus {
public:
    explicit MessageCensus(host::HostEmulator& emu);
    ~MessageCensus();
    MessageCensus(const MessageCensus&) = delete;
    MessageCensus& operator=(const MessageCensus&) = delete;

    CensusReport Report() const;

private:
    struct Seen {
        HWND window;
        UINT message;
        WPARAM wParam;
        bool posted;
    };
    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp);
    static MessageCensus* current_;

    host::HostEmulator& emu_;
    HHOOK getMessage_ = nullptr, callWndProc_ = nullptr;
    std::vector<Seen> seen_;
    LARGE_INTEGER taken_{};
    bool dispatching_ = false;
    double busyMs_ = 0;
};

// "none", or e.g. "TfPref timer 4 x3".
std::string DescribeTimers(const WindowCounts& counts);

}  // namespace wine_bench
