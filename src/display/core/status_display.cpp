#include "display/core/status_display.h"

#include <cstddef>
#include <utility>

#include "common/status_texts.h"
#include "common/text_ops.h"
#include "common/timer_rules.h"
#include "display/core/window_timers.h"

namespace ow {
namespace {

// Signed comparison of a byte length against the ticker position.
bool LongerThan(std::size_t length, int position) {
    return static_cast<TextIndex>(length) > static_cast<TextIndex>(position);
}

}  // namespace

StatusDisplay::StatusDisplay(DisplayState& state, const WorkingValues& values, DisplayPort& port)
    : state_(state), values_(values), port_(&port) {}

void StatusDisplay::Attach(DisplayPort& port) {
    port_ = &port;
    ++session_;
}

void StatusDisplay::Detach() { port_ = nullptr; }

bool StatusDisplay::ShowStatusText(std::string_view text) {
    if (!port_) return false;
    // Built before the call: `text` may point into the display state.
    const std::string message = StatusBarMessage(text);
    return port_->WriteStatusBar(values_.BarSection, message);
}

std::optional<std::string> StatusDisplay::CurrentWeatherLine() {
    if (state_.CachedWeatherLine.empty() && port_) {
        auto line = Download();
        if (!line) return std::nullopt;
        state_.CachedWeatherLine = std::move(*line);
    }
    return state_.CachedWeatherLine;
}

void StatusDisplay::RefreshWeather() {
    if (!port_) return;
    state_.TestMode = false;
    KillScrollTimer();
    KillRedisplayTimer();
    // The next automatic update comes one full period after the refresh.
    StartUpdateTimer(values_.UpdatePeriod);
    const auto text = Download();
    if (!text) return;
    ShowStatusText(*text);
    if (port_) port_->FocusChatInput();
}

void StatusDisplay::HandleTimerMessage(std::uintptr_t timerId) {
    if (!port_) return;
    switch (timerId) {
        case kUpdateTimer: OnUpdateTick(); break;
        case kScrollTimer: OnScrollTick(); break;
        case kRedisplayTimer: OnRedisplayTick(); break;
        default: break;
    }
}

void StatusDisplay::ApplyTickerStartRule() {
    if (!port_) return;
    if (!state_.TestMode && values_.UseScroll) {
        StartScrollTimer(static_cast<std::uint32_t>(values_.ScrollInterval));
    } else if (state_.TestMode && port_->TestScrollTicked()) {
        // The window's controls as on screen, not the saved settings.
        const int interval = ScrollIntervalFor(port_->TestSpeedPosition());
        StartScrollTimer(static_cast<std::uint32_t>(interval));
    }
}

void StatusDisplay::StartUpdateTimer(std::int64_t periodMs) {
    KillUpdateTimer();
    SetTimer(kUpdateTimer, static_cast<std::uint32_t>(periodMs));
}

void StatusDisplay::StartScrollTimer(std::uint32_t intervalMs) {
    KillScrollTimer();
    SetTimer(kScrollTimer, intervalMs);
}

void StatusDisplay::StartRedisplayTimer(std::uint32_t intervalMs) {
    KillRedisplayTimer();
    SetTimer(kRedisplayTimer, intervalMs);
}

void StatusDisplay::KillUpdateTimer() { KillTimer(kUpdateTimer); }

void StatusDisplay::KillScrollTimer() { KillTimer(kScrollTimer); }

void StatusDisplay::KillRedisplayTimer() { KillTimer(kRedisplayTimer); }

void StatusDisplay::StopTimers() {
    KillScrollTimer();
    KillUpdateTimer();
    KillRedisplayTimer();
}

void StatusDisplay::OnFormCloseQuery() {
    state_.TestMode = false;
    // Not the rest position: the next pass holds the whole line for one tick only.
    state_.ScrollPosition = 0;
}

void StatusDisplay::OnQueryEndSession() {
    state_.TestMode = false;
    StopTimers();
}

void StatusDisplay::OnUpdateTick() {
    state_.TestMode = false;
    state_.ScrollPosition = kScrollRestPosition;
    KillScrollTimer();
    KillRedisplayTimer();
    auto line = Download();  // may start the ticker
    if (!line) return;
    state_.CachedWeatherLine = std::move(*line);
    ShowStatusText(state_.CachedWeatherLine);
}

void StatusDisplay::OnScrollTick() {
    ++state_.ScrollPosition;
    // Each read may download (empty cache) and run nested ticks, so the
    // position is read again after it.
    const auto current = CurrentWeatherLine();
    if (!current) return;
    if (!LongerThan(current->size(), state_.ScrollPosition)) {
        EndTickerPass();
        return;
    }
    const auto read = CurrentWeatherLine();
    if (!read) return;
    const std::string& line = *read;
    // From character max(position, 1) to the end: TakeFrom counts positions below 1 as 1.
    state_.ScrollText = std::string(TakeFrom(line, state_.ScrollPosition, static_cast<TextIndex>(line.size())));
    if (state_.TestMode) {
        SetTestText(WithWeatherPrefix(state_.ScrollText));
    } else {
        ShowStatusText(state_.ScrollText);
    }
}

void StatusDisplay::EndTickerPass() {
    KillScrollTimer();
    state_.ScrollPosition = kScrollRestPosition;
    const auto line = CurrentWeatherLine();
    if (!line) return;
    if (state_.TestMode) {
        SetTestText(WithWeatherPrefix(*line));
        state_.TestMode = false;
    } else {
        ShowStatusText(*line);
    }
    if (values_.BarRefresh) StartRedisplayTimer(kRedisplayIntervalMs);
}

void StatusDisplay::OnRedisplayTick() {
    StartRedisplayTimer(kRedisplayIntervalMs);
    // The cache as it is, never a download, and always the status bar.
    ShowStatusText(state_.CachedWeatherLine);
}

std::optional<std::string> StatusDisplay::Download() {
    if (!port_) return state_.CachedWeatherLine;
    // A copy: nested dispatch during the download may change the working values.
    const std::string townCode = values_.TownCode;
    const std::uint32_t session = session_;
    auto line = port_->FetchWeather(townCode);
    if (session != session_ || !port_) return std::nullopt;
    return line;
}

void StatusDisplay::SetTimer(TimerId id, std::uint32_t intervalMs) {
    if (port_) port_->SetTimer(id, intervalMs);
}

void StatusDisplay::KillTimer(TimerId id) {
    if (port_) port_->KillTimer(id);
}

void StatusDisplay::SetTestText(std::string_view text) {
    if (port_) port_->SetTestText(text);
}

}  // namespace ow
