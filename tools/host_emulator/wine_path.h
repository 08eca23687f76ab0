#pragma once
// The Windows name of a file of the machine running Wine: its Unix path on
// drive Z:, which Wine maps to the root.
#include <string>
#include <string_view>

namespace host {

inline std::string WinePath(std::string_view unixPath) {
    std::string path = "Z:" + std::string(unixPath);
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

}  // namespace host
