// The settings file, the town lists and the message box, as the messenger
// and its user meet them.
#include "wine_fixture.h"

#include <commctrl.h>

#include <functional>
#include <optional>

#include "download_fixture.h"

#include "prefs/win32/pref_control_ids.h"

namespace wine_tests {
namespace {

const std::string kElevenLines =
    "resource=0\r\ncity=0\r\nautoupdate=0\r\nbar-section=2\r\nbar-refresh=1\r\nold-style=0\r\n"
    "use-scroll=1\r\nuse-proxy=0\r\nproxy-port=1080\r\nproxy-auth=0\r\nuse-scroll-speed=1\r\n";

std::string SettingsFile() { return ReadFileBytes(PluginsDir() + "\\ostixweather.ini"); }

namespace pid = ow::pref_id;

class SettingsFilesTest : public PluginTest {
protected:
    std::string caption_ = Cp1251(L"Weather Plugin: Ошибка");

    void OpenPreferences() {
        emu().Preferences();
        emu().Pump(50);
        ASSERT_TRUE(IsWindowVisible(FindForm()));
    }
    // A control of the preferences window, wherever it sits among the pages.
    static HWND Control(int id) { return FindDescendant(FindForm(), id); }
    void ClickOk() {
        SendMessageA(Control(pid::bOk), BM_CLICK, 0, 0);
        emu().Pump(50);
    }
};

TEST_F(SettingsFilesTest, FirstRunWithoutAnyFileNamesBothListsAndWritesElevenLines) {
    RemovePluginFile("gis_towns.ini");
    RemovePluginFile("wu_towns.ini");
    MessageBoxWatcher watcher(caption_);
    auto& e = Start();
    ASSERT_TRUE(e.Initialize().has_value());
    EXPECT_EQ(watcher.seen(), 1);
    // The dialog shows its text with CR LF turned into line breaks.
    EXPECT_EQ(watcher.lastText(),
              Cp1251(L"Не хватает файлов настроек:\r\nwu_towns.ini, gis_towns.ini\r\n"
                     L"Для работы плагина рекомендуется скачать ПОЛНУЮ версию\r\n"
                     L"плагина со всеми файлами настроек с сайта разработчика."));
    EXPECT_EQ(SettingsFile(), kElevenLines);
    const std::vector<std::string> log = {"PE_INITIALIZE received", "Save settings", "PE_INITIALIZE complete"};
    EXPECT_EQ(LogMessages(), log);
    EXPECT_EQ(StatusText(2), Cp1251(L"ПОГОДА: Плагин погоды включен"));
    e.Finalize();
}

TEST_F(SettingsFilesTest, ShippedListsMeanNoMessageBox) {
    MessageBoxWatcher watcher(caption_);
    auto& e = Start();
    ASSERT_TRUE(e.Initialize().has_value());
    e.Pump(200);
    EXPECT_EQ(watcher.seen(), 0);
    EXPECT_EQ(SettingsFile(), kElevenLines);
    e.Finalize();
}

TEST_F(SettingsFilesTest, OneMissingListIsNamedAtEveryOpening) {
    RemovePluginFile("wu_towns.ini");
    MessageBoxWatcher watcher(caption_);
    auto& e = Start();
    ASSERT_TRUE(e.Initialize().has_value());
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_NE(watcher.lastText().find("\r\nwu_towns.ini\r\n"), std::string::npos);
    e.Preferences();
    EXPECT_TRUE(e.PumpUntil([&] { return watcher.seen() == 2; }, 5000));
    e.Finalize();
}

// The user closes the messenger while the first start's message box about
// the missing lists is open: the messenger finalises the plug-in from inside
// the box. The interrupted start goes no further, and a later start is fresh.
TEST_F(SettingsFilesTest, FinalisedWhileTheFirstStartsBoxIsOpen) {
    RemovePluginFile("gis_towns.ini");
    RemovePluginFile("wu_towns.ini");
    auto& e = Start();
    NestedCaller caller;
    std::optional<std::string> finalizeReply;
    std::size_t writesAtFinalize = 0;
    std::function<void()> closeMessenger = [&] {
        HWND box = FindWindowA("#32770", caption_.c_str());
        if (box == nullptr || !IsWindowVisible(box)) return caller.After(20, closeMessenger);
        finalizeReply = e.Finalize();
        writesAtFinalize = e.window().statusWrites().size();
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    caller.After(20, closeMessenger);

    EXPECT_EQ(e.Initialize(), std::nullopt);
    ASSERT_TRUE(finalizeReply.has_value());
    const std::vector<std::string> log = {"PE_INITIALIZE received", "PE_FINALIZE received", "shutdown complete",
                                          "PE_INITIALIZE failed"};
    EXPECT_EQ(LogMessages(), log);
    EXPECT_EQ(StatusText(2), Cp1251(L"ПОГОДА: Плагин погоды выключен"));
    EXPECT_EQ(e.window().statusWrites().size(), writesAtFinalize);
    EXPECT_EQ(ReadFileBytes(PluginsDir() + "\\ostixweather.ini"), "") << "a settings file was written";
    EXPECT_EQ(FindForm(), nullptr);
    EXPECT_TRUE(e.contract.icons().empty());
    const std::size_t ticks = e.timers.size();
    e.Pump(300);
    EXPECT_EQ(e.timers.size(), ticks) << "a timer was started";

    // The messenger starts the plug-in again, now with the lists in place.
    InstallTownLists();
    ASSERT_TRUE(e.Initialize().has_value());
    EXPECT_EQ(SettingsFile(), kElevenLines);
    EXPECT_EQ(StatusText(2), Cp1251(L"ПОГОДА: Плагин погоды включен"));
    EXPECT_NE(FindForm(), nullptr);
    EXPECT_EQ(e.contract.icons().size(), 1u);
    e.Finalize();
}

TEST_F(SettingsFilesTest, OkWithTheSectionChangedClearsTheOldSection) {
    ASSERT_TRUE(WriteFileBytes(PluginsDir() + "\\ostixweather.ini", kElevenLines));
    auto& e = Start();
    ASSERT_TRUE(e.Initialize().has_value());
    ASSERT_EQ(StatusText(2), Cp1251(L"ПОГОДА: Плагин погоды включен"));
    OpenPreferences();
    SendMessageA(Control(pid::sebarSectionArrows), UDM_SETPOS32, 0, 3);
    ClickOk();
    EXPECT_EQ(StatusText(2), "");
    EXPECT_FALSE(IsWindowVisible(FindForm()));
    EXPECT_NE(SettingsFile().find("bar-section=3\r\n"), std::string::npos);
    EXPECT_EQ(LogMessages().back(), "Save settings");
    e.Finalize();
    EXPECT_EQ(StatusText(3), Cp1251(L"ПОГОДА: Плагин погоды выключен"));
}

TEST_F(SettingsFilesTest, HandEditedFileKeepsItsForeignLinesThroughOk) {
    const std::string edited = "; my comment\r\nCity=0\r\nuse-scroll=true\r\nfavourite=yes\r\n" + kElevenLines;
    ASSERT_TRUE(WriteFileBytes(PluginsDir() + "\\ostixweather.ini", edited));
    auto& e = Start();
    ASSERT_TRUE(e.Initialize().has_value());
    OpenPreferences();
    ClickOk();
    const std::string saved = SettingsFile();
    EXPECT_EQ(saved.rfind("; my comment\r\ncity=0\r\nuse-scroll=0\r\nfavourite=yes\r\n", 0), 0u) << saved;
    e.Finalize();
}

TEST_F(SettingsFilesTest, ASaveThatCannotBeWrittenKeepsTheOldFileAndSaysSo) {
    ASSERT_TRUE(WriteFileBytes(PluginsDir() + "\\ostixweather.ini", kElevenLines));
    auto& e = Start();
    ASSERT_TRUE(e.Initialize().has_value());
    OpenPreferences();
    // A folder where the new file would be written makes the save fail.
    ASSERT_TRUE(CreateDirectoryA((PluginsDir() + "\\ostixweather.ini.new").c_str(), nullptr));
    SendMessageA(Control(pid::sebarSectionArrows), UDM_SETPOS32, 0, 4);
    MessageBoxWatcher watcher(caption_);
    ClickOk();
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_NE(watcher.lastText().find("ostixweather.ini"), std::string::npos);
    EXPECT_EQ(SettingsFile(), kElevenLines);
    EXPECT_NE(LogMessages().back(), "Save settings");
    RemoveDirectoryA((PluginsDir() + "\\ostixweather.ini.new").c_str());
    e.Finalize();
}

}  // namespace
}  // namespace wine_tests
