// The popup menu's commands over a recording display port, a fake chat input
// and a fake form window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/core/menu_commands.h"
#include "ticker_test_port.h"

namespace ow::testing {
namespace {

struct FakeChatInput : ChatInput {
    bool present = true;
    std::string text;
    std::vector<std::string>* log = nullptr;

    bool Find() override {
        log->push_back("find");
        return present;
    }
    std::string Text() override {
        log->push_back("read");
        return present ? text : std::string();
    }
    void Replace(const std::string& replacement) override {
        log->push_back("write " + replacement);
        if (present) text = replacement;
    }
};

struct FakeWindow : PrefWindow {
    std::vector<std::string>* log = nullptr;
    void Show() override { log->push_back("show"); }
    void Hide() override { log->push_back("hide"); }
    void SelectPage(int index) override { log->push_back("page " + std::to_string(index)); }
};

class MenuCommandsTest : public StatusDisplayTest {
protected:
    MenuCommandsTest() {
        input.log = &port.calls;
        window.log = &port.calls;
        port.nextLine = {" -5, snow ", true};
        values.UseScroll = false;
    }

    FakeChatInput input;
    FakeWindow window;
    bool alive = true;
    MenuCommands menu{display, input, window, alive};
};

TEST_F(MenuCommandsTest, SettingsAndAboutShowTheirPageOtherTagsNothing) {
    EXPECT_EQ(Record([&] { menu.MenuItemClick(kMenuOptions); }), (Calls{"page 0", "show"}));
    EXPECT_EQ(Record([&] { menu.MenuItemClick(kMenuAbout); }), (Calls{"page 2", "show"}));
    EXPECT_TRUE(Record([&] { menu.MenuItemClick(4); }).empty());
    EXPECT_TRUE(Record([&] { menu.MenuItemClick(-1); }).empty());
}

TEST_F(MenuCommandsTest, RefreshIsTheIconsLeftClick) {
    const Calls viaMenu = Record([&] { menu.MenuItemClick(kMenuRefresh); });
    const Calls viaIcon = Record([&] { display.RefreshWeather(); });
    EXPECT_EQ(viaMenu, viaIcon);
    EXPECT_NE(std::find(viaMenu.begin(), viaMenu.end(), Fetch()), viaMenu.end());
}

// The input is read only once the line is known: what the user typed
// during the download stays, followed by one space and the trimmed line.
TEST_F(MenuCommandsTest, InsertKeepsWhatWasTypedDuringTheDownload) {
    input.text = "  hello";
    port.duringFetch = [&] { input.text += " world\r\n"; };
    EXPECT_EQ(Record([&] { menu.MenuItemClick(kMenuInsert); }),
              (Calls{"find", Fetch(), "read", "write hello world -5, snow"}));
}

TEST_F(MenuCommandsTest, InsertUsesTheCachedLineWithoutADownload) {
    state.CachedWeatherLine = "fog";
    EXPECT_EQ(Record([&] { menu.MenuItemClick(kMenuInsert); }), (Calls{"find", "read", "write  fog"}));
}

TEST_F(MenuCommandsTest, InsertWithoutAnInputStillReadsTheLineAndWritesNothing) {
    input.present = false;
    EXPECT_EQ(Record([&] { menu.MenuItemClick(kMenuInsert); }), (Calls{"find", Fetch()}));
    EXPECT_EQ(state.CachedWeatherLine, " -5, snow ");
}

TEST_F(MenuCommandsTest, InsertFinalisedDuringTheDownloadWritesNothing) {
    input.text = "typed";
    port.duringFetch = [&] { alive = false; };
    EXPECT_EQ(Record([&] { menu.MenuItemClick(kMenuInsert); }), (Calls{"find", Fetch()}));
    EXPECT_EQ(input.text, "typed");
}

}  // namespace
}  // namespace ow::testing
