#include "emulator_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "plugin_library.h"
#include "window_picture.h"

namespace host {

namespace {

constexpr char kMainClass[] = "TOstixMainForm";
constexpr char kStripClass[] = "TOstixIconStrip";
constexpr int kStripHeight = 24;
constexpr int kIconCell = 22;
constexpr char kOwnerProperty[] = "OstixEmulatorWindow";

// Registers `name` as a copy of an existing class, so the child behaves
// exactly like the real control while bearing the messenger's class name.
void RegisterSuperclass(HINSTANCE instance, const char* base, const char* name) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(nullptr, base, &wc)) return;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

void RegisterPlain(HINSTANCE instance, const char* name, WNDPROC proc) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

void RegisterClasses(HINSTANCE instance, WNDPROC mainProc, WNDPROC stripProc) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterSuperclass(instance, STATUSCLASSNAMEA, "TStatusBar");
    RegisterSuperclass(instance, WC_TABCONTROLA, "TPageControl");
    RegisterSuperclass(instance, "EDIT", "TMemo");
    RegisterPlain(instance, "TTabSheet", DefWindowProcA);
    RegisterPlain(instance, "TPanel", DefWindowProcA);
    RegisterPlain(instance, kMainClass, mainProc);
    RegisterPlain(instance, kStripClass, stripProc);
}

HWND Child(const char* cls, const char* text, DWORD style, HWND parent, HINSTANCE instance, int id = 0) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

HWND Memo(HWND parent, HINSTANCE instance) {
    return CreateWindowExA(WS_EX_CLIENTEDGE, "TMemo", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL |
                                                           WS_VSCROLL | ES_WANTRETURN,
                           0, 0, 10, 10, parent, nullptr, instance, nullptr);
}

}  // namespace

EmulatorWindow::EmulatorWindow(HINSTANCE instance, HostContract& contract, WindowLayout layout)
    : instance_(instance), contract_(contract) {
    RegisterClasses(instance, &EmulatorWindow::MainProc, &EmulatorWindow::StripProc);
    main_ = CreateWindowExA(0, kMainClass, "Ostix (host emulator)", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                            640, 420, nullptr, nullptr, instance, this);
    if (layout.withWorkbenchButtons) {
        const char* captions[] = {"Initialize", "Preferences", "Finalize", "About"};
        for (int i = 0; i < 4; ++i) Child("BUTTON", captions[i], BS_PUSHBUTTON, main_, instance, i + 1);
    }
    iconStrip_ = Child(kStripClass, "", 0, main_, instance);
    SetWindowLongPtrA(iconStrip_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (layout.withPageControl) {
        pageControl_ = Child("TPageControl", "", WS_CLIPCHILDREN, main_, instance);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("Chat");
        SendMessageA(pageControl_, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        tabSheet_ = Child("TTabSheet", "", WS_CLIPCHILDREN, pageControl_, instance);
        if (layout.memoDirectlyOnSheet) sheetMemo_ = Memo(tabSheet_, instance);
        panel_ = Child("TPanel", "", WS_CLIPCHILDREN, tabSheet_, instance);
        if (layout.withMemo) panelMemo_ = Memo(panel_, instance);
    }
    statusBar_ = Child("TStatusBar", "", SBARS_SIZEGRIP, main_, instance);
    // Watched, not changed: every message still reaches the bar's own procedure.
    SetPropA(statusBar_, kOwnerProperty, this);
    statusBarBaseProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(statusBar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EmulatorWindow::StatusBarProc)));
    int parts[kSections] = {90, 180, 520, 580, -1};
    SendMessageA(statusBar_, SB_SETPARTS, kSections, reinterpret_cast<LPARAM>(parts));
    contract_.mainWindow = main_;
    Layout();
    if (layout.visible) {
        ShowWindow(main_, SW_SHOWNORMAL);
        UpdateWindow(main_);
    }
}

EmulatorWindow::~EmulatorWindow() {
    if (contract_.mainWindow == main_) contract_.mainWindow = nullptr;
    if (IsWindow(main_)) DestroyWindow(main_);
}

std::string EmulatorWindow::StatusText(int section) const {
    const LRESULT info = SendMessageA(statusBar_, SB_GETTEXTLENGTHA, section, 0);
    // SB_GETTEXTA copies the whole text, whose length SB_GETTEXTLENGTHA gives
    // modulo 65536 only.
    const std::size_t longest = longestWrite_[static_cast<unsigned char>(section)];
    std::vector<char> buffer(std::max<std::size_t>(LOWORD(info), longest) + 1, '\0');
    SendMessageA(statusBar_, SB_GETTEXTA, section, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data());
}

void EmulatorWindow::SetStatusText(int section, const std::string& text) {
    SendMessageA(statusBar_, SB_SETTEXTA, section, reinterpret_cast<LPARAM>(text.c_str()));
}

void EmulatorWindow::Layout() {
    RECT rc;
    GetClientRect(main_, &rc);
    SendMessageA(statusBar_, WM_SIZE, 0, 0);
    RECT bar = {};
    GetWindowRect(statusBar_, &bar);
    const int barHeight = bar.bottom - bar.top;
    int top = 4;
    for (int id = 1; id <= 4; ++id) {
        if (HWND b = GetDlgItem(main_, id)) MoveWindow(b, 4 + (id - 1) * 96, top, 92, 24, TRUE);
    }
    if (GetDlgItem(main_, 1) != nullptr) top += 28;
    MoveWindow(iconStrip_, 4, top, rc.right - 8, kStripHeight, TRUE);
    top += kStripHeight + 4;
    if (pageControl_ != nullptr) {
        MoveWindow(pageControl_, 4, top, rc.right - 8, rc.bottom - barHeight - top - 4, TRUE);
        RECT page;
        GetClientRect(pageControl_, &page);
        SendMessageA(pageControl_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
        MoveWindow(tabSheet_, page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
        const int w = page.right - page.left, h = page.bottom - page.top;
        if (sheetMemo_ != nullptr) MoveWindow(sheetMemo_, 4, 4, w - 8, h / 2 - 8, TRUE);
        const int panelTop = sheetMemo_ != nullptr ? h / 2 : 4;
        MoveWindow(panel_, 4, panelTop, w - 8, h - panelTop - 4, TRUE);
        if (panelMemo_ != nullptr) MoveWindow(panelMemo_, 4, 4, w - 16, h - panelTop - 12, TRUE);
    }
}

void EmulatorWindow::PaintStrip(HDC dc) {
    RECT rc;
    GetClientRect(iconStrip_, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    int x = 2;
    SetBkMode(dc, TRANSPARENT);
    std::string hints;
    for (const auto& icon : contract_.icons()) {
        DrawIconEx(dc, x + 3, 4, icon.icon, 16, 16, 0, nullptr, DI_NORMAL);
        x += kIconCell;
        hints = icon.hint;
    }
    if (!hints.empty()) TextOutA(dc, x + 8, 5, hints.c_str(), static_cast<int>(hints.size()));
}

void EmulatorWindow::StripClick(int x, int button) {
    const int index = (x - 2) / kIconCell;
    const auto& icons = contract_.icons();
    if (index < 0 || index >= static_cast<int>(icons.size())) return;
    const RegisteredIcon icon = icons[static_cast<std::size_t>(index)];
    if (onIconClick) {
        onIconClick(icon, button);
    } else {
        CallWithEax(icon.callback, button, button == 0 ? 2 : 0);
    }
}

LRESULT CALLBACK EmulatorWindow::MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
    }
    auto* self = reinterpret_cast<EmulatorWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_SIZE:
            if (self != nullptr && self->statusBar_ != nullptr) self->Layout();
            return 0;
        case WM_COMMAND:
            if (self != nullptr && self->onCommand && HIWORD(wp) == BN_CLICKED) self->onCommand(LOWORD(wp));
            return 0;
        case WM_PAINT:
            if (self != nullptr && self->iconStrip_ != nullptr) InvalidateRect(self->iconStrip_, nullptr, TRUE);
            break;
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK EmulatorWindow::StripProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<EmulatorWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self != nullptr) {
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            self->PaintStrip(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        if (msg == WM_LBUTTONUP) {
            self->StripClick(static_cast<short>(LOWORD(lp)), 0);
            return 0;
        }
        if (msg == WM_RBUTTONUP) {
            self->StripClick(static_cast<short>(LOWORD(lp)), 1);
            return 0;
        }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK EmulatorWindow::StatusBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<EmulatorWindow*>(GetPropA(hwnd, kOwnerProperty));
    if (self == nullptr) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == SB_SETTEXTA) {
        const char* text = reinterpret_cast<const char*>(lp);
        const int section = LOBYTE(LOWORD(wp));
        std::size_t& longest = self->longestWrite_[section];
        longest = std::max(longest, text != nullptr ? std::strlen(text) : 0);
        if (self->recordStatusWrites_) self->statusWrites_.push_back({section, text != nullptr ? text : ""});
    }
    const WNDPROC base = self->statusBarBaseProc_;
    if (msg == WM_NCDESTROY) RemovePropA(hwnd, kOwnerProperty);
    return CallWindowProcA(base, hwnd, msg, wp, lp);
}

bool EmulatorWindow::SaveScreenshot(const std::string& path) const { return SaveWindowPicture(main_, path); }

}  // namespace host
