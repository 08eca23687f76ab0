#pragma once
// Codes of the Ostix host's packed messages, and the texts that travel in them.
#include <cstdint>
#include <string_view>

#include "common/plugin_version.h"

namespace ow {

enum MessageKind : std::uint8_t {
    MK_QUERY = 1,
    MK_ANSWER = 2,
    MK_EVENT = 3,
    MK_COMMAND = 5,
};

enum EventCode : std::uint8_t {
    PE_INITIALIZE = 1,
    PE_FINALIZE = 2,
    PE_PREFERENCES = 3,
};

enum HostRequestCode : std::uint8_t {
    CMD_SEND_MESSAGE = 1,
    QUERY_HOST_11 = 11,  // sent at initialisation; its answer is not used
    QUERY_CMD = 14,
    QUERY_WINDOW = 15,
    CMD_ADD_ICON = 201,
    CMD_REMOVE_ICON = 203,
};

inline constexpr std::uint8_t kQueryWindowParameter = 2;
inline constexpr std::int32_t kReplyTrailer = 4;  // closing Int of every reply

inline constexpr std::string_view kPluginNamePrefix = "Weather Plugin ver.";
inline constexpr std::string_view kFinalizeReplyText = "Gismeteo Plugin off";
inline constexpr std::string_view kIconHint =
    "Left mouse button - refresh weather. Right mouse button - menu.";

// Offsets inside an envelope (the length field is at 0).
inline constexpr int kKindOffset = 4;
inline constexpr int kCodeOffset = 5;
inline constexpr int kHostCallOffset = 6;      // PE_INITIALIZE: the host's call-back
inline constexpr int kWindowAnswerOffset = 5;  // QUERY_WINDOW answer: main window
inline constexpr int kIconAnswerOffset = 4;    // CMD_ADD_ICON answer: icon id
inline constexpr int kCmdAnswerOffset = 5;     // QUERY_CMD answer

// getcmd's answer for any argument other than 1.
inline constexpr std::int16_t kGetCmdDefault = 1000;

}  // namespace ow
