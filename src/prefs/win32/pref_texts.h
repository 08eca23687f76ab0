#pragma once
// Every text the preferences window and its popup menu show, in code page
// 1251 as the A functions take them.
#include <array>
#include <string_view>

#include "common/cp1251.h"

namespace ow::pref_text {

inline constexpr std::string_view kFormCaption = "Weather Plugin for Ostix";

// Page captions, in page order.
inline constexpr auto kOptionsPage = Cp1251(u8"Настройка");
inline constexpr auto kConnectionPage = Cp1251(u8"Подключение");
inline constexpr std::string_view kAboutPage = "About";

// On the form.
inline constexpr auto kCancel = Cp1251(u8"Отмена");
inline constexpr std::string_view kOk = "OK";
inline constexpr auto kOldStyle = Cp1251(u8"\"Старый\" стиль кнопок");

// Page "Настройка".
inline constexpr auto kSource = Cp1251(u8"Источник");
inline constexpr auto kTown = Cp1251(u8"Город");
inline constexpr auto kUseScroll = Cp1251(u8"Использовать скроллинг текста");
inline constexpr auto kTest = Cp1251(u8"Тест");
inline constexpr auto kFindPlace = Cp1251(u8"Найти…");
inline constexpr auto kScrollSpeedHint = Cp1251(u8"Скорость скроллинга");
inline constexpr auto kPeriodLabel = Cp1251(u8"Автоматически обновлять прогноз");
inline constexpr auto kSectionLabel = Cp1251(u8"Секция статусной строки для вывода прогноза:");
inline constexpr auto kBarRefresh = Cp1251(u8"Всегда показывать прогноз погоды в статусе ?");

// cbPeriod items; the item index is the row of the period table.
inline constexpr auto kPeriodHalfHour = Cp1251(u8"каждые полчаса");
inline constexpr auto kPeriodHour = Cp1251(u8"каждый час");
inline constexpr auto kPeriod6Hours = Cp1251(u8"каждые 6 часов");
inline constexpr auto kPeriod12Hours = Cp1251(u8"каждые 12 часов");

// Page "Подключение".
inline constexpr auto kUseProxy = Cp1251(u8"Использовать прокси");
inline constexpr auto kServer = Cp1251(u8"Сервер");
inline constexpr std::string_view kPortSeparator = ":";
inline constexpr std::string_view kDesignPort = "1080";
inline constexpr auto kProxyAuth = Cp1251(u8"авторизация");
inline constexpr std::string_view kLogin = "Login:";
inline constexpr std::string_view kPassword = "Password:";

// Popup menu.
inline constexpr auto kMenuRefresh = Cp1251(u8"Обновить");
inline constexpr auto kMenuInsert = Cp1251(u8"Вставить в окно чата");
inline constexpr auto kMenuOptions = Cp1251(u8"Настройки");
inline constexpr std::string_view kMenuAbout = "About";

}  // namespace ow::pref_text
