#pragma once
// The Ostix side of the packed-message contract: answers the plug-in's
// queries and commands byte for byte and records every request.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace host {

std::string Int32Bytes(std::int32_t value);
std::string Envelope(const std::string& body);

// Answers a test may vary.
struct AnswerSettings {
    std::uint8_t windowKind = 2;      // kind byte of the QUERY_WINDOW answer
    std::int32_t iconAnswer = 0;      // 0: hand out ids 1, 2, 3...; otherwise this value
    std::int32_t queryCmdValue = 70000;
    bool nullAnswers = false;         // answer every request with a null pointer
};

struct RegisteredIcon {
    std::int32_t id = 0;
    std::uint32_t callback = 0;
    HICON icon = nullptr;
    std::string hint;
};

struct SentMessage {
    std::int32_t target = 0;
    std::string text;
};

class HostContract {
public:
    AnswerSettings answers;
    HWND mainWindow = nullptr;

    // The host call-back the plug-in receives with PE_INITIALIZE.
    static const void* __stdcall HostCall(const void* envelope);
    static HostContract* current;

    const std::vector<std::string>& requests() const { return requests_; }  // request bodies
    const std::vector<RegisteredIcon>& icons() const { return icons_; }
    const std::vector<SentMessage>& sentMessages() const { return sent_; }
    void ClearRecord() { requests_.clear(); sent_.clear(); }

private:
    const void* Answer(const unsigned char* envelope);
    std::string AnswerBody(const std::string& body);

    std::vector<std::string> requests_;
    std::vector<RegisteredIcon> icons_;
    std::vector<SentMessage> sent_;
    std::int32_t nextIconId_ = 1;
    std::string answer_;  // lives until the next request
};

}  // namespace host
