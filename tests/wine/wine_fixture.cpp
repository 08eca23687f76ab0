#include "wine_fixture.h"

#include <shellapi.h>

#include <cstdlib>

#include "prefs/core/text_lines.h"
#include "prefs/win32/pref_control_ids.h"
#include "test_authority.h"
#include "weather/core/weather_sources.h"
#include "wine_path.h"

namespace wine_tests {

std::string ReadFileBytes(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(f, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(f);
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(f);
    return ok;
}

std::string PluginsDir() { return host::ExecutableDirectory() + "\\plugins"; }

std::string Cp1251(const wchar_t* text) {
    const int n = WideCharToMultiByte(1251, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(1251, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return out;
}

std::string DataFile(const std::string& name) {
    const char* dir = std::getenv("OW_DATA_DIR");
    return host::WinePath(std::string(dir != nullptr ? dir : "/work/main/data") + "/" + name);
}

MessageBoxWatcher::MessageBoxWatcher(std::string caption) : caption_(std::move(caption)) {
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(nullptr, 0, &MessageBoxWatcher::Run, this, 0, nullptr);
}

MessageBoxWatcher::~MessageBoxWatcher() {
    InterlockedExchange(&stop_, 1);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
}

std::string MessageBoxWatcher::lastText() const {
    EnterCriticalSection(const_cast<CRITICAL_SECTION*>(&lock_));
    std::string text = text_;
    LeaveCriticalSection(const_cast<CRITICAL_SECTION*>(&lock_));
    return text;
}

DWORD WINAPI MessageBoxWatcher::Run(LPVOID param) {
    auto* self = static_cast<MessageBoxWatcher*>(param);
    while (InterlockedCompareExchange(&self->stop_, 0, 0) == 0) {
        HWND box = FindWindowA("#32770", self->caption_.c_str());
        if (box != nullptr && IsWindowVisible(box)) {
            // The text is the dialog's static control (id 0xFFFF).
            char text[2048] = {};
            HWND label = GetDlgItem(box, 0xFFFF);
            if (label != nullptr) GetWindowTextA(label, text, sizeof text);
            EnterCriticalSection(&self->lock_);
            self->text_ = text;
            LeaveCriticalSection(&self->lock_);
            InterlockedIncrement(&self->seen_);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            while (IsWindow(box) && InterlockedCompareExchange(&self->stop_, 0, 0) == 0) Sleep(10);
        }
        Sleep(20);
    }
    return 0;
}

ow::TCity ShippedTown(int source, int index) {
    const ow::WeatherSources sources = ow::TheWeatherSources();
    if (source < 0 || static_cast<std::size_t>(source) >= sources.size()) return {};
    const auto lines = ow::SplitLines(ReadFileBytes(DataFile(std::string(sources[source].townListFile))));
    if (index < 0 || static_cast<std::size_t>(index) >= lines.size()) return {};
    return ow::SplitTownEntry(lines[static_cast<std::size_t>(index)]);
}

void PluginTest::InstallTownLists() {
    for (const ow::WeatherSource& source : ow::TheWeatherSources()) {
        const std::string name(source.townListFile);
        CopyFileA(DataFile(name).c_str(), (PluginsDir() + "\\" + name).c_str(), FALSE);
    }
}

void PluginTest::RemovePluginFile(const char* name) { DeleteFileA((PluginsDir() + "\\" + name).c_str()); }

namespace {
void RemoveTree(const std::string& dir) {
    std::string from = dir;
    from.push_back('\0');  // double-zero-terminated list
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}
}  // namespace

void PluginTest::SetUp() {
    GetCurrentDirectoryA(MAX_PATH, previousDir_);
    if (inInstalledFolder_) {
        workDir_ = host::ExecutableDirectory();
        ASSERT_TRUE(SetCurrentDirectoryA(workDir_.c_str()));
        return;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    workDir_ = std::string(temp) + "ow_test_" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(GetTickCount());
    CreateDirectoryA(workDir_.c_str(), nullptr);
    SetCurrentDirectoryA(workDir_.c_str());
    RemoveTree(PluginsDir());
    CreateDirectoryA(PluginsDir().c_str(), nullptr);
    InstallTownLists();
}

void PluginTest::TearDown() {
    emu_.reset();
    SetCurrentDirectoryA(previousDir_);
    if (inInstalledFolder_) return;
    RemoveTree(workDir_);
    RemoveTree(PluginsDir());
}

host::HostEmulator& PluginTest::Start(host::WindowLayout layout) {
    const std::string plugin = inInstalledFolder_ ? PluginsDir() + "\\ostixWeather.dll" : "ostixWeather.dll";
    emu_ = std::make_unique<host::HostEmulator>(layout, plugin.c_str());
    EXPECT_TRUE(emu_->plugin().loaded()) << "LoadLibrary error " << emu_->plugin().loadError();
    return *emu_;
}

std::string PluginTest::Log() const { return ReadFileBytes(workDir_ + "\\ostix_weather_debug.log"); }

std::vector<std::string> PluginTest::LogMessages() const {
    std::vector<std::string> messages;
    const std::string log = Log();
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = log.find("\r\n", start);
        if (end == std::string::npos) end = log.size();
        const std::string line = log.substr(start, end - start);
        const auto mark = line.find("] ");
        messages.push_back(mark == std::string::npos ? line : line.substr(mark + 2));
        start = end + 2;
    }
    return messages;
}

HWND PluginTest::FindForm() { return FindWindowA(ow::pref_id::kFormClass, nullptr); }

namespace {
// The sample server's HTTPS stands on the tests' own authority: this program's
// Wine prefix trusts it, nothing else does.
class TestAuthority : public ::testing::Environment {
public:
    void SetUp() override {
        const std::string authority = host::TestAuthorityFromEnvironment();
        if (!authority.empty()) ASSERT_TRUE(host::TrustTestAuthority(authority)) << authority;
    }
};
[[maybe_unused]] ::testing::Environment* const kTestAuthority =
    ::testing::AddGlobalTestEnvironment(new TestAuthority);
}  // namespace

}  // namespace wine_tests
