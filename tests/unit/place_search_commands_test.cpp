// The place search window's commands: what the list and the status line
// show, and that an answer after the search was abandoned or overtaken, or
// after finalisation, writes nowhere.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/core/place_search_commands.h"
#include "settings_fakes.h"
#include "weather/core/fetch_texts.h"

namespace ow::testing {
namespace {

class FakeSearchView : public PlaceSearchView {
public:
    bool open = false;
    std::string query;
    std::string status;
    StringList rows;
    int selected = kNoItem;
    int writes = 0;  // status or rows set

    void Open() override { open = true; }
    void Close() override { open = false; }
    std::string QueryText() const override { return query; }
    void SetStatus(std::string_view text) override {
        status = text;
        ++writes;
    }
    void SetRows(const StringList& newRows) override {
        rows = newRows;
        selected = rows.empty() ? kNoItem : 0;
        ++writes;
    }
    int SelectedRow() const override { return selected; }
};

struct CommandsRig : SettingsHarness {
    FakeSearchView view;
    std::vector<std::string> asked;
    std::function<void()> whileSearching;  // the messages the download dispatches
    PlaceSearchResult answer;
    PlaceSearchCommands commands{model, view, [this](const std::string& name, const WorkingValues&) {
                                     asked.push_back(name);
                                     if (whileSearching) {
                                         auto during = std::exchange(whileSearching, nullptr);
                                         during();
                                     }
                                     return answer;
                                 }};

    CommandsRig() {
        PutTownLists();
        PutSettings("resource=2\r\ncity=0\r\n");
        Initialise();
        commands.FindPlaceClick();
        answer.places = {FoundPlace{"Ivanovka", "Amur", "Russia", 50.29972, 127.60472},
                         FoundPlace{"Ivanovka", "", "Kyrgyzstan", 42.88333, 75.08333}};
    }
};

TEST(PlaceSearchCommands, ListsThePlacesAndAddsTheChosenOne) {
    CommandsRig rig;
    rig.view.query = "  Ivanovka ";
    rig.commands.SearchClick();
    EXPECT_EQ(rig.asked, std::vector<std::string>{"Ivanovka"});
    EXPECT_EQ(rig.view.rows, (StringList{"Ivanovka, Amur, Russia (50.2997, 127.6047)",
                                         "Ivanovka, Kyrgyzstan (42.8833, 75.0833)"}));
    EXPECT_EQ(rig.view.status, kChoosePlaceText.view());

    rig.view.selected = 1;
    rig.commands.ChooseClick();
    EXPECT_EQ(rig.store.files["om_places.ini"], "Ivanovka=42.8833,75.0833\r\n");
    EXPECT_EQ(rig.controls.town, 2);
    EXPECT_FALSE(rig.view.open);
}

TEST(PlaceSearchCommands, TellsWhyNothingIsListed) {
    CommandsRig rig;
    rig.view.query = "x";
    rig.commands.SearchClick();
    EXPECT_TRUE(rig.asked.empty());
    EXPECT_EQ(rig.view.status, kPlaceNameTooShortText.view());

    rig.view.query = "Nowhere";
    rig.answer = PlaceSearchResult{{}, kNothingFoundText.str(), false};
    rig.commands.SearchClick();
    EXPECT_EQ(rig.view.status, kNothingFoundText.view());
    EXPECT_TRUE(rig.view.rows.empty());
    rig.commands.ChooseClick();  // nothing listed: nothing chosen
    EXPECT_FALSE(rig.store.files.count("om_places.ini"));
}

TEST(PlaceSearchCommands, ALateAnswerWritesNowhere) {
    struct Case {
        const char* what;
        std::function<void(CommandsRig&)> meanwhile;
    };
    const Case cases[] = {
        {"the window closed", [](CommandsRig& rig) { rig.commands.Close(); }},
        {"finalised", [](CommandsRig& rig) { rig.answer = PlaceSearchResult{{}, "", true}; }},
        {"a newer search", [](CommandsRig& rig) {
             rig.answer = PlaceSearchResult{{}, kNothingFoundText.str(), false};
             rig.commands.SearchClick();
         }},
    };
    for (const Case& c : cases) {
        CommandsRig rig;
        rig.view.query = "Ivanovka";
        int writesBeforeAnswer = 0;
        rig.whileSearching = [&] {
            c.meanwhile(rig);
            writesBeforeAnswer = rig.view.writes;
        };
        rig.commands.SearchClick();
        EXPECT_EQ(rig.view.writes, writesBeforeAnswer) << c.what;
        EXPECT_TRUE(rig.view.rows.empty()) << c.what;
        rig.commands.ChooseClick();
        EXPECT_FALSE(rig.store.files.count("om_places.ini")) << c.what;
    }
}

}  // namespace
}  // namespace ow::testing
