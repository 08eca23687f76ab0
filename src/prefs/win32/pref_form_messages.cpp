// TfPref: the window messages of the form, its containers and its controls.
#include "prefs/win32/pref_form_impl.h"

#include <commctrl.h>

#include "common/win32/plugin_call.h"

namespace ow {

namespace {

constexpr int kPushButtons[] = {pref_id::bTest, pref_id::bOk, pref_id::bCancel, pref_id::bFindPlace};
constexpr DialogButtons kDialogButtons = {pref_id::bTest, pref_id::bCancel, kPushButtons,
                                          static_cast<int>(std::size(kPushButtons))};

// The group box frame starts half a text line down, where its caption
// would stand.
constexpr int kGroupFrameTop = 6;

void Attach(HWND window, LPARAM createStruct) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(createStruct);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

// The combo box itself or its drop-down list.
bool IsPartOfCombo(HWND combo, HWND window) {
    if (combo == nullptr || window == nullptr) return false;
    if (window == combo) return true;
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) && info.hwndList == window;
}

LRESULT Colours(WPARAM dc, int background) {
    SetTextColor(reinterpret_cast<HDC>(dc), GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(reinterpret_cast<HDC>(dc), GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void PaintGroupFrame(HWND group) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(group, &ps);
    RECT r = {};
    GetClientRect(group, &r);
    r.top += kGroupFrameTop;
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    EndPaint(group, &ps);
}

}  // namespace

LRESULT CALLBACK PrefForm::Impl::FormProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    const PluginCall call;
    if (msg == WM_NCCREATE) Attach(window, lp);
    Impl* self = From(window);
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (self == nullptr || msg == WM_NCDESTROY) return DefWindowProcA(window, msg, wp, lp);
    return self->FormMessage(window, msg, wp, lp);
}

LRESULT PrefForm::Impl::FormMessage(HWND form, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER:
            Fire(events.onTimer, static_cast<UINT_PTR>(wp));
            return 0;
        case WM_QUERYENDSESSION:
            Fire(events.onQueryEndSession);
            return 1;  // the plug-in never objects to log-off or shut-down
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) != SC_CLOSE) break;
            [[fallthrough]];
        case WM_CLOSE:
            // FormCloseQuery; the close goes on, and closing only hides.
            Fire(events.onCloseQuery);
            ShowWindow(form, SW_HIDE);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(form, focus)) savedFocus = focus;
            } else if (IsWindowVisible(form)) {
                RestoreFocus();
            }
            return 0;
        case WM_PAINT: {  // FormPaint
            const LRESULT result = DefWindowProcA(form, msg, wp, lp);
            PaintAbout();
            return result;
        }
        case WM_GETFONT:  // the font every control was given
            return reinterpret_cast<LRESULT>(font.get());
        case WM_KEYDOWN:
            if (HandleDialogKey(*this, kDialogButtons, form, wp)) return 0;
            break;
        case WM_CHAR:
            if (IsDialogKeyChar(form, wp)) return 0;
            break;
        default: {
            LRESULT result = 0;
            if (ControlMessage(msg, wp, lp, result)) return result;
            break;
        }
    }
    return DefWindowProcA(form, msg, wp, lp);
}

LRESULT CALLBACK PrefForm::Impl::ContainerProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    const PluginCall call;
    if (msg == WM_NCCREATE) Attach(window, lp);
    Impl* self = From(window);
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (self == nullptr || msg == WM_NCDESTROY) return DefWindowProcA(window, msg, wp, lp);
    switch (msg) {
        case WM_PAINT: {
            const int id = GetDlgCtrlID(window);
            if (id == pref_id::gbProxy) {
                PaintGroupFrame(window);
                return 0;
            }
            if (id == pref_id::tsAbout) {
                PAINTSTRUCT ps;
                BeginPaint(window, &ps);  // validates the page; the picture covers it whole
                EndPaint(window, &ps);
                self->PaintAbout();
                return 0;
            }
            break;
        }
        case WM_KEYDOWN:
            if (HandleDialogKey(*self, kDialogButtons, window, wp)) return 0;
            break;
        case WM_CHAR:
            if (IsDialogKeyChar(window, wp)) return 0;
            break;
        default: {
            LRESULT result = 0;
            if (self->ControlMessage(msg, wp, lp, result)) return result;
            break;
        }
    }
    return DefWindowProcA(window, msg, wp, lp);
}

PrefForm::Impl* PrefForm::Impl::From(HWND window) {
    return reinterpret_cast<Impl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool PrefForm::Impl::ControlMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            if (lp == 0) return false;  // menus and accelerators: none here
            Command(LOWORD(wp), HIWORD(wp));
            result = 0;
            return true;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (header == nullptr || header->hwndFrom != Item(pref_id::pcPages) || header->code != TCN_SELCHANGE) {
                return false;
            }
            const int index = static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0));
            if (index >= 0 && index < kPageCount) ShowPage(index);
            result = 0;
            return true;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            // cbPeriod keeps the button face, its list included.
            if (!IsPartOfCombo(Item(pref_id::cbPeriod), reinterpret_cast<HWND>(lp))) return false;
            result = Colours(wp, COLOR_BTNFACE);
            return true;
        case WM_CTLCOLORSTATIC: {
            // Read-only text boxes still look like text boxes.
            HWND control = reinterpret_cast<HWND>(lp);
            if (control != Item(pref_id::eTest) && control != Item(pref_id::sebarSection)) return false;
            result = Colours(wp, COLOR_WINDOW);
            return true;
        }
        default:
            return false;
    }
}

void PrefForm::Impl::Command(int id, int code) {
    switch (id) {
        case pref_id::bTest:
        case pref_id::bOk:
        case pref_id::bCancel:
        case pref_id::bFindPlace:
            if (code == BN_CLICKED) PressButton(id);
            break;
        case pref_id::cbResource:
            if (code == CBN_SELCHANGE) Fire(events.onResourceChange);
            break;
        default:
            break;
    }
}

void PrefForm::Impl::PressButton(int id) {
    switch (id) {
        case pref_id::bTest:
            Fire(events.onTest);
            break;
        case pref_id::bOk:
            Fire(events.onOk);
            break;
        case pref_id::bCancel:
            Fire(events.onCancel);
            break;
        case pref_id::bFindPlace:
            Fire(events.onFindPlace);
            break;
        default:
            break;
    }
}

bool PrefForm::Impl::BeforeControl(HWND control, UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    result = 0;
    if (msg == WM_KEYDOWN) return HandleDialogKey(*this, kDialogButtons, control, wp);
    if (msg == WM_CHAR) return IsDialogKeyChar(control, wp);
    return false;
}

void PrefForm::Impl::AfterControl(HWND control, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) {
        VisibilityAfterMouseUp(GetDlgCtrlID(control));
    }
}

void PrefForm::Impl::VisibilityAfterMouseUp(int controlId) {
    switch (controlId) {
        case pref_id::cbScroll:
        case pref_id::cbBarRefresh:  // cbScrollMouseUp serves both
            SetPartShown(PrefPart::tbScrSpeed, Ticked(pref_id::cbScroll));
            break;
        case pref_id::cbUseProxy:  // cbUseProxyMouseUp
            SetPartShown(PrefPart::gbProxy, Ticked(pref_id::cbUseProxy));
            break;
        case pref_id::cbProxyAuth:  // cbProxyAuthMouseUp
            SetPartShown(PrefPart::ProxyLoginFields, Ticked(pref_id::cbProxyAuth));
            break;
        default:
            break;
    }
}

}  // namespace ow
