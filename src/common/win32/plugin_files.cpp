#include "common/win32/plugin_files.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/plugin_folder.h"
#include "common/win32/unique_handle.h"

namespace ow {

std::string PluginFilePath(std::string_view fileName) {
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

std::optional<std::string> ReadPluginFile(std::string_view fileName, std::size_t limit) {
    UniqueFile file(CreateFileA(PluginFilePath(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (bytes.size() <= limit) {
        const std::size_t wanted = std::min(sizeof buffer, limit + 1 - bytes.size());
        if (!::ReadFile(file.get(), buffer, static_cast<DWORD>(wanted), &read, nullptr) || read == 0) break;
        bytes.append(buffer, read);
    }
    return bytes;
}

bool WritePluginFileAtomically(std::string_view fileName, std::string_view bytes) {
    const std::string target = PluginFilePath(fileName);
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

}  // namespace ow
