// Found places in the Open-Meteo town list: their lines, their file apart
// from the shipped list, and choosing one in the preferences.
#include <gtest/gtest.h>

#include <string>

#include "common/cp1251.h"
#include "prefs/core/found_places.h"
#include "prefs/core/town_lists.h"
#include "settings_fakes.h"

namespace ow::testing {
namespace {

constexpr int kOpenMeteo = 2;
constexpr char kFoundFile[] = "om_places.ini";

FoundPlace Place(std::string name, std::string region, double latitude, double longitude) {
    return FoundPlace{std::move(name), std::move(region), "", latitude, longitude};
}

TEST(FoundPlaceLines, NameRegionAndCodeSplitBack) {
    struct Case {
        FoundPlace place;
        std::string entry;
    };
    for (const Case& c : {Case{Place("Ivanovka", "Amur", 50.1234567, 127.5), "Ivanovka (Amur)=50.1235,127.5000"},
                          Case{Place("Moscow", "Moscow", 55.75222, 37.61556), "Moscow=55.7522,37.6156"},
                          Case{Place("Quito", "", -0.22985, -78.52495), "Quito=-0.2299,-78.5250"}}) {
        EXPECT_EQ(FoundPlaceEntry(c.place), c.entry);
        EXPECT_EQ(SplitTownEntry(c.entry).Code, PlaceCode(c.place.latitude, c.place.longitude));
    }
}

TEST(FoundPlaceLines, AddedEntryKeepsEveryLineOfTheFile) {
    EXPECT_EQ(WithEntryAdded("", "A=1,2"), "A=1,2\r\n");
    EXPECT_EQ(WithEntryAdded("B=3,4\r\n", "A=1,2"), "B=3,4\r\nA=1,2\r\n");
    EXPECT_EQ(WithEntryAdded("B=3,4", "A=1,2"), "B=3,4\r\nA=1,2\r\n");
    EXPECT_EQ(WithEntryAdded("B=3,4\n\nC", "A=1,2"), "B=3,4\n\nC\r\nA=1,2\r\n");
}

TEST(FoundPlaceLines, FindsTheSamePlaceToFourDecimals) {
    const StringList lines = {"broken", "Moscow=55.7522,37.6156", "Irkutsk=52.2978,104.2964", "Copy=55.75222,37.61556"};
    EXPECT_EQ(FindPlaceEntry(lines, "55.75224,37.61555"), 1);
    EXPECT_EQ(FindPlaceEntry(lines, "52.2978,104.2964"), 2);
    EXPECT_EQ(FindPlaceEntry(lines, "52.2979,104.2964"), kNoItem);
    EXPECT_EQ(FindPlaceEntry(lines, "nonsense"), kNoItem);
}

// The preferences with Open-Meteo chosen in the source box.
struct ChooseRig : SettingsHarness {
    ChooseRig() {
        PutTownLists();
        PutSettings("resource=2\r\ncity=1\r\n");
        Initialise();
    }
};

TEST(ChooseFoundPlace, AddsThePlaceAfterTheShippedTownsAndSelectsIt) {
    ChooseRig rig;
    rig.store.files[kFoundFile] = "Old=10.0000,20.0000\r\n";
    rig.Initialise();  // the found places are read with the lists
    ASSERT_EQ(rig.controls.towns.size(), 3u);
    EXPECT_TRUE(rig.controls.shown[PrefPart::bFindPlace]);

    ASSERT_TRUE(rig.model.ChooseFoundPlace(Place("Ivanovka", "Amur", 50.12345, 127.5)));

    EXPECT_EQ(rig.store.files[kFoundFile], "Old=10.0000,20.0000\r\nIvanovka (Amur)=50.1235,127.5000\r\n");
    EXPECT_EQ(rig.store.files["om_towns.ini"], kTestOmTowns.view()) << "the shipped list is never written";
    ASSERT_EQ(rig.controls.towns.size(), 4u);
    EXPECT_EQ(rig.controls.towns[3], "Ivanovka (Amur)");
    EXPECT_EQ(rig.controls.town, 3);

    rig.PressOk();  // the choice is stored and survives the next start
    EXPECT_EQ(rig.values.TownCode, "50.1235,127.5000");
    ChooseRig restarted;
    restarted.store.files = rig.store.files;
    restarted.Initialise();
    EXPECT_EQ(restarted.values.TownCode, "50.1235,127.5000");
    EXPECT_EQ(restarted.values.TownName, "Ivanovka (Amur)");
}

TEST(ChooseFoundPlace, APlaceAlreadyListedIsSelectedNotAdded) {
    ChooseRig rig;
    ASSERT_TRUE(rig.model.ChooseFoundPlace(Place("Moskva", "", 55.75224, 37.61558)));
    EXPECT_EQ(rig.controls.town, 0);
    EXPECT_FALSE(rig.store.files.count(kFoundFile));
    ASSERT_TRUE(rig.model.ChooseFoundPlace(Place("X", "", 1, 2)));
    ASSERT_TRUE(rig.model.ChooseFoundPlace(Place("X again", "", 1.00001, 2)));
    EXPECT_EQ(rig.store.files[kFoundFile], "X=1.0000,2.0000\r\n");
    EXPECT_EQ(rig.controls.town, 2);
}

TEST(ChooseFoundPlace, AFailedWriteLosesNothingAndAddsNothing) {
    ChooseRig rig;
    rig.store.files[kFoundFile] = "Old=10.0000,20.0000\r\n";
    rig.Initialise();
    rig.store.writesFail = true;  // a locked or read-only folder
    EXPECT_FALSE(rig.model.ChooseFoundPlace(Place("New", "", 1, 2)));
    EXPECT_EQ(rig.store.files[kFoundFile], "Old=10.0000,20.0000\r\n");
    EXPECT_EQ(rig.controls.towns.size(), 3u);
    EXPECT_EQ(rig.controls.town, 1);
    ASSERT_EQ(rig.store.boxes.size(), 1u);
    EXPECT_NE(rig.store.boxes[0].text.find(kFoundFile), std::string::npos);
}

TEST(ChooseFoundPlace, AnUnreadableFileIsRewrittenWithThePlacesItHeld) {
    ChooseRig rig;
    rig.store.files[kFoundFile] = "Old=10.0000,20.0000\r\n";
    rig.Initialise();
    rig.store.files.erase(kFoundFile);  // cannot be read now
    ASSERT_TRUE(rig.model.ChooseFoundPlace(Place("New", "", 1, 2)));
    EXPECT_EQ(rig.store.files[kFoundFile], "Old=10.0000,20.0000\r\nNew=1.0000,2.0000\r\n");
}

TEST(ChooseFoundPlace, OnlyTheSourceWithAPlaceSearchOffersIt) {
    ChooseRig rig;
    rig.controls.resource = 0;
    rig.model.ResourceChanged();
    EXPECT_FALSE(rig.controls.shown[PrefPart::bFindPlace]);
    EXPECT_FALSE(rig.model.ChooseFoundPlace(Place("X", "", 1, 2)));
    EXPECT_FALSE(rig.store.files.count(kFoundFile));
    rig.controls.resource = kOpenMeteo;
    rig.model.ResourceChanged();
    EXPECT_TRUE(rig.controls.shown[PrefPart::bFindPlace]);
}

}  // namespace
}  // namespace ow::testing
