#pragma once
// Files in the plugins folder beside the host's executable: every part that
// keeps something between runs reads and replaces its file here.
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace ow {

// <directory of the running program>\plugins\<fileName>
std::string PluginFilePath(std::string_view fileName);

// At most `limit` + 1 bytes of the file (a caller with a limit tells a longer
// file by its size), or nothing when it does not exist or cannot be opened.
std::optional<std::string> ReadPluginFile(std::string_view fileName,
                                          std::size_t limit = std::numeric_limits<std::size_t>::max() - 1);

// Replaces the file in one step: a new file is written and flushed beside it,
// then moved over it. On false the old file is untouched and no new one is left.
bool WritePluginFileAtomically(std::string_view fileName, std::string_view bytes);

}  // namespace ow
