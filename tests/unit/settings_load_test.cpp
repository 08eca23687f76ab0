#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "prefs/core/settings_texts.h"
#include "settings_fakes.h"

namespace ow::testing {
namespace {

using namespace std::string_literals;

const std::string kIrkutsk = Cp1251(u8"Иркутск").str();
const std::string kKiev = Cp1251(u8"Киев").str();

TEST(LoadSettings, FirstRunWithNoFiles) {
    SettingsHarness h;
    h.Initialise();

    ASSERT_EQ(h.store.boxes.size(), 1u);
    EXPECT_EQ(h.store.boxes[0].caption, "Weather Plugin: \xce\xf8\xe8\xe1\xea\xe0");
    EXPECT_EQ(h.store.boxes[0].text, Cp1251(u8"Не хватает файлов настроек:\r\n"
                                            u8"om_towns.ini, wu_towns.ini, gis_towns.ini\r\n"
                                            u8"Для работы плагина рекомендуется скачать ПОЛНУЮ версию\r\n"
                                            u8"плагина со всеми файлами настроек с сайта разработчика.")
                                         .str());
    EXPECT_EQ(h.SettingsFile(),
              "resource=0\r\ncity=0\r\nautoupdate=0\r\nbar-section=2\r\nbar-refresh=1\r\nold-style=0\r\n"
              "use-scroll=1\r\nuse-proxy=0\r\nproxy-port=1080\r\nproxy-auth=0\r\nuse-scroll-speed=1\r\n");
    EXPECT_EQ(h.store.log, StringList{"Save settings"});
    EXPECT_EQ(h.store.timerStarts, (std::vector<std::int64_t>{1800000, 1800000}));
    EXPECT_FALSE(h.store.files.contains("gis_towns.ini"));  // town lists are never created

    EXPECT_EQ(h.controls.towns, StringList{kIrkutsk});
    EXPECT_EQ(h.controls.town, 0);
    EXPECT_EQ(h.controls.testText, kTestPrompt.str());
    EXPECT_EQ(h.values.TownCode, "30710");
    EXPECT_EQ(h.values.UpdatePeriod, 1800000);
    EXPECT_EQ(h.values.ScrollInterval, 500);
    EXPECT_TRUE(h.values.UseScroll);
    EXPECT_EQ(h.display.ScrollPosition, kScrollRestPosition);
    EXPECT_EQ(h.model.TownLists(1), StringList{"Irkutsk=30710"});
    EXPECT_EQ(h.model.TownLists(2), StringList{Cp1251(u8"Иркутск=52.2978,104.2964").str()});
}

TEST(LoadSettings, NamesOnlyTheMissingListAtEveryLoad) {
    SettingsHarness h;
    h.store.files["gis_towns.ini"] = kTestGisTowns.str();
    h.Initialise();
    h.Initialise();
    ASSERT_EQ(h.store.boxes.size(), 2u);
    EXPECT_NE(h.store.boxes[1].text.find("\r\nom_towns.ini, wu_towns.ini\r\n"), std::string::npos);
    EXPECT_EQ(h.store.boxes[1].text.find("gis_towns"), std::string::npos);
    EXPECT_EQ(h.model.TownNames(1), StringList{"Irkutsk"});
    EXPECT_EQ(h.model.TownNames(0).size(), 3u);
}

// The messenger finalises the plug-in while the box about missing lists is
// open (it is closing): the load goes no further, and applying does nothing.
TEST(LoadSettings, FinalisedWhileTheBoxIsOpenStopsTheLoad) {
    SettingsHarness h;
    h.values.TownCode = "before";
    h.store.whileBoxIsOpen = [&] { h.model.ReleaseLists(); };
    h.Initialise();

    EXPECT_EQ(h.store.boxes.size(), 1u);
    EXPECT_FALSE(h.store.files.contains(std::string(kSettingsFileName)));
    EXPECT_TRUE(h.store.log.empty());
    EXPECT_TRUE(h.store.timerStarts.empty());
    EXPECT_TRUE(h.controls.towns.empty());
    EXPECT_EQ(h.values.TownCode, "before");
    EXPECT_TRUE(h.model.Settings().ToBytes().empty() && h.model.TownNames(0).empty());  // released
}

TEST(LoadSettings, KeySpelledWithCapitalIsRead) {
    SettingsHarness h;
    h.PutTownLists();
    h.PutSettings("resource=0\r\nCity=2\r\n");
    h.Initialise();
    EXPECT_EQ(h.controls.town, 2);
    EXPECT_EQ(h.controls.townText, kKiev);
    EXPECT_EQ(h.values.TownCode, "33345");
    EXPECT_TRUE(h.store.boxes.empty());
    EXPECT_TRUE(h.store.log.empty());  // an existing file is not rewritten
}

TEST(LoadSettings, WordTrueTurnsScrollingOff) {
    SettingsHarness h;
    h.PutTownLists();
    h.PutSettings("use-scroll=true\r\nuse-scroll-speed=2\r\n");
    h.Initialise();
    EXPECT_FALSE(h.controls.checks[PrefCheckBox::cbScroll]);
    EXPECT_FALSE(h.values.UseScroll);
    EXPECT_FALSE(h.controls.shown[PrefPart::tbScrSpeed]);
}

TEST(LoadSettings, SecondSourceSelectsItsTownAndCode) {
    SettingsHarness h;
    h.PutTownLists();
    h.PutSettings("resource=1\r\ncity=3\r\n");
    h.Initialise();
    EXPECT_EQ(h.values.SourceIndex, 1);
    EXPECT_EQ(h.controls.resource, 1);
    EXPECT_EQ(h.controls.towns, StringList({"Moscow", "Irkutsk", "Kyiv", "Minsk"}));
    EXPECT_EQ(h.controls.town, 3);
    EXPECT_EQ(h.values.TownCode, "26850");
}

// Open-Meteo: its list's town, its coordinates as the code and its name for
// the line; pressing OK keeps it.
TEST(LoadSettings, ThirdSourceSelectsItsTownCoordinatesAndName) {
    SettingsHarness h;
    h.PutTownLists();
    h.PutSettings("resource=2\r\ncity=1\r\n");
    h.Initialise();
    EXPECT_EQ(h.values.SourceIndex, 2);
    EXPECT_EQ(h.controls.resource, 2);
    EXPECT_EQ(h.controls.towns, StringList({Cp1251(u8"Москва").str(), kIrkutsk}));
    EXPECT_EQ(h.controls.town, 1);
    EXPECT_EQ(h.values.TownCode, "52.2978,104.2964");
    EXPECT_EQ(h.values.TownName, kIrkutsk);

    h.PressOk();
    EXPECT_NE(h.SettingsFile().find("resource=2\r\ncity=1\r\n"), std::string::npos);
    EXPECT_EQ(h.values.SourceIndex, 2);
    EXPECT_EQ(h.values.TownName, kIrkutsk);
}

TEST(LoadSettings, UpdatePeriodAndScrollSpeedFromTheFile) {
    SettingsHarness h;
    h.PutTownLists();
    h.PutSettings("autoupdate=2\r\nuse-scroll-speed=3\r\n");
    h.Initialise();
    EXPECT_EQ(h.values.UpdatePeriod, 21600000);
    EXPECT_EQ(h.values.ScrollInterval, 166);
    EXPECT_EQ(h.store.timerStarts.back(), 21600000);
}

std::string ReadFixture(const char* name) {
    std::ifstream in(std::string(OW_TEST_DATA_DIR) + "/settings/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A hand-edited file: CP1251 texts, mixed line ends, a comment, a line
// without "=", an unknown key, NUL bytes, no line end at the end.
TEST(LoadSettings, HandEditedFixtureIsReadAndOkKeepsItsLines) {
    SettingsHarness h;
    h.PutTownLists();
    h.PutSettings(ReadFixture("hand_edited.ini"));
    h.Initialise();

    EXPECT_EQ(h.values.SourceIndex, 0);
    EXPECT_EQ(h.values.TownCode, "33345");
    EXPECT_EQ(h.values.UpdatePeriod, 3600000);
    EXPECT_EQ(h.controls.barSection, 3);
    EXPECT_EQ(h.values.BarSection, 3);
    EXPECT_FALSE(h.values.UseScroll);
    EXPECT_EQ(h.values.ScrollInterval, 125);
    EXPECT_TRUE(h.values.UseProxy);
    EXPECT_TRUE(h.values.ProxyAuth);
    EXPECT_EQ(h.values.ProxyHost, Cp1251(u8"прокси.местный").str());
    EXPECT_EQ(h.values.ProxyPort, "3128");
    EXPECT_EQ(h.values.ProxyLogin, Cp1251(u8"Пользователь").str());
    EXPECT_EQ(h.values.ProxyPassword, Cp1251(u8"пароль").str() + "\x00\x01"s);
    EXPECT_EQ(h.controls.EditText(PrefEdit::eProxyPass), h.values.ProxyPassword);
    EXPECT_TRUE(h.controls.shown[PrefPart::gbProxy]);
    EXPECT_TRUE(h.controls.shown[PrefPart::ProxyLoginFields]);

    h.PressOk();
    EXPECT_EQ(h.SettingsFile(), ReadFixture("hand_edited_after_ok.ini"));
}

TEST(LoadSettings, EmptyTownListLeavesNoTownAndNoCode) {
    SettingsHarness h;
    h.PutTownLists();
    h.store.files["gis_towns.ini"] = "";
    h.Initialise();  // first run: the file is written from the window
    EXPECT_TRUE(h.store.boxes.empty());
    EXPECT_TRUE(h.controls.towns.empty());
    EXPECT_EQ(h.controls.town, kNoItem);
    EXPECT_EQ(h.values.TownCode, "");
    EXPECT_NE(h.SettingsFile().find("\r\ncity=-1\r\n"), std::string::npos);
    EXPECT_EQ(h.model.TestPrepare(), "");
}

TEST(LoadSettings, TownLineWithoutEqualsIsAnEntryWithoutCode) {
    SettingsHarness h;
    h.PutTownLists();
    h.store.files["wu_towns.ini"] = "Nowhere\r\nTver=27402\r\n";
    h.PutSettings("resource=1\r\ncity=0\r\n");
    h.Initialise();
    EXPECT_EQ(h.controls.towns, StringList({"Nowhere", "Tver"}));
    EXPECT_EQ(h.values.TownCode, "");
    EXPECT_EQ(h.model.TestTownMissingText(), Cp1251(u8"ПОГОДА: Города 'Nowhere' в списке нет").str());
}

}  // namespace
}  // namespace ow::testing
