#include "prefs/win32/pref_form.h"

namespace ow {

namespace {
constexpr char kFormClass[] = "TfPref";
constexpr char kFormCaption[] = "Weather Plugin for Ostix";
}  // namespace

PrefForm::PrefForm(HINSTANCE module, PrefFormEvents events) : module_(module), events_(std::move(events)) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &PrefForm::WindowProc;
    wc.hInstance = module_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    RegisterClassA(&wc);  // fails harmlessly when already registered
    window_.reset(CreateWindowExA(WS_EX_DLGMODALFRAME, kFormClass, kFormCaption, WS_POPUP | WS_CAPTION,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 336, 308, nullptr, nullptr, module_, this));
}

PrefForm::~PrefForm() {
    window_.reset();
    UnregisterClassA(kFormClass, module_);
}

void PrefForm::Show() {
    ShowWindow(window_.get(), SW_SHOW);
    SetForegroundWindow(window_.get());
}

void PrefForm::Hide() { ShowWindow(window_.get(), SW_HIDE); }

bool PrefForm::Visible() const { return IsWindowVisible(window_.get()) != FALSE; }

void PrefForm::SelectPage(int) {}

LRESULT CALLBACK PrefForm::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PrefForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr || msg == WM_NCDESTROY) {
        if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    try {
        return self->Handle(hwnd, msg, wp, lp);
    } catch (...) {
        return 0;  // nothing may escape into the host's message loop
    }
}

LRESULT PrefForm::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER:
            if (events_.onTimer) events_.onTimer(wp);
            return 0;
        case WM_QUERYENDSESSION:
            if (events_.onQueryEndSession) events_.onQueryEndSession();
            return 1;
        case WM_CLOSE:
            Hide();
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

}  // namespace ow
