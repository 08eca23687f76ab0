// Hand-edited settings files with values the window never writes: the
// plug-in keeps running with the nearest sensible value and never indexes
// outside a table.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "prefs/core/settings_keys.h"
#include "settings_fakes.h"

namespace ow::testing {
namespace {

// A valid file the cases below spoil one key at a time.
constexpr std::string_view kValidFile =
    "resource=1\r\ncity=1\r\nautoupdate=1\r\nbar-section=3\r\nbar-refresh=1\r\nold-style=0\r\n"
    "use-scroll=1\r\nuse-proxy=0\r\nproxy-port=1080\r\nproxy-auth=0\r\nuse-scroll-speed=2\r\n";

struct Outcome {
    int source = 1;
    int town = 1;
    std::string townCode = "30710";
    int period = 1;
    std::int64_t updatePeriod = 3600000;
    int spin = 3;
    int barSection = 3;
    int speed = 2;
    int scrollInterval = 250;
};

struct BadCase {
    const char* name;
    SettingKey key;
    std::string value;  // "" removes the line
    Outcome expected;
};

Outcome With(auto change) {
    Outcome o;
    change(o);
    return o;
}

const Outcome kGismeteoTown1 = With([](Outcome& o) { o.source = 0; });
const Outcome kNoTown = With([](Outcome& o) {
    o.town = kNoItem;
    o.townCode = "";
});
const Outcome kHalfHour = With([](Outcome& o) {
    o.period = 0;
    o.updatePeriod = 1800000;
});
Outcome Bar(int spin, int barSection) {
    return With([&](Outcome& o) {
        o.spin = spin;
        o.barSection = barSection;
    });
}
Outcome Speed(int speed, int interval) {
    return With([&](Outcome& o) {
        o.speed = speed;
        o.scrollInterval = interval;
    });
}

class SettingsBadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(SettingsBadInput, FallsBackToTheNearestSensibleValue) {
    const BadCase& c = GetParam();
    SettingsList file{kValidFile};
    file.SetValue(KeyName(c.key), c.value);

    SettingsHarness h;
    h.PutTownLists();
    h.PutSettings(file.ToBytes());
    h.Initialise();

    const Outcome& e = c.expected;
    EXPECT_EQ(h.values.SourceIndex, e.source);
    EXPECT_EQ(h.controls.resource, e.source);
    EXPECT_EQ(h.controls.town, e.town);
    EXPECT_EQ(h.values.TownCode, e.townCode);
    EXPECT_EQ(h.controls.period, e.period);
    EXPECT_EQ(h.values.UpdatePeriod, e.updatePeriod);
    EXPECT_EQ(h.store.timerStarts.back(), e.updatePeriod);
    EXPECT_EQ(h.controls.barSection, e.spin);
    EXPECT_EQ(h.values.BarSection, e.barSection);
    EXPECT_EQ(h.controls.scrollSpeed, e.speed);
    EXPECT_EQ(h.values.ScrollInterval, e.scrollInterval);
}

const char* kHuge = "99999999999999999999";

INSTANTIATE_TEST_SUITE_P(
    HandEdited, SettingsBadInput,
    ::testing::Values(
        BadCase{"valid", SettingKey::OldStyle, "0", Outcome{}},
        BadCase{"resource_3", SettingKey::Resource, "3", kGismeteoTown1},
        BadCase{"resource_negative", SettingKey::Resource, "-1", kGismeteoTown1},
        BadCase{"resource_blank", SettingKey::Resource, "  \t", kGismeteoTown1},
        BadCase{"resource_missing", SettingKey::Resource, "", kGismeteoTown1},
        BadCase{"resource_word", SettingKey::Resource, "wu", kGismeteoTown1},
        BadCase{"resource_huge", SettingKey::Resource, kHuge, kGismeteoTown1},
        BadCase{"resource_padded", SettingKey::Resource, " 1 ", Outcome{}},
        BadCase{"city_past_end", SettingKey::City, "4", kNoTown},
        BadCase{"city_huge", SettingKey::City, kHuge, kNoTown},
        BadCase{"city_int_max", SettingKey::City, "2147483647", kNoTown},
        BadCase{"city_negative", SettingKey::City, "-3", kNoTown},
        BadCase{"city_word", SettingKey::City, "Irkutsk", kNoTown},
        BadCase{"city_missing", SettingKey::City, "", kNoTown},
        BadCase{"autoupdate_4", SettingKey::AutoUpdate, "4", kHalfHour},
        BadCase{"autoupdate_negative", SettingKey::AutoUpdate, "-1", kHalfHour},
        BadCase{"autoupdate_word", SettingKey::AutoUpdate, "hourly", kHalfHour},
        BadCase{"autoupdate_huge", SettingKey::AutoUpdate, kHuge, kHalfHour},
        BadCase{"bar_section_42", SettingKey::BarSection, "42", Bar(10, 42)},
        BadCase{"bar_section_255", SettingKey::BarSection, "255", Bar(10, 255)},
        BadCase{"bar_section_256", SettingKey::BarSection, "256", Bar(10, 10)},
        BadCase{"bar_section_negative", SettingKey::BarSection, "-4", Bar(0, 0)},
        BadCase{"bar_section_word", SettingKey::BarSection, "two", Bar(2, 2)},
        BadCase{"bar_section_huge", SettingKey::BarSection, kHuge, Bar(2, 2)},
        BadCase{"speed_9", SettingKey::UseScrollSpeed, "9", Speed(5, 100)},
        BadCase{"speed_0", SettingKey::UseScrollSpeed, "0", Speed(1, 500)},
        BadCase{"speed_missing", SettingKey::UseScrollSpeed, "", Speed(1, 500)},
        BadCase{"speed_word", SettingKey::UseScrollSpeed, "fast", Speed(1, 500)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsBadInput, EmptyTownListWithStoredCitySelectsNothing) {
    SettingsHarness h;
    h.PutTownLists();
    h.store.files["wu_towns.ini"] = "";
    h.PutSettings(kValidFile);
    h.Initialise();
    EXPECT_TRUE(h.controls.towns.empty());
    EXPECT_EQ(h.controls.town, kNoItem);
    EXPECT_EQ(h.values.TownCode, "");
    h.model.ResourceChanged();
    EXPECT_EQ(h.controls.town, kNoItem);
    EXPECT_EQ(h.controls.townText, "");
}

// Whatever bytes the three files hold, the indexes stay inside their tables.
TEST(SettingsBadInput, RandomFileBytesKeepEveryIndexInRange) {
    std::mt19937 random(20240601);
    const std::string alphabet = std::string("=\r\n0123456789-+ \x00\xff", 17) + "resourcitybarsectionautoupdate";
    auto randomBytes = [&](std::size_t maxSize) {
        std::string bytes(random() % maxSize, '\0');
        for (char& b : bytes) b = alphabet[random() % alphabet.size()];
        return bytes;
    };
    for (int round = 0; round < 300; ++round) {
        SettingsHarness h;
        h.store.files["gis_towns.ini"] = randomBytes(40);
        h.store.files["wu_towns.ini"] = randomBytes(40);
        SettingsList file{randomBytes(80)};
        for (const SettingKeyInfo& key : kSettingKeys)
            if (random() % 2) file.SetValue(key.name, randomBytes(12));
        h.PutSettings(file.ToBytes());
        h.Initialise();
        h.model.TestPrepare();
        h.model.TestRestore();
        h.PressOk();

        SCOPED_TRACE(file.ToBytes());
        ASSERT_TRUE(h.values.SourceIndex == 0 || h.values.SourceIndex == 1);
        const auto towns = h.model.TownNames(h.values.SourceIndex).size();
        ASSERT_TRUE(h.controls.town == kNoItem || static_cast<std::size_t>(h.controls.town) < towns);
        ASSERT_TRUE(h.controls.period >= 0 && h.controls.period < 4);
        ASSERT_GE(h.values.ScrollInterval, 100);
        ASSERT_TRUE(h.values.BarSection >= 0 && h.values.BarSection <= 255);
    }
}

}  // namespace
}  // namespace ow::testing
