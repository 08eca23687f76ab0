#include "menu_driver.h"

#include "host_emulator.h"

namespace host {

namespace {

constexpr DWORD kPollMs = 10;
constexpr DWORD kSettleMs = 200;
constexpr char kMenuClass[] = "#32768";

// Polls `found` every few milliseconds until it holds or the time is up.
template <class Pred>
bool WaitFor(Pred found, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!found()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

void PostKey(HWND window, WPARAM key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(window, WM_KEYDOWN, key, scan | 1);
    PostMessageA(window, WM_KEYUP, key, scan | 1 | (1L << 30) | (1L << 31));
}

// Every event carries its point: a motion the clicking thread still has to
// process from an earlier cursor move cannot put the click elsewhere.
// (SetCursorPos from this thread does not move the X pointer under Wine.)
void LeftClickAt(POINT at) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT events[3] = {};
    const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; ++i) {
        events[i].type = INPUT_MOUSE;
        events[i].mi.dx = MulDiv(at.x, 65535, width - 1);
        events[i].mi.dy = MulDiv(at.y, 65535, height - 1);
        events[i].mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    // Let the menu's thread take in the pointer moves that came before.
    Sleep(kSettleMs);
    SendInput(3, events, sizeof(INPUT));
}

std::vector<SeenMenuItem> ReadItems(HMENU menu) {
    std::vector<SeenMenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        char caption[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = sizeof caption - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &info)) continue;
        SeenMenuItem item;
        item.id = info.wID;
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        if (!item.separator) item.caption = caption;
        items.push_back(item);
    }
    return items;
}

// Position of the n-th (1-based) item that is not a separator, or -1.
int CommandPosition(const std::vector<SeenMenuItem>& items, int n) {
    int commands = 0;
    for (std::size_t pos = 0; pos < items.size(); ++pos) {
        if (!items[pos].separator && ++commands == n) return static_cast<int>(pos);
    }
    return -1;
}

}  // namespace

HWND FindMenuWindow(DWORD thread) {
    for (HWND w = FindWindowExA(nullptr, nullptr, kMenuClass, nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, kMenuClass, nullptr)) {
        if (GetWindowThreadProcessId(w, nullptr) == thread && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

MenuDriver::MenuDriver(DWORD uiThread, MenuRequest request) : uiThread_(uiThread), request_(request) {
    thread_ = CreateThread(nullptr, 0, &MenuDriver::Run, this, 0, nullptr);
}

MenuDriver::~MenuDriver() { Finish(); }

SeenMenu MenuDriver::Finish() {
    if (thread_ != nullptr) {
        // The driver's own waits are bounded; this only guards against a hang.
        WaitForSingleObject(thread_, 3 * request_.timeoutMs + 1000);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return seen_;
}

DWORD WINAPI MenuDriver::Run(LPVOID self) {
    static_cast<MenuDriver*>(self)->Drive();
    return 0;
}

void MenuDriver::Drive() {
    HWND menuWindow = nullptr;
    if (!WaitFor([&] { return (menuWindow = FindMenuWindow(uiThread_)) != nullptr; }, request_.timeoutMs)) return;
    seen_.opened = true;
    GetWindowRect(menuWindow, &seen_.window);
    GetCursorPos(&seen_.cursor);
    DWORD_PTR menu = 0;
    // Not SMTO_ABORTIFHUNG: a thread busy for seconds before the menu opened
    // counts as hung although its menu loop now answers.
    if (SendMessageTimeoutA(menuWindow, MN_GETHMENU, 0, 0, SMTO_NORMAL, request_.timeoutMs, &menu)) {
        seen_.items = ReadItems(reinterpret_cast<HMENU>(menu));
    }

    const int position = CommandPosition(seen_.items, request_.commandItem);
    switch (request_.action) {
        case MenuAction::KeyboardChoice:
            if (request_.commandItem < 1) {
                PostKey(menuWindow, VK_ESCAPE);
                break;
            }
            PostKey(menuWindow, VK_HOME);  // the first item, whatever the mouse hovers
            for (int i = 1; i < request_.commandItem; ++i) PostKey(menuWindow, VK_DOWN);
            PostKey(menuWindow, VK_RETURN);
            break;
        case MenuAction::MouseChoice: {
            RECT item = {};
            if (position < 0 || !GetMenuItemRect(menuWindow, reinterpret_cast<HMENU>(menu),
                                                 static_cast<UINT>(position), &item)) {
                PostKey(menuWindow, VK_ESCAPE);
                break;
            }
            LeftClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
            break;
        }
        case MenuAction::Escape:
            PostKey(menuWindow, VK_ESCAPE);
            break;
        case MenuAction::ClickElsewhere:
            LeftClickAt(request_.elsewhere);
            break;
    }

    seen_.closed = WaitFor([&] { return FindMenuWindow(uiThread_) == nullptr; }, request_.timeoutMs);
    if (!seen_.closed) {
        // Release the clicking thread anyway; the record says it did not close.
        for (int i = 0; i < 3; ++i) {
            HWND still = FindMenuWindow(uiThread_);
            if (still == nullptr) break;
            PostKey(still, VK_ESCAPE);
            Sleep(200);
        }
    }
}

SeenMenu UseIconMenu(HostEmulator& emu, MenuRequest request) {
    MenuDriver driver(GetCurrentThreadId(), request);
    emu.ClickIcon(1);
    return driver.Finish();
}

}  // namespace host
