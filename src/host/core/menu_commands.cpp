#include "host/core/menu_commands.h"

#include "display/core/chat_text.h"

namespace ow {

void MenuCommands::MenuItemClick(int tag) {
    switch (tag) {
        case kMenuRefresh:
            display_.RefreshWeather();
            break;
        case kMenuInsert:
            InsertIntoChat();
            break;
        case kMenuOptions:
            ShowOnPage(kOptionsPage);
            break;
        case kMenuAbout:
            ShowOnPage(kAboutPage);
            break;
        default:
            break;
    }
}

void MenuCommands::InsertIntoChat() {
    const bool found = chatInput_.Find();
    const auto line = display_.CurrentWeatherLine();  // may download
    if (!line || !formAlive_ || !found) return;        // finalised meanwhile: nothing more
    // Read only now: the messenger stays responsive during the download, and
    // what the user typed meanwhile must not be lost.
    chatInput_.Replace(CombineChatText(chatInput_.Text(), *line));
}

void MenuCommands::ShowOnPage(int page) {
    window_.SelectPage(page);
    window_.Show();
}

}  // namespace ow
