#include "feed_document.h"

#include <string>

#include "sky_text.h"
#include "word_list.h"

namespace ow::sample {
namespace {

constexpr std::string_view kWeekdayNames = "Sunday|Monday|Tuesday|Wednesday|Thursday|Friday|Saturday";
constexpr std::string_view kWeekdayShort = "Sun|Mon|Tue|Wed|Thu|Fri|Sat";
constexpr std::string_view kMonthShort = "Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec";
constexpr std::string_view kMonthAbbreviated = "Jan.|Feb.|Mar.|Apr.|May|Jun.|Jul.|Aug.|Sep.|Oct.|Nov.|Dec.";
constexpr std::string_view kCompass = "N|NE|E|SE|S|SW|W|NW";
constexpr std::string_view kSkies =
    "Clear|Partly Cloudy|Mostly Cloudy|Overcast|Light Snow|Snow|Light Rain|Rain|Fog";
constexpr std::string_view kDegrees = "&#176;C";
constexpr std::string_view kObservationTime = "9:00 AM GMT";

std::string_view SkyName(Sky sky, bool snow) { return NthWord(kSkies, SkyTextIndex(sky, snow)); }
std::string_view WindName(int direction) { return NthWord(kCompass, static_cast<std::size_t>(direction)); }
std::string_view WeekdayName(CalendarDate date, std::string_view names) {
    return NthWord(names, static_cast<std::size_t>(Weekday(date)));
}
std::string_view MonthName(CalendarDate date, std::string_view names) {
    return NthWord(names, static_cast<std::size_t>(date.month - 1));
}
std::string Degrees(int value) { return std::to_string(value) + std::string(kDegrees); }

// "Tue, 08 Dec 2026 09:00:00 GMT"
std::string PubDate(CalendarDate date) {
    std::string day = std::to_string(date.day);
    if (day.size() < 2) day.insert(0, "0");
    std::string text(WeekdayName(date, kWeekdayShort));
    text += ", " + day + " ";
    text += MonthName(date, kMonthShort);
    text += " " + std::to_string(date.year) + " 09:00:00 GMT";
    return text;
}

// "Dec. 8"
std::string ShortDate(CalendarDate date) {
    return std::string(MonthName(date, kMonthAbbreviated)) + " " + std::to_string(date.day);
}

std::string EscapeXml(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Item(std::string_view title, std::string_view link, std::string_view description,
                 std::string_view pubDate) {
    std::string text = "<item>\n<title>";
    text += title;
    text += "</title>\n<link>";
    text += link;
    text += "</link>\n<description>";
    text += description;
    text += "</description>\n<pubDate>";
    text += pubDate;
    text += "</pubDate>\n</item>\n";
    return text;
}

std::string CurrentItem(const Forecast& forecast, std::string_view link, CalendarDate date) {
    const CurrentConditions& now = forecast.now;
    const std::string title = "Current Conditions : " + Degrees(now.temperature) + ", " +
                              std::string(SkyName(now.sky, now.snow)) + " - " + std::string(kObservationTime) +
                              " " + ShortDate(date);
    const std::string description =
        "Temperature: " + Degrees(now.temperature) + " | Humidity: " + std::to_string(now.humidityPercent) +
        "% | Pressure: " + std::to_string(now.pressureHectopascal) +
        "hPa | Conditions: " + std::string(SkyName(now.sky, now.snow)) +
        " | Wind Direction: " + std::string(WindName(now.windDirection)) +
        " | Wind Speed: " + std::to_string(now.windKilometresPerHour) +
        "km/h | Updated: " + std::string(kObservationTime);
    return Item(title, link, description, PubDate(date));
}

std::string DayItem(const DayForecast& day, std::string_view link, CalendarDate issued) {
    const std::string weekday(WeekdayName(day.date, kWeekdayNames));
    const std::string title =
        weekday + " as of " + ShortDate(issued) + " " + std::string(kObservationTime);
    const std::string description = weekday + " - " + std::string(SkyName(day.sky, day.snow)) +
                                    ". High " + Degrees(day.dayHigh) + ". Low " + Degrees(day.nightLow) +
                                    ". Wind " + std::string(WindName(day.windDirection)) + " " +
                                    std::to_string((day.windMetresPerSecond * 36 + 5) / 10) + " km/h.";
    return Item(title, link, description, PubDate(issued));
}

}  // namespace

DocumentParts BuildFeedDocument(std::string_view townName, std::string_view townCode,
                                const Forecast& forecast) {
    const CalendarDate issued = forecast.days[0].date;
    const std::string town = EscapeXml(townName);
    const std::string link = "http://ru.wunderground.com/global/stations/" + EscapeXml(townCode) + ".html";

    DocumentParts parts;
    parts.head = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<rss version=\"2.0\">\n<channel>\n";
    parts.head += "<title>Weather Underground - " + town + "</title>\n";
    parts.head += "<link>" + link + "</link>\n";
    parts.head += "<description>Weather Underground RSS Feed for " + town + "</description>\n";
    parts.head += "<language>EN</language>\n<generator>WU-RSS</generator>\n";
    parts.head += "<pubDate>" + PubDate(issued) + "</pubDate>\n";
    parts.head += "<lastBuildDate>" + PubDate(issued) + "</lastBuildDate>\n<ttl>30</ttl>\n";
    parts.head += "<image>\n<url>http://icons.wunderground.com/graphics/smash/wunderTransparent.gif</url>\n"
                  "<title>Weather Underground</title>\n<link>" + link + "</link>\n</image>\n";
    parts.head += CurrentItem(forecast, link, issued);
    for (const DayForecast& day : forecast.days) parts.head += DayItem(day, link, issued);

    // Dense with the markers the reader looks for, for very large documents.
    parts.repeatUnit = Item("Forecast archive", link,
                            "Temperature: " + Degrees(0) + " | Conditions: Clear | Updated: " +
                                std::string(kObservationTime),
                            PubDate(issued));
    parts.tail = "</channel>\n</rss>\n";
    return parts;
}

}  // namespace ow::sample
