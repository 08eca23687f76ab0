#pragma once
// The plug-in's one form, TfPref: the preferences window, and the hidden
// owner of the plug-in's window timers and popup menu.
#include <windows.h>

#include <functional>

#include "host/win32/unique_handle.h"

namespace ow {

struct PrefFormEvents {
    std::function<void(UINT_PTR timerId)> onTimer;
    std::function<void()> onQueryEndSession;
};

class PrefForm {
public:
    PrefForm(HINSTANCE module, PrefFormEvents events);
    ~PrefForm();
    PrefForm(const PrefForm&) = delete;
    PrefForm& operator=(const PrefForm&) = delete;

    HWND window() const { return window_.get(); }
    void Show();
    void Hide();
    bool Visible() const;
    void SelectPage(int index);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HINSTANCE module_;
    PrefFormEvents events_;
    UniqueWindow window_;
};

}  // namespace ow
