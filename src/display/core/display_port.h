#pragma once
// What the status-bar display needs from the window side: the host's status
// bar, the preferences window's test controls, the form's window timers, the
// download and the chat input. The Win32 layer implements it; tests fake it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ow {

class DisplayPort {
public:
    virtual ~DisplayPort() = default;

    // Sends the finished message (already prefixed, or empty) to the section.
    // The bar is looked up anew on every call; false when the host has none.
    virtual bool WriteStatusBar(int section, std::string_view message) = 0;

    // The preferences window's eTest, cbScroll and tbScrSpeed, as on screen.
    virtual void SetTestText(std::string_view text) = 0;
    virtual bool TestScrollTicked() = 0;
    virtual int TestSpeedPosition() = 0;

    // Window timers on the form's window, without a timer procedure.
    virtual void SetTimer(int id, std::uint32_t intervalMs) = 0;
    virtual void KillTimer(int id) = 0;

    // The download. It stores its outcome in DisplayState::CachedWeatherLine
    // itself and, after a successful extraction, calls
    // StatusDisplay::ApplyTickerStartRule. It may dispatch pending window
    // messages, so any StatusDisplay operation can run nested inside it.
    // None when the plug-in was finalised during the download: its outcome
    // belongs to nobody then.
    virtual std::optional<std::string> FetchWeather(const std::string& townCode) = 0;

    // Gives the keyboard focus back to the chat input last written to, if any.
    virtual void FocusChatInput() = 0;
};

}  // namespace ow
