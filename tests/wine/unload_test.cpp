// The messenger finalises and unloads the plug-in from a message it handles
// while a refresh waits for the server, at any moment around the server's
// answer, and may load it and switch it on again right away. The messenger
// must live on, the library must go once nothing of it runs, and the next
// life must work and see nothing of the last one.
#include <optional>
#include <string>

#include "download_fixture.h"

namespace wine_tests {
namespace {

constexpr char kLibrary[] = "ostixWeather.dll";
bool LibraryMapped() { return GetModuleHandleA(kLibrary) != nullptr; }

// When the messenger finalises and unloads the plug-in, counted from the
// moment the server has the request; the server answers kAnswerMs after it
// got it. `lingerMs` keeps the messenger's handler busy afterwards, still
// inside the refresh, while the worker's call ends: the order of events
// Windows gives, where the worker's call would end the moment its handle
// closes. With `fails`, the server closes the connection unanswered instead,
// so the worker's call ends in an error, as a call whose handle Windows
// closed does.
struct UnloadMoment {
    const char* name;
    UINT afterHoldMs;
    DWORD lingerMs;
    bool fails = false;
};
void PrintTo(const UnloadMoment& m, std::ostream* os) { *os << m.name; }

constexpr int kAnswerMs = 400;
const UnloadMoment kMoments[] = {
    {"WellBefore", 50, 0},
    {"JustBefore", kAnswerMs - 40, 0},
    {"AtTheAnswer", kAnswerMs, 0},
    {"JustAfter", kAnswerMs + 30, 0},
    {"BeforeAndTheCallEndsMeanwhile", kAnswerMs - 40, 600},
    {"AtTheAnswerAndTheCallEndsMeanwhile", kAnswerMs, 600},
    {"BeforeAndTheCallFailsMeanwhile", kAnswerMs - 40, 600, true},
    {"AtTheCloseAndTheCallFailsMeanwhile", kAnswerMs, 600, true},
};

class UnloadDuringRefreshTest : public DownloadTest, public ::testing::WithParamInterface<UnloadMoment> {
protected:
    void TearDown() override {
        caller_.CancelAll();
        DownloadTest::TearDown();
    }
};

TEST_P(UnloadDuringRefreshTest, TheMessengerLivesOnAndTheNextLifeWorks) {
    const char* mode = GetParam().fails ? "name=hold-close" : "name=slow-start";
    ASSERT_TRUE(server().SetMode(std::string(mode) + "&interval_ms=" + std::to_string(kAnswerMs)));
    auto& e = StartWith(TickingSettings());

    std::optional<std::string> reply;
    WhenTheServerHolds(
        [&] {
            reply = e.Finalize().value_or("(null)");
            e.plugin().Unload();
            if (GetParam().lingerMs > 0) Sleep(GetParam().lingerMs);
        },
        GetParam().afterHoldMs);
    e.ClickIcon(0);
    // Had the refresh ended before the messenger's handler ran, the handler
    // runs now, from the messenger's own loop.
    ASSERT_TRUE(e.PumpUntil([&] { return reply.has_value(); }, 5000));
    EXPECT_EQ(*reply, FinalizeReply());
    EXPECT_EQ(StatusText(2), Status(L"Плагин погоды выключен"));
    EXPECT_TRUE(e.PumpUntil([] { return !LibraryMapped(); }, 15000)) << "the library stayed after its last call";

    // Loaded and switched on again: a plug-in that works, from a clean slate.
    ASSERT_TRUE(server().SetMode("name=normal"));
    ASSERT_TRUE(e.plugin().Load());
    ASSERT_TRUE(e.Initialize().has_value());
    EXPECT_EQ(StatusText(2), Status(L"Плагин погоды включен"));
    e.ClickIcon(0);
    EXPECT_EQ(StatusText(2), ExpectedStatus(0, TownCode(0, 0)));
    EXPECT_EQ(e.Finalize(), FinalizeReply());
    e.plugin().Unload();
    EXPECT_TRUE(e.PumpUntil([] { return !LibraryMapped(); }, 15000));
}

INSTANTIATE_TEST_SUITE_P(Server, UnloadDuringRefreshTest, ::testing::ValuesIn(kMoments),
                         [](const ::testing::TestParamInfo<UnloadMoment>& info) {
                             return std::string(info.param.name);
                         });

// Switched off and on again from a message handled while a refresh waits:
// when the server answers, the old refresh writes nothing, and the new life's
// line stays.
TEST_F(DownloadTest, ARefreshOfTheLastLifeWritesNothingIntoTheNextOne) {
    ASSERT_TRUE(server().SetMode("name=slow-start&interval_ms=2000"));
    auto& e = StartWith(BaseSettings());

    std::optional<std::string> initialized;
    std::size_t writesAfterInitialize = 0;
    WhenTheServerHolds([&] {
        e.Finalize();
        initialized = e.Initialize().value_or("(null)");
        writesAfterInitialize = StatusWriteCount();
    });
    e.ClickIcon(0);
    ASSERT_TRUE(initialized.has_value());
    e.Pump(2500);  // the server answers the old refresh meanwhile

    EXPECT_NE(*initialized, "(null)");
    EXPECT_EQ(StatusText(2), Status(L"Плагин погоды включен"));
    EXPECT_EQ(StatusWriteCount(), writesAfterInitialize) << "written after the new life began: " << StatusText(2);
    // The new life downloads as usual.
    ASSERT_TRUE(server().SetMode("name=normal"));
    e.ClickIcon(0);
    EXPECT_EQ(StatusText(2), ExpectedStatus(0, TownCode(0, 0)));
    e.Finalize();
}

}  // namespace
}  // namespace wine_tests
