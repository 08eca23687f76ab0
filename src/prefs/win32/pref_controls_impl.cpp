// TfPref: the controls as the settings operations read and write them.
#include <algorithm>
#include <span>
#include <string>

#include "common/win32/window_text.h"
#include "prefs/win32/pref_form_impl.h"

#include <commctrl.h>

namespace ow {

namespace {

using namespace pref_id;

int CheckBoxId(PrefCheckBox box) {
    switch (box) {
        case PrefCheckBox::cbScroll: return cbScroll;
        case PrefCheckBox::cbOldStyle: return cbOldStyle;
        case PrefCheckBox::cbBarRefresh: return cbBarRefresh;
        case PrefCheckBox::cbUseProxy: return cbUseProxy;
        case PrefCheckBox::cbProxyAuth: return cbProxyAuth;
    }
    return 0;
}

int EditId(PrefEdit edit) {
    switch (edit) {
        case PrefEdit::eProxyHost: return eProxyHost;
        case PrefEdit::eProxyPort: return eProxyPort;
        case PrefEdit::eProxyLogin: return eProxyLogin;
        case PrefEdit::eProxyPass: return eProxyPass;
    }
    return 0;
}

constexpr int kSpeedBar[] = {tbScrSpeed};
constexpr int kProxyGroup[] = {gbProxy};
constexpr int kLoginFields[] = {eProxyLogin, lProxyLogin, eProxyPass, lProxyPass};
constexpr int kFindPlaceButton[] = {bFindPlace};

std::span<const int> PartIds(PrefPart part) {
    switch (part) {
        case PrefPart::tbScrSpeed: return kSpeedBar;
        case PrefPart::gbProxy: return kProxyGroup;
        case PrefPart::ProxyLoginFields: return kLoginFields;
        case PrefPart::bFindPlace: return kFindPlaceButton;
    }
    return {};
}

void SetText(HWND window, std::string_view text) { SetWindowTextA(window, std::string(text).c_str()); }

int ComboIndex(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

// An index outside the items selects none, as the combo box itself does.
void SetComboIndex(HWND combo, int index) {
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index >= 0 && index < count ? index : -1), 0);
}

}  // namespace

bool PrefForm::Impl::Ticked(int id) const {
    return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void PrefForm::Impl::SetPartShown(PrefPart part, bool shown) {
    for (int id : PartIds(part)) {
        HWND control = Item(id);
        if (control == nullptr) continue;
        HWND focus = GetFocus();
        const bool losesFocus = !shown && focus != nullptr && (focus == control || IsChild(control, focus));
        ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
        if (losesFocus && IsWindowVisible(window.get())) RestoreFocus();
    }
}

int PrefForm::ResourceIndex() const { return ComboIndex(impl_->Item(cbResource)); }
void PrefForm::SetResourceIndex(int index) { SetComboIndex(impl_->Item(cbResource), index); }

void PrefForm::SetTownItems(const StringList& names) {
    HWND towns = impl_->Item(cbTowns);
    SendMessageA(towns, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : names) SendMessageA(towns, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void PrefForm::ClearTownItems() { SendMessageA(impl_->Item(cbTowns), CB_RESETCONTENT, 0, 0); }
void PrefForm::ClearTownText() { SetText(impl_->Item(cbTowns), {}); }
int PrefForm::TownIndex() const { return ComboIndex(impl_->Item(cbTowns)); }
void PrefForm::SetTownIndex(int index) { SetComboIndex(impl_->Item(cbTowns), index); }
std::string PrefForm::TownText() const { return ReadWindowText(impl_->Item(cbTowns)); }

int PrefForm::PeriodIndex() const { return ComboIndex(impl_->Item(cbPeriod)); }
void PrefForm::SetPeriodIndex(int index) { SetComboIndex(impl_->Item(cbPeriod), index); }

int PrefForm::BarSectionValue() const {
    BOOL failed = FALSE;
    const auto value = static_cast<int>(
        SendMessageA(impl_->Item(sebarSectionArrows), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    return std::clamp(value, kBarSectionMin, kBarSectionMax);
}

void PrefForm::SetBarSectionValue(int value) {
    SendMessageA(impl_->Item(sebarSectionArrows), UDM_SETPOS32, 0, std::clamp(value, kBarSectionMin, kBarSectionMax));
}

int PrefForm::ScrollSpeed() const {
    return static_cast<int>(SendMessageA(impl_->Item(tbScrSpeed), TBM_GETPOS, 0, 0));
}

void PrefForm::SetScrollSpeed(int position) {
    SendMessageA(impl_->Item(tbScrSpeed), TBM_SETPOS, TRUE, std::clamp(position, kScrollSpeedMin, kScrollSpeedMax));
}

bool PrefForm::IsChecked(PrefCheckBox box) const { return impl_->Ticked(CheckBoxId(box)); }

void PrefForm::SetChecked(PrefCheckBox box, bool checked) {
    SendMessageA(impl_->Item(CheckBoxId(box)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string PrefForm::EditText(PrefEdit edit) const { return ReadWindowText(impl_->Item(EditId(edit))); }
void PrefForm::SetEditText(PrefEdit edit, std::string_view text) { SetText(impl_->Item(EditId(edit)), text); }
void PrefForm::SetTestText(std::string_view text) { SetText(impl_->Item(eTest), text); }
void PrefForm::SetShown(PrefPart part, bool shown) { impl_->SetPartShown(part, shown); }

}  // namespace ow
