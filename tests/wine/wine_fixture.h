#pragma once
// Every end-to-end test starts from a clean slate: its own current directory
// (where the plug-in keeps its log), an empty plugins folder beside the
// program (where it keeps its settings), and a fresh host emulator.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "child_window.h"
#include "host_emulator.h"
#include "prefs/core/town_lists.h"

namespace wine_tests {

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string PluginsDir();  // <program dir>\plugins
std::string Cp1251(const wchar_t* text);
using host::FindDescendant;
// A file of the repository's data folder (OW_DATA_DIR, a Unix path).
std::string DataFile(const std::string& name);
// Line `index` of the town list that source `source` ships, split as the
// plug-in splits it; empty when there is no such source or line.
ow::TCity ShippedTown(int source, int index);

// Watches, on its own thread, for a message box with the given caption,
// remembers its text and presses its OK button.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::string caption);
    ~MessageBoxWatcher();
    int seen() const { return seen_; }
    std::string lastText() const;

private:
    static DWORD WINAPI Run(LPVOID self);
    std::string caption_;
    volatile LONG stop_ = 0;
    volatile LONG seen_ = 0;
    std::string text_;
    CRITICAL_SECTION lock_;
    HANDLE thread_ = nullptr;
};

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Puts the shipped town lists into the plugins folder (done by SetUp
    // unless a test removes them).
    static void InstallTownLists();
    static void RemovePluginFile(const char* name);
    void TearDown() override;

    // Creates the emulator (and loads the plug-in) with this layout.
    host::HostEmulator& Start(host::WindowLayout layout = {});
    host::HostEmulator& emu() { return *emu_; }
    // Ends the emulator and unloads the plug-in before the test ends.
    void StopEmulator() { emu_.reset(); }

    std::string Log() const;                       // the whole debug log, "" when absent
    std::vector<std::string> LogMessages() const;  // the text after "] " of each line
    std::string StatusText(int section) { return emu_->window().StatusText(section); }

    // The plug-in's own top-level windows (its preferences form).
    static HWND FindForm();

    std::string workDir_;
    // Set by a test's constructor: the program runs in the messenger's folder
    // as installed, the program's directory and the current directory in
    // one, and loads the plug-in from plugins\ there. Nothing is created,
    // copied or removed in it.
    bool inInstalledFolder_ = false;

private:
    std::unique_ptr<host::HostEmulator> emu_;
    char previousDir_[MAX_PATH] = {};
};

}  // namespace wine_tests
