// OK, Cancel, Test and the source box, as the window runs them.
#include <gtest/gtest.h>

#include <string>

#include "prefs/core/settings_texts.h"
#include "settings_fakes.h"

namespace ow::testing {
namespace {

constexpr std::string_view kStored =
    "; mine\r\nresource=0\r\ncity=2\r\nautoupdate=0\r\nbar-section=2\r\nbar-refresh=1\r\nold-style=0\r\n"
    "use-scroll=1\r\nuse-proxy=1\r\nproxy-host=proxy.local\r\nproxy-port=3128\r\nproxy-auth=1\r\n"
    "proxy-login=ivan\r\nproxy-pass=secret\r\nuse-scroll-speed=1\r\nextra=kept\r\n";

class SettingsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        h.PutTownLists();
        h.PutSettings(kStored);
        h.Initialise();
    }
    SettingsHarness h;
};

TEST_F(SettingsWindow, OkKeepsUnknownLinesAndWritesChangesInPlace) {
    h.controls.SetPeriodIndex(3);
    h.controls.SetChecked(PrefCheckBox::cbOldStyle, true);
    h.PressOk();
    EXPECT_EQ(h.SettingsFile(),
              "; mine\r\nresource=0\r\ncity=2\r\nautoupdate=3\r\nbar-section=2\r\nbar-refresh=1\r\nold-style=1\r\n"
              "use-scroll=1\r\nuse-proxy=1\r\nproxy-host=proxy.local\r\nproxy-port=3128\r\nproxy-auth=1\r\n"
              "proxy-login=ivan\r\nproxy-pass=secret\r\nuse-scroll-speed=1\r\nextra=kept\r\n");
    EXPECT_EQ(h.values.UpdatePeriod, 43200000);
    EXPECT_TRUE(h.values.OldStyle);
    EXPECT_EQ(h.store.log, StringList{"Save settings"});
}

TEST_F(SettingsWindow, ClearingProxyServerRemovesItsLine) {
    h.controls.SetEditText(PrefEdit::eProxyHost, "");
    h.PressOk();
    EXPECT_EQ(h.SettingsFile().find("proxy-host"), std::string::npos);
    EXPECT_EQ(h.values.ProxyHost, "");
    h.Initialise();
    EXPECT_EQ(h.values.ProxyHost, "");
    EXPECT_EQ(h.controls.EditText(PrefEdit::eProxyHost), "");
}

TEST_F(SettingsWindow, OtherSourceThenCancelBringsBackTheStoredOnes) {
    h.controls.SetResourceIndex(1);
    h.model.ResourceChanged();
    EXPECT_EQ(h.controls.towns, h.model.TownNames(1));
    EXPECT_EQ(h.controls.town, 0);
    EXPECT_EQ(h.controls.townText, "Moscow");
    EXPECT_EQ(h.values.SourceIndex, 0);  // only the window changed

    h.controls.SetEditText(PrefEdit::eProxyLogin, "someone");
    h.model.ApplySettings();  // Cancel
    EXPECT_EQ(h.controls.resource, 0);
    EXPECT_EQ(h.controls.towns, h.model.TownNames(0));
    EXPECT_EQ(h.controls.town, 2);
    EXPECT_EQ(h.values.TownCode, "33345");
    EXPECT_EQ(h.controls.EditText(PrefEdit::eProxyLogin), "ivan");
    EXPECT_EQ(h.store.log.size(), 0u);
}

TEST_F(SettingsWindow, OtherSourceThenOkStoresItAndARestartSelectsIt) {
    h.controls.SetResourceIndex(1);
    h.model.ResourceChanged();
    h.controls.SetTownIndex(3);
    h.PressOk();
    EXPECT_NE(h.SettingsFile().find("\r\nresource=1\r\ncity=3\r\n"), std::string::npos);

    SettingsHarness restarted;
    restarted.PutTownLists();
    restarted.PutSettings(h.SettingsFile());
    restarted.Initialise();
    EXPECT_EQ(restarted.values.SourceIndex, 1);
    EXPECT_EQ(restarted.controls.town, 3);
    EXPECT_EQ(restarted.values.TownCode, "26850");
}

TEST_F(SettingsWindow, CancelLeavesTheBarSectionSpinBoxAlone) {
    h.controls.SetBarSectionValue(7);
    h.model.ApplySettings();
    EXPECT_EQ(h.controls.barSection, 7);
    EXPECT_EQ(h.values.BarSection, 2);
}

TEST_F(SettingsWindow, TestThroughProxyWithoutAuthorisationDropsLoginThenRestores) {
    h.controls.SetEditText(PrefEdit::eProxyHost, "other.proxy");
    h.controls.SetChecked(PrefCheckBox::cbProxyAuth, false);
    h.controls.SetResourceIndex(1);
    h.model.ResourceChanged();
    h.controls.SetTownIndex(1);

    EXPECT_EQ(h.model.TestPrepare(), "30710");
    EXPECT_EQ(h.display.ScrollPosition, kScrollRestPosition);
    EXPECT_TRUE(h.values.UseProxy);
    EXPECT_FALSE(h.values.ProxyAuth);
    EXPECT_EQ(h.values.ProxyHost, "other.proxy");
    EXPECT_EQ(h.values.ProxyLogin, "");
    EXPECT_EQ(h.values.ProxyPassword, "");
    EXPECT_EQ(h.values.SourceIndex, 1);

    h.model.TestRestore();
    EXPECT_TRUE(h.values.UseProxy);
    EXPECT_TRUE(h.values.ProxyAuth);
    EXPECT_EQ(h.values.ProxyHost, "proxy.local");
    EXPECT_EQ(h.values.ProxyPort, "3128");
    EXPECT_EQ(h.values.ProxyLogin, "ivan");
    EXPECT_EQ(h.values.ProxyPassword, "secret");
    EXPECT_EQ(h.values.SourceIndex, 0);
    EXPECT_EQ(h.values.TownCode, "30710");  // the tested town until the next apply
}

TEST_F(SettingsWindow, TestWithoutProxyLeavesTheOtherProxyValues) {
    h.controls.SetChecked(PrefCheckBox::cbUseProxy, false);
    h.controls.SetEditText(PrefEdit::eProxyHost, "ignored");
    h.model.TestPrepare();
    EXPECT_FALSE(h.values.UseProxy);
    EXPECT_TRUE(h.values.ProxyAuth);
    EXPECT_EQ(h.values.ProxyHost, "proxy.local");
}

TEST_F(SettingsWindow, TestOfATypedTownNamesIt) {
    h.controls.SetTownIndex(kNoItem);
    h.controls.townText = Cp1251(u8"Париж").str();
    EXPECT_EQ(h.model.TestPrepare(), "");
    EXPECT_EQ(h.model.TestTownMissingText(), Cp1251(u8"ПОГОДА: Города 'Париж' в списке нет").str());
}

TEST_F(SettingsWindow, FailedWriteKeepsTheOldFileAndTellsTheUser) {
    const std::string before = h.SettingsFile();
    h.store.writesFail = true;
    h.controls.SetPeriodIndex(2);
    EXPECT_FALSE(h.model.SaveSettings());
    EXPECT_EQ(h.SettingsFile(), before);
    EXPECT_TRUE(h.store.log.empty());
    ASSERT_EQ(h.store.boxes.size(), 1u);
    EXPECT_EQ(h.store.boxes[0].caption, kSettingsErrorCaption.str());
    EXPECT_EQ(h.store.boxes[0].text,
              Cp1251(u8"Настройки не сохранены: не удалось записать файл\r\nostixweather.ini").str());
}

TEST(SettingsLifecycle, ReleasedListsAreAbsentUntilTheNextLoad) {
    SettingsHarness h;
    h.PutTownLists();
    h.Initialise();
    h.model.ReleaseLists();
    EXPECT_TRUE(h.model.Settings().ToBytes().empty() && h.model.TownNames(0).empty());  // released
    EXPECT_TRUE(h.model.TownNames(0).empty());
    const std::string code = h.values.TownCode;
    const auto timerStarts = h.store.timerStarts.size();
    h.model.ApplySettings();  // the form is gone: nothing to apply
    EXPECT_EQ(h.values.TownCode, code);
    EXPECT_EQ(h.store.timerStarts.size(), timerStarts);
    h.model.ResourceChanged();
    EXPECT_EQ(h.model.TestPrepare(), "");

    h.model.LoadSettings();
    EXPECT_FALSE(h.model.TownNames(0).empty());
    EXPECT_EQ(h.model.TownNames(1).size(), 4u);
    EXPECT_EQ(h.model.Settings().Value("city"), "0");
}

TEST(SettingsLifecycle, FirstRunWithAReadOnlyFolderStillRuns) {
    SettingsHarness h;
    h.store.writesFail = true;
    h.Initialise();
    ASSERT_EQ(h.store.boxes.size(), 2u);  // missing lists, then not saved
    EXPECT_TRUE(h.store.log.empty());
    EXPECT_EQ(h.values.TownCode, "30710");
    EXPECT_EQ(h.values.UpdatePeriod, 1800000);
}

}  // namespace
}  // namespace ow::testing
