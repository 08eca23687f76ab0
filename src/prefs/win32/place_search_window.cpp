#include "prefs/win32/place_search_window.h"

#include <iterator>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "common/win32/plugin_call.h"
#include "common/win32/unique_handle.h"
#include "common/win32/window_text.h"
#include "prefs/core/pref_controls.h"
#include "prefs/win32/control_subclass.h"
#include "prefs/win32/dialog_keys.h"
#include "prefs/win32/pref_font.h"

namespace ow {

namespace {

constexpr auto kCaption = Cp1251(u8"Поиск места");
constexpr auto kNameLabel = Cp1251(u8"Название города, посёлка или деревни:");
constexpr auto kSearchButton = Cp1251(u8"Найти");
constexpr auto kChooseButton = Cp1251(u8"Выбрать");
constexpr auto kCloseButton = Cp1251(u8"Закрыть");
// Longer names are cut by the search anyway.
constexpr int kNameBoxLimit = 100;

using namespace place_search_id;

struct ControlSpec {
    int id;
    const char* className;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;
    std::string_view text;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kStop = kChild | WS_TABSTOP;
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 262;

// In Tab order.
const ControlSpec kControls[] = {
    {kLabel, "STATIC", kChild | SS_LEFT | SS_NOPREFIX, 0, 8, 9, 344, 13, kNameLabel},
    {kNameBox, "EDIT", kStop | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 8, 25, 263, 21, {}},
    {kSearch, "BUTTON", kStop | BS_DEFPUSHBUTTON, 0, 277, 24, 75, 23, kSearchButton},
    {kList, "LISTBOX", kStop | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 8, 54,
     344, 140, {}},
    {kStatus, "STATIC", kChild | SS_LEFT | SS_NOPREFIX, 0, 8, 200, 344, 26, {}},
    {kChoose, "BUTTON", kStop | BS_PUSHBUTTON, 0, 196, 230, 75, 25, kChooseButton},
    {kClose, "BUTTON", kStop | BS_PUSHBUTTON, 0, 277, 230, 75, 25, kCloseButton},
};

constexpr int kPushButtons[] = {kSearch, kChoose, kClose};
constexpr DialogButtons kDialogButtons = {kSearch, kClose, kPushButtons, static_cast<int>(std::size(kPushButtons))};

constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME;

}  // namespace

struct PlaceSearchWindow::Impl final : ControlHook, DialogKeyTarget {
    HINSTANCE module = nullptr;
    HWND owner = nullptr;
    PlaceSearchEvents events;
    UniqueGdiObject font;
    ControlSubclasses subclasses;
    UniqueWindow window;  // destroyed before the subclass records
    bool destroyed = false;

    HWND controls[kClose + 1] = {};  // by id

    HWND Item(int id) const { return id > 0 && id <= kClose ? controls[id] : nullptr; }

    void Create();
    void Destroy();

    // Nothing thrown may cross a window procedure back into the system.
    static void Fire(const std::function<void()>& handler) {
        if (!handler) return;
        try {
            handler();
        } catch (...) {
        }
    }

    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Message(HWND window, UINT msg, WPARAM wp, LPARAM lp);

    // ControlHook
    bool BeforeControl(HWND control, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void AfterControl(HWND, UINT, WPARAM, LPARAM) override {}

    // DialogKeyTarget
    std::vector<HWND> TabStops() const override;
    void PressButton(int id) override;
    void StepPage(int) override {}
};

void PlaceSearchWindow::Impl::Create() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = module;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kPlaceSearchClass;
    RegisterClassA(&wc);  // already registered by an earlier form: fine

    font = CreateFormFont(kFormFontPoints, false);
    RECT r = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, kWindowStyle, FALSE, kWindowExStyle);
    window.reset(CreateWindowExA(kWindowExStyle, kPlaceSearchClass, kCaption.str().c_str(), kWindowStyle, 0, 0,
                                 r.right - r.left, r.bottom - r.top, owner, nullptr, module, this));
    if (!window) return;
    for (const ControlSpec& spec : kControls) {
        HWND control = CreateWindowExA(spec.exStyle, spec.className, std::string(spec.text).c_str(), spec.style,
                                       spec.left, spec.top, spec.width, spec.height, window.get(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), module, nullptr);
        if (control == nullptr) continue;
        controls[spec.id] = control;
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        if (spec.style & WS_TABSTOP) subclasses.Attach(control, *this);
    }
    SendMessageA(Item(kNameBox), EM_LIMITTEXT, kNameBoxLimit, 0);
}

void PlaceSearchWindow::Impl::Destroy() {
    if (destroyed) return;
    destroyed = true;
    window.reset();
    for (HWND& control : controls) control = nullptr;
    font.reset();
    // Fails, harmlessly, while another form still has a window of it.
    UnregisterClassA(kPlaceSearchClass, module);
}

LRESULT CALLBACK PlaceSearchWindow::Impl::Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    const PluginCall call;
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Impl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (self == nullptr || msg == WM_NCDESTROY) return DefWindowProcA(window, msg, wp, lp);
    return self->Message(window, msg, wp, lp);
}

LRESULT PlaceSearchWindow::Impl::Message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            const int code = HIWORD(wp);
            if (lp == 0) break;
            if (code == BN_CLICKED && (id == kSearch || id == kChoose || id == kClose)) PressButton(id);
            if (id == kList && code == LBN_DBLCLK) PressButton(kChoose);
            return 0;
        }
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) != SC_CLOSE) break;
            [[fallthrough]];
        case WM_CLOSE:
            PressButton(kClose);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && GetFocus() == nullptr) SetFocus(Item(kNameBox));
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

bool PlaceSearchWindow::Impl::BeforeControl(HWND control, UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    result = 0;
    if (msg == WM_KEYDOWN && wp == VK_RETURN && control == Item(kList)) {
        PressButton(kChoose);
        return true;
    }
    if (msg == WM_KEYDOWN) return HandleDialogKey(*this, kDialogButtons, control, wp);
    if (msg == WM_CHAR) return IsDialogKeyChar(control, wp);
    return false;
}

std::vector<HWND> PlaceSearchWindow::Impl::TabStops() const {
    std::vector<HWND> stops;
    for (const ControlSpec& spec : kControls) {
        HWND control = Item(spec.id);
        if ((spec.style & WS_TABSTOP) && control != nullptr && IsWindowEnabled(control)) stops.push_back(control);
    }
    return stops;
}

void PlaceSearchWindow::Impl::PressButton(int id) {
    switch (id) {
        case kSearch: return Fire(events.onSearch);
        case kChoose: return Fire(events.onChoose);
        case kClose: return Fire(events.onClose);
        default: return;
    }
}

PlaceSearchWindow::PlaceSearchWindow(HINSTANCE module, HWND owner, PlaceSearchEvents events)
    : impl_(std::make_unique<Impl>()) {
    impl_->module = module;
    impl_->owner = owner;
    impl_->events = std::move(events);
    impl_->Create();
}

PlaceSearchWindow::~PlaceSearchWindow() { impl_->Destroy(); }

HWND PlaceSearchWindow::window() const { return impl_->window.get(); }

void PlaceSearchWindow::DestroyNow() { impl_->Destroy(); }

void PlaceSearchWindow::Open() {
    HWND window = this->window();
    if (window == nullptr) return;
    if (!IsWindowVisible(window)) {
        // Over the preferences, a little down and to the right.
        RECT owner = {};
        GetWindowRect(impl_->owner, &owner);
        SetWindowPos(window, nullptr, owner.left + 24, owner.top + 48, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    FocusTabStop(impl_->Item(kNameBox));
}

void PlaceSearchWindow::Close() {
    if (window() != nullptr) ShowWindow(window(), SW_HIDE);
}

std::string PlaceSearchWindow::QueryText() const { return ReadWindowText(impl_->Item(kNameBox)); }

void PlaceSearchWindow::SetStatus(std::string_view text) {
    SetWindowTextA(impl_->Item(kStatus), std::string(text).c_str());
}

void PlaceSearchWindow::SetRows(const StringList& rows) {
    HWND list = impl_->Item(kList);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    int widest = 0;
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, impl_->font.get());
    for (const std::string& row : rows) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        SIZE size = {};
        GetTextExtentPoint32A(dc, row.data(), static_cast<int>(row.size()), &size);
        if (size.cx > widest) widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    // A row wider than the list can be scrolled to.
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 4), 0);
    if (!rows.empty()) SendMessageA(list, LB_SETCURSEL, 0, 0);
}

int PlaceSearchWindow::SelectedRow() const {
    const LRESULT row = SendMessageA(impl_->Item(kList), LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? kNoItem : static_cast<int>(row);
}

}  // namespace ow
