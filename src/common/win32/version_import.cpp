// Deliberately without windows.h: its GetVersion would clash with ours.
#include "common/win32/version_import.h"

#include <cstdint>
#include <cstring>

extern "C" __declspec(dllimport) void __stdcall GetVersion(const char** variable);

namespace ow {

std::string VersionFromOwnExport() {
    const char* text = nullptr;
    GetVersion(&text);
    if (text == nullptr) return {};
    std::int32_t length = 0;  // the counted string keeps its length in front
    std::memcpy(&length, text - 4, sizeof length);
    return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace ow
