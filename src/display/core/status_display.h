#pragma once
// The weather line in the host's status bar: the three window timers, the
// ticker that moves the line through its section one character per tick, and
// the refresh command. The form's window only turns WM_TIMER into
// HandleTimerMessage and implements DisplayPort.
//
// Re-entrancy: FetchWeather dispatches window messages, so any operation here
// may run nested inside a download started by another one. Every operation
// therefore re-reads the display state after each port call and never keeps a
// reference into it across one.
//
// Lifetime: the object and the port handed to it must outlive every call that
// is on the stack. At finalisation call Detach rather than destroying them; a
// detached display never touches a port again, so a late WM_TIMER or a call
// still unwinding from a nested download does nothing. The plug-in may also
// be switched on again inside that download (Attach): an operation that
// began in the old session ends as soon as it sees the session changed, so
// it never writes into the new one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/display_state.h"
#include "common/update_timer.h"
#include "common/working_values.h"
#include "display/core/display_port.h"
#include "display/core/window_timers.h"

namespace ow {

class StatusDisplay final : public UpdateTimer {
public:
    StatusDisplay(DisplayState& state, const WorkingValues& values, DisplayPort& port);
    ~StatusDisplay() override = default;
    StatusDisplay(const StatusDisplay&) = delete;
    StatusDisplay& operator=(const StatusDisplay&) = delete;

    // Binds a port for a form created anew (e.g. after a later PE_INITIALIZE).
    void Attach(DisplayPort& port);
    // From now on timer messages and commands do nothing and the port is left alone.
    void Detach();
    bool IsAttached() const { return port_ != nullptr; }

    // Writes "ПОГОДА: " + text (or nothing, clearing the section, for an empty
    // text) into section BarSection. True when the status bar was found.
    bool ShowStatusText(std::string_view text);

    // The cached weather line, downloaded first while the cache is empty.
    // Detached: the cache as it is, never a download. None when the plug-in
    // was finalised during that download: the caller stops.
    std::optional<std::string> CurrentWeatherLine();

    // The refresh command of the icon's left click and the menu's refresh item.
    void RefreshWeather();

    // WM_TIMER of the form's window. Ids other than 1, 2 and 4 are ignored.
    void HandleTimerMessage(std::uintptr_t timerId);

    // Last step of a successful download: start the ticker if scrolling is on
    // (the saved setting, or the preferences window's controls in test mode).
    void ApplyTickerStartRule();

    // Start = kill, then set; a running timer restarts its period.
    void StartUpdateTimer(std::int64_t periodMs) override;  // the timer gets the low 32 bits
    void StartScrollTimer(std::uint32_t intervalMs);
    void StartRedisplayTimer(std::uint32_t intervalMs);
    void KillUpdateTimer();
    void KillScrollTimer();
    void KillRedisplayTimer();
    // Kills the scroll, update and re-display timers, in this order.
    void StopTimers();

    // Display-state part of the preferences form's close query; the form hides itself.
    void OnFormCloseQuery();
    // Display-state part of WM_QUERYENDSESSION; the form then closes itself,
    // which runs OnFormCloseQuery, and answers 1.
    void OnQueryEndSession();

private:
    void OnUpdateTick();
    void OnScrollTick();
    void EndTickerPass();
    void OnRedisplayTick();

    // None when the download was cancelled or the session changed meanwhile.
    std::optional<std::string> Download();
    void SetTimer(TimerId id, std::uint32_t intervalMs);
    void KillTimer(TimerId id);
    void SetTestText(std::string_view text);

    DisplayState& state_;
    const WorkingValues& values_;
    DisplayPort* port_;           // null while detached
    std::uint32_t session_ = 0;   // counts Attach calls
};

}  // namespace ow
