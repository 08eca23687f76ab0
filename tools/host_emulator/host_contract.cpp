#include "host_contract.h"

#include <cstring>

namespace host {

HostContract* HostContract::current = nullptr;

std::string Int32Bytes(std::int32_t value) {
    std::string out(4, '\0');
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>(u >> (8 * i));
    return out;
}

std::string Envelope(const std::string& body) { return Int32Bytes(static_cast<std::int32_t>(body.size())) + body; }

namespace {
std::int32_t IntIn(const std::string& body, std::size_t offset) {
    if (offset + 4 > body.size()) return 0;
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(static_cast<unsigned char>(body[offset + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}
std::string StringIn(const std::string& body, std::size_t offset) {
    const std::int32_t n = IntIn(body, offset);
    if (n <= 0 || offset + 4 + static_cast<std::size_t>(n) > body.size()) return {};
    return body.substr(offset + 4, static_cast<std::size_t>(n));
}
constexpr char kAnswerKind = 2;
}  // namespace

const void* __stdcall HostContract::HostCall(const void* envelope) {
    if (current == nullptr || envelope == nullptr) return nullptr;
    return current->Answer(static_cast<const unsigned char*>(envelope));
}

const void* HostContract::Answer(const unsigned char* envelope) {
    std::int32_t length = 0;
    std::memcpy(&length, envelope, 4);
    if (length < 0 || length > (1 << 20)) length = 0;
    const std::string body(reinterpret_cast<const char*>(envelope) + 4, static_cast<std::size_t>(length));
    requests_.push_back(body);
    answer_ = Envelope(AnswerBody(body));
    return answers.nullAnswers ? nullptr : answer_.data();
}

// Body offsets here are envelope offsets minus 4.
std::string HostContract::AnswerBody(const std::string& body) {
    const int kind = body.size() > 0 ? static_cast<unsigned char>(body[0]) : -1;
    const int code = body.size() > 1 ? static_cast<unsigned char>(body[1]) : -1;
    if (kind == 1 && code == 15) {
        return std::string(1, static_cast<char>(answers.windowKind)) +
               Int32Bytes(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(mainWindow)));
    }
    if (kind == 1 && code == 14) return std::string(1, kAnswerKind) + Int32Bytes(answers.queryCmdValue);
    if (kind == 5 && code == 201) {
        RegisteredIcon icon;
        icon.callback = static_cast<std::uint32_t>(IntIn(body, 2));
        icon.icon = reinterpret_cast<HICON>(static_cast<std::intptr_t>(IntIn(body, 6)));
        icon.hint = StringIn(body, 10);
        icon.id = answers.iconAnswer != 0 ? answers.iconAnswer : nextIconId_++;
        if (icon.id > 0) icons_.push_back(icon);
        if (mainWindow != nullptr) InvalidateRect(mainWindow, nullptr, TRUE);
        return Int32Bytes(icon.id);
    }
    if (kind == 5 && code == 203) {
        const std::int32_t id = IntIn(body, 2);
        std::erase_if(icons_, [id](const RegisteredIcon& i) { return i.id == id; });
        if (mainWindow != nullptr) InvalidateRect(mainWindow, nullptr, TRUE);
    }
    if (kind == 5 && code == 1) sent_.push_back({IntIn(body, 2), StringIn(body, 10)});
    return std::string(1, kAnswerKind);
}

}  // namespace host
