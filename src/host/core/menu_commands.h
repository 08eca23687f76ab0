#pragma once
// What the popup menu's commands do: refresh, insert the forecast into the
// host's chat input, open the preferences on their settings or About page.
#include <string>

#include "display/core/status_display.h"
#include "prefs/core/pref_window.h"

namespace ow {

// The host's chat input as the insert command uses it.
class ChatInput {
public:
    virtual ~ChatInput() = default;
    // Looks the input up anew among the host's windows and remembers it (a
    // refresh gives the focus back to it); false when there is none.
    virtual bool Find() = 0;
    // Its text as it is now; empty once it is gone.
    virtual std::string Text() = 0;
    // Replaces its text, focuses it and puts the caret at the end; nothing
    // once it is gone.
    virtual void Replace(const std::string& text) = 0;
};

class MenuCommands {
public:
    // `formAlive` turns false when the plug-in is finalised, which a
    // command's download lets happen in its middle.
    MenuCommands(StatusDisplay& display, ChatInput& chatInput, PrefWindow& window, const bool& formAlive)
        : display_(display), chatInput_(chatInput), window_(window), formAlive_(formAlive) {}

    // MenuItemClick, by the chosen item's tag; other tags do nothing.
    void MenuItemClick(int tag);

private:
    void InsertIntoChat();
    void ShowOnPage(int page);

    StatusDisplay& display_;
    ChatInput& chatInput_;
    PrefWindow& window_;
    const bool& formAlive_;
};

}  // namespace ow
