#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/status_texts.h"
#include "host/core/host_messages.h"
#include "host/core/host_protocol.h"
#include "host/core/plugin_lifecycle.h"

namespace ow {
namespace {

std::string Envelope(std::string_view body) { return PackInt(static_cast<int>(body.size())) + std::string(body); }

// Answers like the messenger and remembers every request body.
struct FakeHost : HostCaller {
    std::vector<std::string> requests;
    std::string windowAnswer = Envelope(std::string("\x02", 1) + PackInt(0x1234));
    std::string iconAnswer = Envelope(PackInt(5));
    std::string other = Envelope("\x02");
    bool nullAnswers = false;
    std::string last;
    std::function<void(int code)> whileAnswering;  // what the host does before it answers

    const void* Call(std::uint32_t, const char* envelope) override {
        const auto r = EnvelopeReader::FromHost(envelope);
        requests.emplace_back(envelope + 4, r.bodyLength());
        const auto code = r.ByteAt(5);
        if (whileAnswering && code) whileAnswering(*code);
        if (nullAnswers) return nullptr;
        last = code == QUERY_WINDOW ? windowAnswer : code == CMD_ADD_ICON ? iconAnswer : other;
        return last.data();
    }
};

struct FakePort : LifecyclePort {
    std::vector<std::string> calls;
    bool form = false;
    void WriteDebugLog(std::string_view m) override { calls.push_back("log " + std::string(m)); }
    bool FormExists() const override { return form; }
    void CreateForm() override { form = true; calls.push_back("create form"); }
    void FreeForm() override { form = false; calls.push_back("free form"); }
    void SetHostMainWindow(std::int32_t w) override { calls.push_back("main window " + std::to_string(w)); }
    std::int32_t LoadPluginIcon() override { calls.push_back("load icon"); return 77; }
    std::int32_t ClickCallbackAddress() override { return 99; }
    void FindHostPageControl() override { calls.push_back("find page control"); }
    std::function<void()> whileLoading;  // a message box of the load lets messages run
    void LoadSettings() override {
        calls.push_back("load settings");
        if (whileLoading) whileLoading();
    }
    void ApplySettings() override { calls.push_back("apply settings"); }
    void ShowStatusText(std::string_view t) override { calls.push_back("status " + std::string(t)); }
    void StopTimers() override { calls.push_back("stop timers"); }
    void CloseInternetHandles() override { calls.push_back("close internet"); }
    void SelectFirstPage() override { calls.push_back("first page"); }
    void ShowForm() override { calls.push_back("show form"); }
};

struct LifecycleTest : ::testing::Test {
    EnvelopeBuffer buffer;
    FakeHost host;
    FakePort port;
    HostLink link{buffer, host};
    PluginLifecycle plugin{buffer, link, port};

    const char* Send(std::uint8_t code, std::int32_t hostCall = 0x4000) {
        event = Envelope(std::string{3, static_cast<char>(code)} + PackInt(hostCall));
        return plugin.HandleEvent(event.data());
    }
    std::string event;
};

const std::string kOn = "status " + kPluginEnabledText.str();
const std::string kOff = "status " + kPluginDisabledText.str();

TEST_F(LifecycleTest, InitializeRunsItsStepsInOrderAndReplies) {
    const char* reply = Send(PE_INITIALIZE);
    ASSERT_NE(reply, nullptr);
    EXPECT_EQ(std::string(reply, 37), Envelope(ReplyBody("Weather Plugin ver.1.2.6")));
    const std::vector<std::string> expected = {
        "log PE_INITIALIZE received", "create form", "main window 4660", "load icon",
        "find page control", "load settings", "apply settings", kOn, "log PE_INITIALIZE complete"};
    EXPECT_EQ(port.calls, expected);
    ASSERT_EQ(host.requests.size(), 3u);
    EXPECT_EQ(host.requests[0], QueryWindowBody());
    EXPECT_EQ(host.requests[1], AddIconBody(99, 77, kIconHint));
    EXPECT_EQ(host.requests[2], Query11Body());
    // The host's id is the one a finalisation removes.
    Send(PE_FINALIZE);
    EXPECT_EQ(host.requests.back(), RemoveIconBody(5));
}

TEST_F(LifecycleTest, WindowAnswerOfAnotherKindFailsWithoutIcon) {
    host.windowAnswer = Envelope(std::string("\x01", 1) + PackInt(1));
    EXPECT_EQ(Send(PE_INITIALIZE), nullptr);
    const std::vector<std::string> expected = {"log PE_INITIALIZE received", "create form",
                                               "log PE_INITIALIZE failed"};
    EXPECT_EQ(port.calls, expected);
    ASSERT_EQ(host.requests.size(), 2u);  // the window query, then query 11 all the same
    EXPECT_EQ(host.requests[1], Query11Body());

    // A later finalise still removes the icon id -1.
    port.calls.clear();
    Send(PE_FINALIZE);
    EXPECT_EQ(host.requests.back(), RemoveIconBody(-1));
}

TEST_F(LifecycleTest, IconAnswerOfZeroFails) {
    host.iconAnswer = Envelope(PackInt(0));
    EXPECT_EQ(Send(PE_INITIALIZE), nullptr);
    EXPECT_EQ(port.calls.back(), "log PE_INITIALIZE failed");
}

TEST_F(LifecycleTest, NullOrShortHostAnswersFailCleanly) {
    host.nullAnswers = true;
    EXPECT_EQ(Send(PE_INITIALIZE), nullptr);
    host.nullAnswers = false;
    host.iconAnswer = Envelope("\x05\x00");  // too short to hold the id
    EXPECT_EQ(Send(PE_INITIALIZE), nullptr);
    Send(PE_FINALIZE);
    EXPECT_EQ(host.requests.back(), RemoveIconBody(-1));
}

TEST_F(LifecycleTest, InvalidEnvelopesAreIgnoredSilently) {
    EXPECT_EQ(plugin.HandleEvent(nullptr), nullptr);
    const std::vector<std::string> invalid = {
        Envelope(""),                                    // length 0
        Envelope(std::string("\x02\x01") + PackInt(1)),  // kind is not an event
        Envelope(std::string("\x03\x04") + PackInt(1)),  // unknown event code
        Envelope("\x03"),                                // no code at all
        Envelope(std::string("\x03\x01\x00\x40", 4)),    // initialise too short for the call-back
        PackInt(-3) + "\x03\x01",                        // negative length
    };
    for (const auto& e : invalid) EXPECT_EQ(plugin.HandleEvent(e.data()), nullptr);
    EXPECT_TRUE(port.calls.empty());
    EXPECT_TRUE(host.requests.empty());
}

TEST_F(LifecycleTest, FinalizeInEveryStateGivesTheSameReply) {
    const char* first = Send(PE_FINALIZE);  // never initialised
    ASSERT_NE(first, nullptr);
    const std::string reply(first, 32);
    EXPECT_EQ(reply, Envelope(ReplyBody("Gismeteo Plugin off")));
    const std::vector<std::string> loaded = {"log PE_FINALIZE received", kOff, "close internet",
                                             "log shutdown complete"};
    EXPECT_EQ(port.calls, loaded);
    EXPECT_TRUE(host.requests.empty());  // no icon to remove

    Send(PE_INITIALIZE);
    port.calls.clear();
    EXPECT_EQ(std::string(Send(PE_FINALIZE), 32), reply);
    const std::vector<std::string> running = {"log PE_FINALIZE received", "stop timers", kOff,
                                              "close internet", "free form", "log shutdown complete"};
    EXPECT_EQ(port.calls, running);
    EXPECT_EQ(host.requests.back(), RemoveIconBody(5));
}

TEST_F(LifecycleTest, FinalizeThenInitializeCreatesANewForm) {
    Send(PE_INITIALIZE);
    Send(PE_FINALIZE);
    port.calls.clear();
    ASSERT_NE(Send(PE_INITIALIZE), nullptr);
    EXPECT_EQ(port.calls[1], "create form");
}

TEST_F(LifecycleTest, PreferencesBeforeInitializeShowsTheFormWithoutHost) {
    event = Envelope("\x03\x03");
    EXPECT_EQ(plugin.HandleEvent(event.data()), nullptr);
    const std::vector<std::string> expected = {"log PE_PREFERENCES received", "create form", "first page",
                                               "load settings", "apply settings", "show form",
                                               "log PE_PREFERENCES comlete"};
    EXPECT_EQ(port.calls, expected);
    EXPECT_TRUE(host.requests.empty());
}

// The messenger closes, and finalises the plug-in, in the middle of
// PE_INITIALIZE: inside one of its own answers, or while the box about
// missing town lists is open.
enum class FinalisedIn { WindowQuery, AddIcon, Query11, SettingsLoad };

struct NestedFinaliseTest : LifecycleTest, ::testing::WithParamInterface<FinalisedIn> {
    std::string finalizeEvent = Envelope(std::string{3, PE_FINALIZE});
    bool finalised = false;
    void FinaliseOnce() {
        if (finalised) return;
        finalised = true;
        ASSERT_NE(plugin.HandleEvent(finalizeEvent.data()), nullptr);
    }
};

TEST_P(NestedFinaliseTest, NothingMoreHappensAndALaterStartIsFresh) {
    const std::uint8_t codes[] = {QUERY_WINDOW, CMD_ADD_ICON, 11};
    if (GetParam() == FinalisedIn::SettingsLoad) {
        port.whileLoading = [&] { FinaliseOnce(); };
    } else {
        const int code = codes[static_cast<int>(GetParam())];
        host.whileAnswering = [&, code](int asked) {
            if (asked == code) FinaliseOnce();
        };
    }
    EXPECT_EQ(Send(PE_INITIALIZE), nullptr);
    ASSERT_TRUE(finalised);

    // After "shutdown complete" only the failure is logged.
    const auto shutdown = std::find(port.calls.begin(), port.calls.end(), "log shutdown complete");
    ASSERT_NE(shutdown, port.calls.end());
    EXPECT_EQ(std::vector<std::string>(shutdown + 1, port.calls.end()),
              std::vector<std::string>{"log PE_INITIALIZE failed"});
    // No icon is registered after the finalisation.
    const auto isRequest = [](int code) {
        return [code](const std::string& r) { return r.size() > 1 && static_cast<unsigned char>(r[1]) == code; };
    };
    const auto removed = std::find_if(host.requests.begin(), host.requests.end(), isRequest(CMD_REMOVE_ICON));
    ASSERT_NE(removed, host.requests.end());
    EXPECT_EQ(std::count_if(removed, host.requests.end(), isRequest(CMD_ADD_ICON)), 0);

    port.calls.clear();
    host.whileAnswering = nullptr;
    port.whileLoading = nullptr;
    ASSERT_NE(Send(PE_INITIALIZE), nullptr);
    const std::vector<std::string> fresh = {
        "log PE_INITIALIZE received", "create form", "main window 4660", "load icon",
        "find page control", "load settings", "apply settings", kOn, "log PE_INITIALIZE complete"};
    EXPECT_EQ(port.calls, fresh);
}

INSTANTIATE_TEST_SUITE_P(Lifecycle, NestedFinaliseTest,
                         ::testing::Values(FinalisedIn::WindowQuery, FinalisedIn::AddIcon, FinalisedIn::Query11,
                                           FinalisedIn::SettingsLoad));

TEST_F(LifecycleTest, PreferencesFinalisedWhileLoadingShowsNothing) {
    const std::string finalizeEvent = Envelope(std::string{3, PE_FINALIZE});
    port.whileLoading = [&] { plugin.HandleEvent(finalizeEvent.data()); };
    event = Envelope("\x03\x03");
    EXPECT_EQ(plugin.HandleEvent(event.data()), nullptr);
    EXPECT_EQ(port.calls.back(), "log shutdown complete");
}

TEST(HostLinkTest, GetCmdAndSendMsg) {
    EnvelopeBuffer buffer;
    FakeHost host;
    HostLink link{buffer, host};
    EXPECT_EQ(link.GetCmd(1), 0);  // no host yet: nothing is called
    EXPECT_FALSE(link.SendMsg(1, "x"));
    EXPECT_TRUE(host.requests.empty());

    link.SetHostCall(0x1000);
    host.other = Envelope(std::string("\x02", 1) + PackInt(70000));
    EXPECT_EQ(link.GetCmd(1), 4464);
    for (int v : {0, 2, -1}) EXPECT_EQ(link.GetCmd(v), 1000);
    EXPECT_EQ(host.requests.size(), 1u);
    EXPECT_TRUE(link.SendMsg(-5, ""));
    EXPECT_EQ(host.requests.back(), SendMessageBody(-5, ""));
}

}  // namespace
}  // namespace ow
