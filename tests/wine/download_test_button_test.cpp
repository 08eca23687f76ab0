// The Test button of the preferences window downloads on the spot and shows
// the line in the window's own field, where the ticker then runs.
#include "download_fixture.h"
#include "prefs/win32/pref_control_ids.h"

namespace wine_tests {
namespace {

HWND Descendant(HWND parent, int id) { return FindDescendant(parent, id); }

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class DownloadTestButtonTest : public DownloadTest {};

TEST_F(DownloadTestButtonTest, LineGoesIntoTheWindowAndScrollsThereNotInTheBar) {
    const std::string expected = ExpectedStatus(1, TownCode(1, 0));
    const std::string line = expected.substr(Status(L"").size());
    Settings settings = BaseSettings();
    settings["resource"] = "1";
    settings["use-scroll"] = "1";
    settings["bar-refresh"] = "1";
    auto& e = StartWith(settings);
    e.Preferences();
    HWND form = FindForm();
    ASSERT_TRUE(form != nullptr && IsWindowVisible(form));
    HWND field = Descendant(form, ow::pref_id::eTest);
    HWND button = Descendant(form, ow::pref_id::bTest);
    ASSERT_NE(field, nullptr);
    ASSERT_NE(button, nullptr);
    const std::string bar = StatusText(2);

    SendMessageA(button, BM_CLICK, 0, 0);  // the download runs inside the click
    EXPECT_EQ(WindowText(field), expected);
    EXPECT_EQ(server().Requests().size(), 1u);

    // The window's speed (5: 100 ms): the seventh step drops the first character.
    const std::string seventh = Status(L"") + line.substr(1);
    EXPECT_TRUE(e.PumpUntil([&] { return WindowText(field) == seventh; }, 3000)) << WindowText(field);
    EXPECT_EQ(StatusText(2), bar) << "the ticker ran in the status bar while the window was open";
    e.Finalize();
}

}  // namespace
}  // namespace wine_tests
