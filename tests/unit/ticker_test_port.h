#pragma once
// A DisplayPort that records every command it receives, in order, as text,
// and a fixture that wires it to a StatusDisplay. The fake download behaves
// like the real one: "error" while it runs, the outcome afterwards, and the
// ticker start rule after a successful extraction.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/display_state.h"
#include "common/status_texts.h"
#include "common/working_values.h"
#include "display/core/display_port.h"
#include "display/core/status_display.h"

namespace ow::testing {

using Calls = std::vector<std::string>;

struct FetchOutcome {
    std::string text;
    bool extracted = true;   // false for the connection and proxy error texts
    bool cancelled = false;  // finalisation closed the download: no outcome, cache untouched
};

class RecordingPort : public DisplayPort {
public:
    explicit RecordingPort(DisplayState& state) : state_(state) {}

    void Connect(StatusDisplay& display) { display_ = &display; }

    bool WriteStatusBar(int section, std::string_view message) override {
        calls.push_back("bar " + std::to_string(section) + " " + std::string(message));
        return hasStatusBar;
    }
    void SetTestText(std::string_view text) override { calls.push_back("test " + std::string(text)); }
    bool TestScrollTicked() override { return scrollTicked; }
    int TestSpeedPosition() override { return speedPosition; }
    void SetTimer(int id, std::uint32_t intervalMs) override {
        calls.push_back("set " + std::to_string(id) + " " + std::to_string(intervalMs));
    }
    void KillTimer(int id) override { calls.push_back("kill " + std::to_string(id)); }
    void FocusChatInput() override { calls.push_back("focus"); }

    std::optional<std::string> FetchWeather(const std::string& townCode) override {
        calls.push_back("fetch " + townCode);
        state_.CachedWeatherLine = "error";
        if (duringFetch) {
            // Runs once, like a message dispatched between two reads.
            auto nested = std::exchange(duringFetch, nullptr);
            nested();
        }
        FetchOutcome outcome = nextLine;
        if (!outcomes.empty()) {
            outcome = std::move(outcomes.front());
            outcomes.pop_front();
        }
        if (outcome.cancelled) return std::nullopt;
        state_.CachedWeatherLine = outcome.text;
        if (outcome.extracted && display_) display_->ApplyTickerStartRule();
        return outcome.text;
    }

    Calls calls;
    bool hasStatusBar = true;
    bool scrollTicked = false;
    int speedPosition = 1;
    FetchOutcome nextLine;               // every download unless `outcomes` says otherwise
    std::deque<FetchOutcome> outcomes;   // consumed one per download
    std::function<void()> duringFetch;   // nested dispatch inside the next download

private:
    DisplayState& state_;
    StatusDisplay* display_ = nullptr;
};

class StatusDisplayTest : public ::testing::Test {
protected:
    static constexpr int kSection = 2;
    static constexpr const char* kTown = "27612";

    StatusDisplayTest() {
        port.Connect(display);
        values.TownCode = kTown;
        values.BarSection = kSection;
        values.BarRefresh = true;
        values.UseScroll = true;
        values.ScrollInterval = 250;
        values.UpdatePeriod = 1800000;
        state.ScrollPosition = kScrollRestPosition;
    }

    // The port's commands caused by one timer message.
    Calls Tick(std::uintptr_t id) {
        port.calls.clear();
        display.HandleTimerMessage(id);
        return port.calls;
    }

    template <class F>
    Calls Record(F&& action) {
        port.calls.clear();
        action();
        return port.calls;
    }

    static std::string Bar(std::string_view text) {
        return "bar " + std::to_string(kSection) + " " + WithWeatherPrefix(text);
    }
    static std::string BarCleared() { return "bar " + std::to_string(kSection) + " "; }
    static std::string Test(std::string_view text) { return "test " + WithWeatherPrefix(text); }
    static std::string Fetch() { return std::string("fetch ") + kTown; }

    DisplayState state;
    WorkingValues values;
    RecordingPort port{state};
    StatusDisplay display{state, values, port};
};

}  // namespace ow::testing
