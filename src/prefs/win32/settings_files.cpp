#include "prefs/win32/settings_files.h"

#include <windows.h>

#include <vector>

#include "common/win32/debug_log.h"
#include "common/win32/unique_handle.h"

namespace ow {

std::string SettingsFiles::PathOf(std::string_view fileName) {
    std::vector<char> path(MAX_PATH);
    for (;;) {  // grow until the whole module file name fits
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return std::string(kPluginsFolder) + "\\" + std::string(fileName);
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::string dir(path.begin(), path.end());
    const auto slash = dir.find_last_of("\\/");
    dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
    return dir + "\\" + std::string(kPluginsFolder) + "\\" + std::string(fileName);
}

std::optional<std::string> SettingsFiles::ReadFile(std::string_view fileName) {
    UniqueFile file(CreateFileA(PathOf(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

bool SettingsFiles::WriteFileAtomically(std::string_view fileName, std::string_view bytes) {
    const std::string target = PathOf(fileName);
    const std::string fresh = target + ".new";
    {
        UniqueFile file(CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file) return false;
        DWORD written = 0;
        const bool complete = ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                          nullptr) &&
                              written == bytes.size() && FlushFileBuffers(file.get());
        if (!complete) {
            file.reset();
            DeleteFileA(fresh.c_str());
            return false;
        }
    }
    // The old file is replaced only by a complete new one.
    if (!MoveFileExA(fresh.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(fresh.c_str());
        return false;
    }
    return true;
}

void SettingsFiles::ShowMessageBox(std::string_view caption, std::string_view text) {
    MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(), MB_OK);
}

void SettingsFiles::WriteDebugLog(std::string_view message) { ow::WriteDebugLog(message); }

}  // namespace ow
