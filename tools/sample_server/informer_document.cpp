#include "informer_document.h"

#include <string>

#include "common/cp1251.h"
#include "sky_text.h"
#include "word_list.h"

namespace ow::sample {
namespace {

// Indexed by Weekday(), by month - 1, by compass point and by SkyTextIndex().
constexpr auto kWeekdays = Cp1251(u8"Вс|Пн|Вт|Ср|Чт|Пт|Сб");
constexpr auto kMonths = Cp1251(
    u8"января|февраля|марта|апреля|мая|июня|июля|августа|сентября|октября|ноября|декабря");
constexpr auto kCompass = Cp1251(u8"С|СВ|В|ЮВ|Ю|ЮЗ|З|СЗ");
constexpr auto kSkies = Cp1251(
    u8"ясно|малооблачно|облачно|пасмурно|небольшой снег|снег|небольшой дождь|дождь|туман");
constexpr auto kAtNight = Cp1251(u8"ночью");
constexpr auto kInDaytime = Cp1251(u8"днём");
constexpr auto kWind = Cp1251(u8"ветер");
constexpr auto kMetresPerSecond = Cp1251(u8"м/с");
constexpr auto kDegree = Cp1251(u8"°");
constexpr auto kOutlook = Cp1251(u8"Прогноз");

std::string Signed(int degrees) { return degrees > 0 ? "+" + std::to_string(degrees) : std::to_string(degrees); }

// "-23..-21°" as the informer writes a temperature range.
std::string Range(int low, int high) {
    std::string text = Signed(low);
    if (high != low) text += ".." + Signed(high);
    return text + std::string(kDegree.view());
}

// One day: its heading in b, the rest of the sentence after it. The markup
// avoids double quotes, which would end the script's string.
std::string DayFragment(const DayForecast& day) {
    std::string text = "<font face='Tahoma' size='1'><b>";
    text += NthWord(kWeekdays.view(), static_cast<std::size_t>(Weekday(day.date)));
    text += ", " + std::to_string(day.date.day) + " ";
    text += NthWord(kMonths.view(), static_cast<std::size_t>(day.date.month - 1));
    text += "</b>";  // the reader turns "</b>" into ", "
    text += kAtNight.view();
    text += " " + Range(day.nightLow, day.nightHigh) + ", ";
    text += kInDaytime.view();
    text += " " + Range(day.dayLow, day.dayHigh) + ", ";
    text += NthWord(kSkies.view(), SkyTextIndex(day.sky, day.snow));
    text += ", ";
    text += kWind.view();
    text += " ";
    text += NthWord(kCompass.view(), static_cast<std::size_t>(day.windDirection));
    text += " " + std::to_string(day.windMetresPerSecond) + " ";
    text += kMetresPerSecond.view();
    text += "</font><br>";
    return text;
}

}  // namespace

DocumentParts BuildInformerDocument(std::string_view townName, std::string_view townCode,
                                    const Forecast& forecast) {
    DocumentParts parts;
    parts.head = "// Gismeteo text informer, town ";
    parts.head += townCode;
    parts.head += ", type 2\r\nvar gmInformerStyle = 'text';\r\n";
    parts.head += "document.write(\"<div class='gm_informer'>";
    // The town name comes from the project's own town list and goes in as is.
    parts.head += "<font face='Tahoma' size='2' color='#00366f'><b>";
    parts.head += townName;
    parts.head += "</b></font><br>";
    for (const DayForecast& day : forecast.days) parts.head += DayFragment(day);

    // Dense with the markers the reader replaces, for very large documents.
    parts.repeatUnit = "<font size='1'><b>";
    parts.repeatUnit += kOutlook.view();
    parts.repeatUnit += "</b><i>" + Range(-1, 1) + "</i>, <b>";
    parts.repeatUnit += NthWord(kSkies.view(), SkyTextIndex(Sky::Clear, false));
    parts.repeatUnit += "</b></font><br>";

    // The provider's credit closes the informer, as on the real service.
    parts.tail = "<a href='http://www.gismeteo.ru/' target='_blank'>"
                 "<font face='Tahoma' size='1' color='#808080'><b>GISMETEO.RU</b></font></a>"
                 "</div>\");\r\n";
    return parts;
}

}  // namespace ow::sample
