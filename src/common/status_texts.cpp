#include "common/status_texts.h"

namespace ow {

std::string WithWeatherPrefix(std::string_view text) {
    std::string message;
    message.reserve(kWeatherPrefix.size + text.size());
    message.append(kWeatherPrefix.view());
    message.append(text);
    return message;
}

std::string StatusBarMessage(std::string_view text) {
    return text.empty() ? std::string() : WithWeatherPrefix(text);
}

}  // namespace ow
