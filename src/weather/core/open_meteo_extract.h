#pragma once
#include <string>
#include <string_view>

namespace ow {

// The weather line of an Open-Meteo forecast answer, in code page 1251:
//   "<town>. Сейчас <T>°, <words>, ветер <D> <S> м/с, <P> мм рт. ст.,
//    влажность <H>%. Завтра <Tmin>..<Tmax>°, <words>."
// (one line). A missing or unusable value leaves out its part and the comma
// before it; tomorrow's sentence needs its code and both temperatures. No
// current temperature, or a document that is not one JSON object: "Нет данных
// о погоде". Open-Meteo's error object ("error": true with a string
// "reason") gives "Open-Meteo: " and the reason's first 200 bytes, each
// outside printable ASCII shown as "?"; "error": true alone, no data.
// Never reads past the document; memory fixed whatever it holds.
std::string ExtractOpenMeteoLine(std::string_view document, std::string_view townName);

}  // namespace ow
