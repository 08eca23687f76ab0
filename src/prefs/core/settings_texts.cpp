#include "prefs/core/settings_texts.h"

namespace ow {

std::string MissingTownFilesText(std::string_view joinedNames) {
    std::string text(kMissingFilesHead.view());
    text.append("\r\n").append(joinedNames).append("\r\n").append(kMissingFilesAdvice.view());
    return text;
}

std::string SettingsNotSavedText(std::string_view fileName) {
    std::string text(kSettingsNotSavedHead.view());
    text.append("\r\n").append(fileName);
    return text;
}

}  // namespace ow
