#include "prefs/win32/pref_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "common/timer_rules.h"
#include "prefs/core/settings_keys.h"
#include "prefs/win32/pref_control_ids.h"
#include "prefs/win32/pref_texts.h"

namespace ow {

namespace {

using namespace pref_id;
namespace t = pref_text;

constexpr std::array<std::string_view, 4> kPeriodItems = {t::kPeriodHalfHour.view(), t::kPeriodHour.view(),
                                                          t::kPeriod6Hours.view(), t::kPeriod12Hours.view()};

// Item index = row of the period table.
static_assert(kPeriodItems.size() == PeriodTable.size());

using K = PrefKind;
constexpr PrefControlSpec kLayout[] = {
    // The form.
    {.id = pcPages, .kind = K::TabControl, .left = 9, .top = 7, .width = 315, .height = 232, .tab = 0},
    {.id = tsOptions, .parent = pcPages, .kind = K::Page, .text = t::kOptionsPage},
    {.id = TabSheet1, .parent = pcPages, .kind = K::Page, .text = t::kConnectionPage, .shown = false},
    {.id = tsAbout, .parent = pcPages, .kind = K::Page, .text = t::kAboutPage, .shown = false},
    {.id = bCancel, .kind = K::PushButton, .left = 169, .top = 246, .width = 75, .height = 25, .text = t::kCancel,
     .tab = 1},
    {.id = bOk, .kind = K::PushButton, .left = 249, .top = 246, .width = 75, .height = 25, .text = t::kOk, .tab = 2},
    {.id = cbOldStyle, .kind = K::CheckBox, .left = 22, .top = 249, .width = 140, .height = 17,
     .text = t::kOldStyle, .tab = 3, .shown = false},

    // Page "Настройка".
    {.id = Label5, .parent = tsOptions, .left = 9, .top = 10, .width = 48, .height = 13, .text = t::kSource},
    {.id = cbResource, .parent = tsOptions, .kind = K::DropDownList, .left = 65, .top = 8, .width = 192,
     .height = 21, .tab = 6, .sourceItems = true, .selected = 0},
    {.id = Label1, .parent = tsOptions, .left = 10, .top = 42, .width = 30, .height = 13, .text = t::kTown},
    {.id = cbTowns, .parent = tsOptions, .kind = K::DropDownCombo, .left = 64, .top = 39, .width = 193,
     .height = 21, .tab = 2},
    // Shown only for a source with a place search.
    {.id = bFindPlace, .parent = tsOptions, .kind = K::PushButton, .left = 259, .top = 39, .width = 45,
     .height = 21, .text = t::kFindPlace, .tab = 2, .shown = false},
    {.id = eTest, .parent = tsOptions, .kind = K::FlatReadOnlyEdit, .left = 9, .top = 67, .width = 289,
     .height = 21, .tab = 0},
    {.id = cbScroll, .parent = tsOptions, .kind = K::CheckBox, .left = 9, .top = 94, .width = 189, .height = 17,
     .text = t::kUseScroll, .tab = 4, .ticked = true},
    {.id = bTest, .parent = tsOptions, .kind = K::DefaultButton, .left = 247, .top = 98, .width = 51, .height = 18,
     .text = t::kTest, .tab = 1},
    {.id = tbScrSpeed, .parent = tsOptions, .kind = K::TrackBar, .left = 24, .top = 110, .width = 169, .height = 21,
     .tab = 5, .hint = t::kScrollSpeedHint},
    {.id = Label2, .parent = tsOptions, .left = 8, .top = 128, .width = 3, .height = 13},
    {.id = lPeriod, .parent = tsOptions, .left = 8, .top = 139, .width = 178, .height = 13,
     .text = t::kPeriodLabel},
    {.id = cbPeriod, .parent = tsOptions, .kind = K::DropDownList, .left = 186, .top = 135, .width = 113,
     .height = 21, .tab = 3, .items = kPeriodItems, .selected = 0},
    {.id = Label6, .parent = tsOptions, .left = 8, .top = 160, .width = 244, .height = 13,
     .text = t::kSectionLabel},
    {.id = sebarSection, .parent = tsOptions, .kind = K::SpinBox, .left = 259, .top = 157, .width = 41,
     .height = 22, .tab = 7},
    {.id = cbBarRefresh, .parent = tsOptions, .kind = K::CheckBox, .left = 9, .top = 182, .width = 288,
     .height = 17, .text = t::kBarRefresh, .tab = 8, .ticked = true},

    // Page "Подключение".
    {.id = cbUseProxy, .parent = TabSheet1, .kind = K::CheckBox, .left = 8, .top = 8, .width = 265, .height = 17,
     .text = t::kUseProxy, .tab = 0},
    {.id = gbProxy, .parent = TabSheet1, .kind = K::Group, .left = 8, .top = 24, .width = 294, .height = 133,
     .tab = 1, .shown = false},
    {.id = Label4, .parent = gbProxy, .left = 10, .top = 12, .width = 37, .height = 13, .text = t::kServer},
    {.id = eProxyHost, .parent = gbProxy, .kind = K::Edit, .left = 54, .top = 10, .width = 160, .height = 21,
     .tab = 0},
    {.id = Label3, .parent = gbProxy, .left = 218, .top = 13, .width = 3, .height = 13, .text = t::kPortSeparator},
    {.id = eProxyPort, .parent = gbProxy, .kind = K::Edit, .left = 224, .top = 10, .width = 61, .height = 21,
     .text = t::kDesignPort, .tab = 1},
    {.id = cbProxyAuth, .parent = gbProxy, .kind = K::CheckBox, .left = 10, .top = 40, .width = 273, .height = 17,
     .text = t::kProxyAuth, .tab = 2},
    {.id = eProxyLogin, .parent = gbProxy, .kind = K::Edit, .left = 92, .top = 61, .width = 121, .height = 21,
     .tab = 3},
    {.id = lProxyLogin, .parent = gbProxy, .kind = K::EditLabel, .text = t::kLogin, .labelFor = eProxyLogin},
    {.id = eProxyPass, .parent = gbProxy, .kind = K::PasswordEdit, .left = 92, .top = 85, .width = 121,
     .height = 21, .tab = 4},
    {.id = lProxyPass, .parent = gbProxy, .kind = K::EditLabel, .text = t::kPassword, .labelFor = eProxyPass},
};

constexpr int kLabelSpacing = 3;       // between an edit and its label on the left
constexpr int kDropDownRows = 8;       // rows of an open combo box list
constexpr char kPasswordChar = '*';

struct WindowStyle {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

WindowStyle StyleOf(PrefKind kind) {
    constexpr DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
    constexpr DWORD stop = child | WS_TABSTOP;
    switch (kind) {
        case K::TabControl: return {WC_TABCONTROLA, stop | WS_CLIPCHILDREN, 0};
        case K::Page: return {kPageClass, child | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case K::Group: return {kGroupClass, child | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case K::Label:
        case K::EditLabel: return {"STATIC", child | SS_LEFT | SS_NOPREFIX, 0};
        case K::PushButton: return {"BUTTON", stop | BS_PUSHBUTTON, 0};
        case K::DefaultButton: return {"BUTTON", stop | BS_DEFPUSHBUTTON, 0};
        case K::CheckBox: return {"BUTTON", stop | BS_AUTOCHECKBOX, 0};
        case K::DropDownList: return {"COMBOBOX", stop | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case K::DropDownCombo: return {"COMBOBOX", stop | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
        case K::Edit: return {"EDIT", stop | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case K::FlatReadOnlyEdit: return {"EDIT", stop | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, 0};
        case K::PasswordEdit: return {"EDIT", stop | ES_AUTOHSCROLL | ES_PASSWORD, WS_EX_CLIENTEDGE};
        case K::TrackBar: return {TRACKBAR_CLASSA, stop | TBS_HORZ | TBS_BOTTOM | TBS_FIXEDLENGTH, 0};
        case K::SpinBox: return {"EDIT", stop | ES_AUTOHSCROLL | ES_READONLY | ES_NUMBER, WS_EX_CLIENTEDGE};
    }
    return {"STATIC", child, 0};
}

std::string Text(std::string_view text) { return std::string(text); }

// A closed combo box is as tall as its selection field makes it. How the
// field's height adds up to the box's differs between systems, but one
// more pixel of field is one more of box: set it, measure, correct once.
void FitComboHeight(HWND combo, int height) {
    auto boxHeight = [combo] {
        RECT r = {};
        GetWindowRect(combo, &r);
        return static_cast<int>(r.bottom - r.top);
    };
    int field = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 2 && field > 0; ++attempt) {
        SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        const int error = height - boxHeight();
        if (error == 0 || field + error <= 0) return;
        field += error;
    }
    if (field > 0) SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
}

RECT PageArea(HWND tabs) {
    RECT r = {};
    GetClientRect(tabs, &r);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

SIZE TextExtent(HWND window, HFONT font, std::string_view text) {
    SIZE size = {};
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size;
}

void AddHint(HWND form, HWND tooltip, HWND control, std::string_view hint) {
    std::string text = Text(hint);
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;  // understood by every comctl32 version
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = form;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text.data();
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void Configure(HWND window, const PrefControlSpec& spec, std::span<const std::string_view> items) {
    switch (spec.kind) {
        case K::CheckBox:
            SendMessageA(window, BM_SETCHECK, spec.ticked ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case K::DropDownList:
        case K::DropDownCombo:
            for (std::string_view item : items) {
                SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(item).c_str()));
            }
            SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(spec.selected), 0);
            FitComboHeight(window, spec.height);
            break;
        case K::PasswordEdit:
            SendMessageA(window, EM_SETPASSWORDCHAR, static_cast<WPARAM>(kPasswordChar), 0);
            break;
        case K::TrackBar:
            SendMessageA(window, TBM_SETRANGE, FALSE, MAKELPARAM(kScrollSpeedBar.low, kScrollSpeedBar.high));
            SendMessageA(window, TBM_SETPOS, TRUE, kScrollSpeedBar.design);
            SendMessageA(window, TBM_SETTHUMBLENGTH, kScrollThumbLength, 0);
            break;
        default:
            break;
    }
}

// The arrows take the right end of the spin box's place; the number box
// keeps the rest.
HWND CreateSpinArrows(HWND parent, HINSTANCE module, HWND box, const PrefControlSpec& spec) {
    const int arrowsWidth = GetSystemMetrics(SM_CXVSCROLL);
    SetWindowPos(box, nullptr, 0, 0, spec.width - arrowsWidth, spec.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND arrows = CreateWindowExA(0, UPDOWN_CLASSA, nullptr,
                                  WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                  spec.left + spec.width - arrowsWidth, spec.top, arrowsWidth, spec.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(pref_id::sebarSectionArrows)), module,
                                  nullptr);
    SendMessageA(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(box), 0);
    // Some versions fit the arrows to the box when it becomes their buddy.
    SetWindowPos(arrows, nullptr, spec.left + spec.width - arrowsWidth, spec.top, arrowsWidth, spec.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(arrows, UDM_SETRANGE32, kBarSectionSpin.low, kBarSectionSpin.high);
    SendMessageA(arrows, UDM_SETPOS32, 0, kBarSectionSpin.design);
    return arrows;
}

}  // namespace

std::span<const PrefControlSpec> PrefLayout() { return kLayout; }

const PrefControlSpec* FindSpec(int id) {
    for (const auto& spec : kLayout) {
        if (spec.id == id) return &spec;
    }
    return nullptr;
}

HWND PrefWindows::Item(int id) const {
    for (const auto& [itemId, window] : windows_) {
        if (itemId == id) return window;
    }
    return nullptr;
}

void PrefWindows::Set(int id, HWND window) { windows_.emplace_back(id, window); }

PrefWindows CreatePrefControls(HWND form, HINSTANCE module, HFONT font, void* containerParam,
                               std::span<const std::string_view> sourceNames,
                               const std::function<void(HWND, const PrefControlSpec&)>& created) {
    PrefWindows windows;
    HWND tooltip = nullptr;
    for (const auto& spec : kLayout) {
        HWND parent = spec.parent == 0 ? form : windows.Item(spec.parent);
        if (parent == nullptr) continue;
        RECT r = {spec.left, spec.top, spec.left + spec.width, spec.top + spec.height};
        if (spec.kind == K::Page) {
            std::string caption = Text(spec.text);
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            const auto index = SendMessageA(parent, TCM_GETITEMCOUNT, 0, 0);
            SendMessageA(parent, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
            r = PageArea(parent);
        } else if (spec.kind == K::EditLabel) {
            const PrefControlSpec* edit = FindSpec(spec.labelFor);
            if (edit == nullptr) continue;
            const SIZE text = TextExtent(form, font, spec.text);
            r.left = edit->left - kLabelSpacing - text.cx;
            r.top = edit->top + (edit->height - text.cy) / 2;
            r.right = edit->left - kLabelSpacing;
            r.bottom = r.top + text.cy;
        } else if (spec.kind == K::DropDownList || spec.kind == K::DropDownCombo) {
            r.bottom += kDropDownRows * spec.height;  // room for the open list
        }
        const WindowStyle style = StyleOf(spec.kind);
        const bool container = spec.kind == K::Page || spec.kind == K::Group;
        HWND window = CreateWindowExA(style.exStyle, style.className, Text(spec.text).c_str(),
                                      style.style | (spec.shown ? WS_VISIBLE : 0), r.left, r.top, r.right - r.left,
                                      r.bottom - r.top, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), module,
                                      container ? containerParam : nullptr);
        if (window == nullptr) continue;
        windows.Set(spec.id, window);
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        Configure(window, spec, spec.sourceItems ? sourceNames : spec.items);
        if (created) created(window, spec);
        if (spec.kind == K::SpinBox) {
            HWND arrows = CreateSpinArrows(parent, module, window, spec);
            windows.Set(pref_id::sebarSectionArrows, arrows);
        }
        if (!spec.hint.empty()) {
            if (tooltip == nullptr) {
                tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                                          0, 0, form, nullptr, module, nullptr);
                SendMessageA(tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            }
            AddHint(form, tooltip, window, spec.hint);
        }
    }
    return windows;
}

std::vector<int> TabOrderIds(int activePageId) {
    std::vector<int> order;
    auto walk = [&](auto&& self, int parent) -> void {
        std::vector<const PrefControlSpec*> children;
        for (const auto& spec : kLayout) {
            if (spec.parent == parent && spec.tab >= 0) children.push_back(&spec);
        }
        std::stable_sort(children.begin(), children.end(),
                         [](const PrefControlSpec* a, const PrefControlSpec* b) { return a->tab < b->tab; });
        for (const PrefControlSpec* child : children) {
            if (child->kind == K::Group) {
                self(self, child->id);
                continue;
            }
            order.push_back(child->id);
            if (child->kind == K::TabControl) self(self, activePageId);
        }
    };
    walk(walk, 0);
    return order;
}

}  // namespace ow
