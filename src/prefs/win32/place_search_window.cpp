#include "prefs/win32/place_search_window.h"

#include <iterator>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "common/found_place.h"
#include "common/win32/plugin_call.h"
#include "common/win32/window_text.h"
#include "prefs/core/pref_controls.h"
#include "prefs/win32/pref_font.h"

namespace ow {

namespace {

constexpr auto kCaption = Cp1251(u8"Поиск места");
constexpr auto kNameLabel = Cp1251(u8"Название места:");
constexpr auto kSearchButton = Cp1251(u8"Найти");
constexpr auto kChooseButton = Cp1251(u8"Выбрать");
constexpr auto kCloseButton = Cp1251(u8"Закрыть");

using namespace place_search_id;

struct ControlSpec {
    int id;
    const char* className;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;
    const char* text;  // zero-terminated
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kStop = kChild | WS_TABSTOP;
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 262;

// In Tab order.
// The texts' byte arrays end in zeros (Cp1251Text), so they go to the A
// functions as they are.
const ControlSpec kControls[] = {
    {kLabel, "STATIC", kChild | SS_LEFT | SS_NOPREFIX, 0, 8, 9, 344, 13, kNameLabel.bytes},
    {kNameBox, "EDIT", kStop | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 8, 25, 263, 21, ""},
    {kSearch, "BUTTON", kStop | BS_DEFPUSHBUTTON, 0, 277, 24, 75, 23, kSearchButton.bytes},
    {kList, "LISTBOX", kStop | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 8, 54,
     344, 140, ""},
    {kStatus, "STATIC", kChild | SS_LEFT | SS_NOPREFIX, 0, 8, 200, 344, 26, ""},
    {kChoose, "BUTTON", kStop | BS_PUSHBUTTON, 0, 196, 230, 75, 25, kChooseButton.bytes},
    {kClose, "BUTTON", kStop | BS_PUSHBUTTON, 0, 277, 230, 75, 25, kCloseButton.bytes},
};

constexpr int kPushButtons[] = {kSearch, kChoose, kClose};
constexpr DialogButtons kDialogButtons = {kSearch, kClose, kPushButtons, static_cast<int>(std::size(kPushButtons))};

constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME;

}  // namespace

PlaceSearchWindow::PlaceSearchWindow(HINSTANCE module, HWND owner, PlaceSearchEvents events)
    : module_(module), owner_(owner), events_(std::move(events)) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = module_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kPlaceSearchClass;
    RegisterClassA(&wc);  // already registered by an earlier form: fine

    font_ = CreateFormFont(kFormFontPoints, false);
    RECT r = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, kWindowStyle, FALSE, kWindowExStyle);
    window_.reset(CreateWindowExA(kWindowExStyle, kPlaceSearchClass, kCaption.bytes, kWindowStyle, 0, 0,
                                  r.right - r.left, r.bottom - r.top, owner_, nullptr, module_, this));
    if (!window_) return;
    for (const ControlSpec& spec : kControls) {
        HWND control = CreateWindowExA(spec.exStyle, spec.className, spec.text, spec.style, spec.left, spec.top,
                                       spec.width, spec.height, window_.get(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), module_, nullptr);
        if (control == nullptr) continue;
        controls_[spec.id] = control;
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (spec.style & WS_TABSTOP) subclasses_.Attach(control, *this);
    }
    // Longer names are cut by the search anyway.
    SendMessageA(Item(kNameBox), EM_LIMITTEXT, kPlaceNameLongest, 0);
}

void PlaceSearchWindow::DestroyNow() {
    if (destroyed_) return;
    destroyed_ = true;
    window_.reset();
    for (HWND& control : controls_) control = nullptr;
    font_.reset();
    // Fails, harmlessly, while another form still has a window of it.
    UnregisterClassA(kPlaceSearchClass, module_);
}

// Nothing thrown may cross a window procedure back into the system.
void PlaceSearchWindow::Fire(PlaceSearchAction action) const {
    if (!events_) return;
    try {
        events_(action);
    } catch (...) {
    }
}

LRESULT CALLBACK PlaceSearchWindow::Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    const PluginCall call;
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PlaceSearchWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (self == nullptr || msg == WM_NCDESTROY) return DefWindowProcA(window, msg, wp, lp);
    return self->Message(window, msg, wp, lp);
}

LRESULT PlaceSearchWindow::Message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            const int code = HIWORD(wp);
            if (lp == 0) break;
            if (code == BN_CLICKED) PressButton(id);
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

bool PlaceSearchWindow::BeforeControl(HWND control, UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    result = 0;
    if (msg == WM_KEYDOWN && wp == VK_RETURN && control == Item(kList)) {
        PressButton(kChoose);
        return true;
    }
    if (msg == WM_KEYDOWN) return HandleDialogKey(*this, kDialogButtons, control, wp);
    if (msg == WM_CHAR) return IsDialogKeyChar(control, wp);
    return false;
}

std::vector<HWND> PlaceSearchWindow::TabStops() const {
    std::vector<HWND> stops;
    for (const ControlSpec& spec : kControls) {
        HWND control = Item(spec.id);
        if ((spec.style & WS_TABSTOP) && control != nullptr && IsWindowEnabled(control)) stops.push_back(control);
    }
    return stops;
}

void PlaceSearchWindow::PressButton(int id) {
    switch (id) {
        case kSearch: return Fire(PlaceSearchAction::kSearch);
        case kChoose: return Fire(PlaceSearchAction::kChoose);
        case kClose: return Fire(PlaceSearchAction::kClose);
        default: return;
    }
}

void PlaceSearchWindow::Open() {
    HWND window = window_.get();
    if (window == nullptr) return;
    if (!IsWindowVisible(window)) {
        // Over the preferences, a little down and to the right.
        RECT owner = {};
        GetWindowRect(owner_, &owner);
        SetWindowPos(window, nullptr, owner.left + 24, owner.top + 48, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    FocusTabStop(Item(kNameBox));
}

void PlaceSearchWindow::Close() {
    if (window_) ShowWindow(window_.get(), SW_HIDE);
}

std::string PlaceSearchWindow::QueryText() const { return ReadWindowText(Item(kNameBox)); }

void PlaceSearchWindow::SetStatus(std::string_view text) { SetWindowTextA(Item(kStatus), std::string(text).c_str()); }

void PlaceSearchWindow::SetRows(const StringList& rows) {
    HWND list = Item(kList);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& row : rows) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    if (!rows.empty()) SendMessageA(list, LB_SETCURSEL, 0, 0);
}

int PlaceSearchWindow::SelectedRow() const {
    const LRESULT row = SendMessageA(Item(kList), LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? kNoItem : static_cast<int>(row);
}

}  // namespace ow
