#include "display/core/chat_text.h"

#include "common/text_ops.h"

namespace ow {

std::string CombineChatText(std::string_view current, std::string_view weatherLine) {
    std::string combined(Trim(current));
    combined += ' ';
    combined += Trim(weatherLine);
    return combined;
}

}  // namespace ow
