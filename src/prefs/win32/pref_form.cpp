// TfPref: creating the window, showing it, its pages and its menu.
#include "prefs/win32/pref_form.h"

#include <commctrl.h>

#include "common/win32/version_import.h"
#include "prefs/win32/pref_font.h"
#include "prefs/win32/pref_control_ids.h"
#include "prefs/win32/pref_form_impl.h"
#include "prefs/win32/pref_texts.h"

namespace ow {

namespace {

using pref_id::kFormClass;
constexpr int kClientWidth = 330;
constexpr int kClientHeight = 280;
// Fixed single border with a caption and no title-bar buttons.
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = 0;

void RegisterWindowClass(HINSTANCE module, const char* name, WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = module;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = name;
    RegisterClassA(&wc);  // already registered by an earlier form: fine
}

void CentreOnDesktop(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN) + (GetSystemMetrics(SM_CXVIRTUALSCREEN) - (r.right - r.left)) / 2;
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN) + (GetSystemMetrics(SM_CYVIRTUALSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ContainsFocus(HWND window) {
    HWND focus = GetFocus();
    return focus != nullptr && (focus == window || IsChild(window, focus));
}

}  // namespace

void PrefForm::Impl::Create() {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    RegisterWindowClass(module, kFormClass, &FormProc);
    RegisterWindowClass(module, kPageClass, &ContainerProc);
    RegisterWindowClass(module, kGroupClass, &ContainerProc);

    font = CreateFormFont(kFormFontPoints, false);
    RECT r = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, kFormStyle, FALSE, kFormExStyle);
    window.reset(CreateWindowExA(kFormExStyle, kFormClass, std::string(pref_text::kFormCaption).c_str(), kFormStyle,
                                 0, 0, r.right - r.left, r.bottom - r.top, nullptr, nullptr, module, this));
    if (!window) return;

    controls = CreatePrefControls(window.get(), module, static_cast<HFONT>(font.get()), this, sourceNames,
                                  [this](HWND control, const PrefControlSpec& spec) {
                                      if (spec.tab < 0 || spec.kind == PrefKind::Group) return;
                                      subclasses.Attach(control, *this);
                                      // The text box of an editable combo box holds its focus.
                                      if (spec.kind == PrefKind::DropDownCombo) {
                                          subclasses.Attach(GetWindow(control, GW_CHILD), *this);
                                      }
                                  });
    if (about.Load(module)) about.DrawTexts(VersionFromOwnExport());
    ShowPage(kOptionsPage);
}

void PrefForm::Impl::Destroy() {
    if (destroyed) return;
    destroyed = true;
    window.reset();  // children first, while their subclass records still exist
    font.reset();
    about.Release();
    menu.Release();
    // A class outlives its module's unload unless it is unregistered; this
    // fails, harmlessly, while another form still has windows of it.
    for (const char* name : {kGroupClass, kPageClass, kFormClass}) UnregisterClassA(name, module);
}

HWND PrefForm::Impl::ActivePageWindow() const {
    const int index = static_cast<int>(SendMessageA(Item(pref_id::pcPages), TCM_GETCURSEL, 0, 0));
    return index >= 0 && index < kPageCount ? Item(kPageIds[index]) : nullptr;
}

void PrefForm::Impl::ShowPage(int index) {
    HWND shown = Item(kPageIds[index]);
    for (int id : kPageIds) {
        HWND page = Item(id);
        if (page == shown) continue;
        if (ContainsFocus(page) && IsWindowVisible(window.get())) SetFocus(Item(pref_id::pcPages));
        ShowWindow(page, SW_HIDE);
    }
    ShowWindow(shown, SW_SHOWNA);
    if (index == kAboutPage) PaintAbout();  // tsAboutShow
}

void PrefForm::Impl::PaintAbout() { about.PaintOn(Item(pref_id::tsAbout)); }

void PrefForm::Impl::RestoreFocus() {
    HWND form = window.get();
    HWND focus = GetFocus();
    if (focus != nullptr && focus != form && IsChild(form, focus) && IsWindowVisible(focus)) return;
    if (savedFocus != nullptr && IsChild(form, savedFocus) && IsWindowVisible(savedFocus) &&
        IsWindowEnabled(savedFocus)) {
        SetFocus(savedFocus);
        return;
    }
    const std::vector<HWND> stops = TabStops();
    if (!stops.empty()) FocusTabStop(stops.front());
}

std::vector<HWND> PrefForm::Impl::TabStops() const {
    HWND page = ActivePageWindow();
    const int pageId = page != nullptr ? GetDlgCtrlID(page) : kPageIds[kOptionsPage];
    std::vector<HWND> stops;
    for (int id : TabOrderIds(pageId)) {
        HWND control = Item(id);
        if (control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control)) stops.push_back(control);
    }
    return stops;
}

void PrefForm::Impl::StepPage(int delta) {
    HWND tabs = Item(pref_id::pcPages);
    const int current = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
    const int next = ((current < 0 ? 0 : current) + delta + kPageCount) % kPageCount;
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    ShowPage(next);
}

PrefForm::PrefForm(HINSTANCE module, PrefFormEvents events, WeatherSources sources)
    : impl_(std::make_unique<Impl>()) {
    impl_->module = module;
    impl_->events = std::move(events);
    for (const WeatherSource& source : sources) impl_->sourceNames.push_back(source.name);
    impl_->Create();
}

PrefForm::~PrefForm() { impl_->Destroy(); }

HWND PrefForm::window() const { return impl_->window.get(); }

void PrefForm::DestroyNow() { impl_->Destroy(); }

void PrefForm::Show() {
    HWND form = window();
    if (form == nullptr) return;
    if (!Visible()) {
        Impl::Fire(impl_->events.onShow);  // FormShow
        CentreOnDesktop(form);
    }
    ShowWindow(form, SW_SHOW);
    SetForegroundWindow(form);
    impl_->RestoreFocus();
}

void PrefForm::Hide() {
    if (window() != nullptr) ShowWindow(window(), SW_HIDE);
}

bool PrefForm::Visible() const { return window() != nullptr && IsWindowVisible(window()) != FALSE; }

void PrefForm::SelectPage(int index) {
    if (window() == nullptr || index < 0 || index >= kPageCount) return;
    SendMessageA(impl_->Item(pref_id::pcPages), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    impl_->ShowPage(index);
}

void PrefForm::OpenPopupMenu(POINT screenPoint) {
    if (window() == nullptr) return;
    const int tag = impl_->menu.Track(window(), screenPoint);
    if (tag >= 0) Impl::Fire(impl_->events.onMenuItem, tag);  // MenuItemClick
}

}  // namespace ow
