// host_emulator.exe: the Ostix messenger stand-in.
//
//   host_emulator.exe                 a workbench window: buttons send the
//                                     plug-in's events, the icon strip takes
//                                     left and right clicks.
//   host_emulator.exe --script FILE   runs the commands of FILE, one a line:
//     init | prefs | final            send PE_INITIALIZE / PE_PREFERENCES / PE_FINALIZE
//     click left|right                click the plug-in's icon (code in EAX); prints how
//                                     long the click took and how often a 100 ms timer
//                                     of the host's own ticked meanwhile
//     get URL                         an HTTP GET through WinInet, its answer printed
//                                     (e.g. to switch the sample server's mode)
//     pump MS                         run the message loop for MS milliseconds
//     status                          print every status-bar section
//     frames SECTION MS               print each new text of a section for up to MS ms,
//                                     ending early 4 s after the last change
//     menu TAG                        right-click the icon and choose, through the real
//                                     menu, the command with that tag (0 refresh,
//                                     1 insert into the chat, 2 settings, 3 About);
//                                     without a tag the menu is closed with Esc
//     memo                            print the chat input's text
//     search ROW FILE.bmp NAME        in the open preferences: "Найти…", NAME (UTF-8)
//                                     searched, a picture of the search window, the
//                                     0-based ROW chosen, OK; prints the places found
//     shot FILE.bmp                   save a picture of the screen around the window
//     loop                            hand over to the interactive message loop
// Texts are printed as UTF-8. With OW_TLS_DIR set, the test authority there
// is trusted first (in this Wine prefix only), for the sample server's HTTPS.
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "host_emulator.h"
#include "menu_driver.h"
#include "place_search_hand.h"
#include "test_authority.h"

namespace {

// A text from one code page into another, through UTF-16.
std::string Recode(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return {};
    const int wn = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wn), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), wn);
    const int n = WideCharToMultiByte(to, 0, wide.data(), wn, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wn, out.data(), n, nullptr, nullptr);
    return out;
}

std::string Utf8(const std::string& ansi) { return Recode(ansi, 1251, CP_UTF8); }

void PrintMenu(const host::SeenMenu& seen, int tag) {
    if (!seen.opened) {
        std::printf("menu: did not open\n");
        return;
    }
    std::string items;
    for (const auto& item : seen.items) {
        if (!items.empty()) items += " | ";
        items += item.separator ? "-" : Utf8(item.caption);
    }
    const std::string action = tag >= 0 ? "command " + std::to_string(tag) + " chosen" : std::string("closed with Esc");
    std::printf("menu: [%s], %s%s\n", items.c_str(), action.c_str(), seen.closed ? "" : ", but the menu did not close");
}

void PrintReply(const char* what, const std::optional<std::string>& reply) {
    std::printf("%s -> %s\n", what, reply ? ("reply of " + std::to_string(reply->size()) + " bytes").c_str() : "null");
}

std::string MemoText(HWND memo) {
    if (memo == nullptr) return {};
    const int n = GetWindowTextLengthA(memo);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    GetWindowTextA(memo, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

// Ticks of the host's own timer, counted by whichever loop dispatches them:
// the plug-in's, during a download.
int g_hostTicks = 0;
void CALLBACK CountHostTick(HWND, UINT, UINT_PTR, DWORD) { ++g_hostTicks; }

void Click(host::HostEmulator& emu, const std::string& which) {
    constexpr UINT kHostTimerMs = 100;
    const UINT_PTR timer = SetTimer(nullptr, 0, kHostTimerMs, &CountHostTick);
    g_hostTicks = 0;
    const DWORD start = GetTickCount();
    emu.ClickIcon(which == "right" ? 1 : 0);
    const DWORD took = GetTickCount() - start;
    KillTimer(nullptr, timer);
    std::printf("click %s: returned after %.1f s; the host's own %u ms timer ticked %d times meanwhile\n",
                which.c_str(), took / 1000.0, kHostTimerMs, g_hostTicks);
}

struct InternetCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using Internet = std::unique_ptr<void, InternetCloser>;

std::string HttpGet(const std::string& url) {
    const Internet internet(InternetOpenA("host_emulator", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!internet) return "(no connection)";
    const Internet request(InternetOpenUrlA(internet.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
    if (!request) return "(no answer)";
    std::string body;
    char buffer[1024];
    DWORD read = 0;
    while (InternetReadFile(request.get(), buffer, sizeof buffer, &read) && read > 0) body.append(buffer, read);
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.pop_back();
    return body;
}

int RunScript(host::HostEmulator& emu, std::istream& script) {
    std::string line;
    while (std::getline(script, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command.empty() || command[0] == '#') continue;
        if (command == "init") {
            PrintReply("PE_INITIALIZE", emu.Initialize());
        } else if (command == "prefs") {
            PrintReply("PE_PREFERENCES", emu.Preferences());
        } else if (command == "final") {
            PrintReply("PE_FINALIZE", emu.Finalize());
        } else if (command == "click") {
            std::string which;
            words >> which;
            Click(emu, which);
        } else if (command == "get") {
            std::string url;
            words >> url;
            std::printf("get %s: %s\n", url.c_str(), HttpGet(url).c_str());
        } else if (command == "pump") {
            DWORD ms = 0;
            words >> ms;
            emu.Pump(ms);
        } else if (command == "status") {
            for (int i = 0; i < host::EmulatorWindow::kSections; ++i)
                std::printf("status[%d] = \"%s\"\n", i, Utf8(emu.window().StatusText(i)).c_str());
        } else if (command == "frames") {
            int section = 2;
            DWORD ms = 0;
            words >> section >> ms;
            std::string last = emu.window().StatusText(section);
            std::printf("frame: \"%s\"\n", Utf8(last).c_str());
            const DWORD start = GetTickCount();
            DWORD lastChange = start;
            while (GetTickCount() - start < ms && GetTickCount() - lastChange < 4000) {
                emu.Pump(5);
                const std::string now = emu.window().StatusText(section);
                if (now != last) {
                    std::printf("frame: \"%s\"\n", Utf8(now).c_str());
                    lastChange = GetTickCount();
                }
                last = now;
            }
        } else if (command == "menu") {
            int tag = -1;
            words >> tag;
            // Menu items count from 1 and skip separators; tags count from 0.
            PrintMenu(host::UseIconMenu(emu, {host::MenuAction::KeyboardChoice, tag + 1}), tag);
        } else if (command == "memo") {
            std::printf("memo = \"%s\"\n", Utf8(MemoText(emu.window().panelMemo())).c_str());
        } else if (command == "search") {
            int row = -1;
            std::string picture, name;
            words >> row >> picture >> std::ws;
            std::getline(words, name);
            const host::PlaceSearchSeen seen = host::SearchForPlace(emu, Recode(name, CP_UTF8, 1251), row, picture);
            if (!seen.opened) std::printf("search: no search window\n");
            for (const std::string& found : seen.rows) std::printf("place: %s\n", Utf8(found).c_str());
            std::printf("search: \"%s\", picture %s, row %d chosen\n", Utf8(seen.status).c_str(),
                        seen.pictured ? "saved" : "failed", row);
        } else if (command == "shot") {
            std::string path;
            words >> path;
            std::printf("screenshot %s: %s\n", path.c_str(), emu.window().SaveScreenshot(path) ? "saved" : "failed");
        } else if (command == "loop") {
            return emu.RunMessageLoop();
        } else {
            std::printf("unknown command: %s\n", command.c_str());
            return 2;
        }
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool scripted = argc >= 3 && std::string(argv[1]) == "--script";
    // The sample server's HTTPS stands on the test authority (OW_TLS_DIR).
    const std::string authority = host::TestAuthorityFromEnvironment();
    if (!authority.empty() && !host::TrustTestAuthority(authority))
        std::printf("cannot trust the test authority %s\n", authority.c_str());
    host::WindowLayout layout;
    layout.withWorkbenchButtons = !scripted;
    host::HostEmulator emu(layout);
    if (!emu.plugin().loaded()) {
        std::printf("cannot load ostixWeather.dll (error %lu)\n", emu.plugin().loadError());
        return 1;
    }
    if (scripted) {
        std::ifstream script(argv[2]);
        if (!script) {
            std::printf("cannot read %s\n", argv[2]);
            return 2;
        }
        return RunScript(emu, script);
    }
    emu.window().onCommand = [&emu](int command) {
        if (command == 1) emu.Initialize();
        if (command == 2) emu.Preferences();
        if (command == 3) emu.Finalize();
        if (command == 4) emu.ClickIcon(1);
    };
    return emu.RunMessageLoop();
}
