#pragma once
// Texts the settings operations show or log, in code page 1251.
#include <string>
#include <string_view>

#include "common/cp1251.h"

namespace ow {

inline constexpr auto kSettingsErrorCaption = Cp1251(u8"Weather Plugin: Ошибка");

inline constexpr auto kMissingFilesHead = Cp1251(u8"Не хватает файлов настроек:");
inline constexpr auto kMissingFilesAdvice =
    Cp1251(u8"Для работы плагина рекомендуется скачать ПОЛНУЮ версию\r\n"
           u8"плагина со всеми файлами настроек с сайта разработчика.");
inline constexpr std::string_view kMissingFilesSeparator = ", ";

// Our own text: a failed write leaves the old file, and the user must know.
inline constexpr auto kSettingsNotSavedHead =
    Cp1251(u8"Настройки не сохранены: не удалось записать файл");

inline constexpr auto kTestPrompt = Cp1251(u8"Нажмите кнопку тест для проверки");
// After the display's "ПОГОДА: " prefix.
inline constexpr auto kTownMissingHead = Cp1251(u8"Города '");
inline constexpr auto kTownMissingTail = Cp1251(u8"' в списке нет");

inline constexpr std::string_view kSaveSettingsLogLine = "Save settings";

// "Не хватает файлов настроек:" CR LF names CR LF advice.
std::string MissingTownFilesText(std::string_view joinedNames);
// "Настройки не сохранены: ..." CR LF file name.
std::string SettingsNotSavedText(std::string_view fileName);

}  // namespace ow
