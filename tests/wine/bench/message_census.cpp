#include "message_census.h"

#include <cstring>

#include "bench_support.h"
#include "prefs/win32/pref_control_ids.h"

namespace wine_bench {

namespace {

constexpr std::size_t kExpectedMessages = 1 << 16;  // no allocation inside the hooks while idle

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

enum class Owner { Plugin, Host, Other };

// The plug-in's windows hang under (or are owned by) its form "TfPref".
Owner OwnerOf(HWND window, HWND hostMain) {
    if (window == nullptr || !IsWindow(window)) return Owner::Other;
    const HWND root = GetAncestor(window, GA_ROOT);
    if (root == hostMain) return Owner::Host;
    for (HWND w = root; w != nullptr; w = GetWindow(w, GW_OWNER)) {
        if (ClassOf(w) == ow::pref_id::kFormClass) return Owner::Plugin;
    }
    return Owner::Other;
}

}  // namespace

MessageCensus* MessageCensus::current_ = nullptr;

MessageCensus::MessageCensus(host::HostEmulator& emu) : emu_(emu) {
    seen_.reserve(kExpectedMessages);
    current_ = this;
    getMessage_ = SetWindowsHookExA(WH_GETMESSAGE, &MessageCensus::GetMessageHook, nullptr, GetCurrentThreadId());
    callWndProc_ = SetWindowsHookExA(WH_CALLWNDPROC, &MessageCensus::CallWndProcHook, nullptr, GetCurrentThreadId());
    emu_.afterDispatch = [this](const MSG&) {
        if (!dispatching_) return;
        busyMs_ += Millis(taken_, Now());
        dispatching_ = false;
    };
}

MessageCensus::~MessageCensus() {
    emu_.afterDispatch = nullptr;
    if (getMessage_ != nullptr) UnhookWindowsHookEx(getMessage_);
    if (callWndProc_ != nullptr) UnhookWindowsHookEx(callWndProc_);
    current_ = nullptr;
}

LRESULT CALLBACK MessageCensus::GetMessageHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && wp == PM_REMOVE && current_ != nullptr) {
        const MSG* msg = reinterpret_cast<const MSG*>(lp);
        current_->seen_.push_back({msg->hwnd, msg->message, msg->wParam, true});
        current_->taken_ = Now();
        current_->dispatching_ = true;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK MessageCensus::CallWndProcHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && current_ != nullptr) {
        const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lp);
        current_->seen_.push_back({msg->hwnd, msg->message, msg->wParam, false});
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

CensusReport MessageCensus::Report() const {
    CensusReport report;
    report.busyMs = busyMs_;
    const HWND hostMain = emu_.window().main();
    for (const Seen& s : seen_) {
        const Owner owner = OwnerOf(s.window, hostMain);
        WindowCounts& counts = owner == Owner::Plugin ? report.plugin : owner == Owner::Host ? report.host : report.other;
        ++(s.posted ? counts.posted : counts.sent);
        if (s.posted && s.message == WM_TIMER) ++counts.timers[s.wParam];
    }
    return report;
}

std::string DescribeTimers(const WindowCounts& counts) {
    if (counts.timers.empty()) return "none";
    std::string text;
    for (const auto& [id, n] : counts.timers) {
        if (!text.empty()) text += ", ";
        text += "id " + std::to_string(id) + " x" + std::to_string(n);
    }
    return text;
}

}  // namespace wine_bench
