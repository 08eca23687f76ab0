#pragma once
// The messenger's main window as the plug-in finds it: direct children of
// the window classes "TStatusBar" and "TPageControl" (holding "TTabSheet",
// "TPanel" and "TMemo"), plus a strip that shows the plug-ins' icons.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "host_contract.h"

namespace host {

// One SB_SETTEXTA the status bar received.
struct StatusWrite {
    int section = 0;  // low byte of wParam
    std::string text;
};

struct WindowLayout {
    bool withPageControl = true;
    bool withMemo = true;
    bool memoDirectlyOnSheet = false;  // a second memo directly on the tab sheet
    bool withWorkbenchButtons = false;
    bool visible = true;
};

class EmulatorWindow {
public:
    EmulatorWindow(HINSTANCE instance, HostContract& contract, WindowLayout layout);
    ~EmulatorWindow();
    EmulatorWindow(const EmulatorWindow&) = delete;
    EmulatorWindow& operator=(const EmulatorWindow&) = delete;

    static constexpr int kSections = 5;

    HWND main() const { return main_; }
    HWND statusBar() const { return statusBar_; }
    HWND pageControl() const { return pageControl_; }
    HWND tabSheet() const { return tabSheet_; }
    HWND panel() const { return panel_; }
    HWND panelMemo() const { return panelMemo_; }
    HWND sheetMemo() const { return sheetMemo_; }
    HWND iconStrip() const { return iconStrip_; }

    std::string StatusText(int section) const;
    void SetStatusText(int section, const std::string& text);

    // Every SB_SETTEXTA the status bar received, the emulator's own included,
    // in order: what was written, not what the bar makes of it.
    const std::vector<StatusWrite>& statusWrites() const { return statusWrites_; }
    void ClearStatusWrites() { statusWrites_.clear(); }
    // On by default; off keeps no copies (for measuring memory).
    void RecordStatusWrites(bool on) { recordStatusWrites_ = on; }

    // Clicks on an icon of the strip; the default calls its callback in EAX.
    std::function<void(const RegisteredIcon&, int button)> onIconClick;
    // Workbench buttons: 1 initialise, 2 preferences, 3 finalise, 4 about.
    std::function<void(int command)> onCommand;

    // Saves the window's picture as a 24-bit BMP file.
    bool SaveScreenshot(const std::string& path) const;

private:
    static LRESULT CALLBACK MainProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK StripProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK StatusBarProc(HWND, UINT, WPARAM, LPARAM);
    void Layout();
    void PaintStrip(HDC dc);
    void StripClick(int x, int button);

    HINSTANCE instance_;
    HostContract& contract_;
    HWND main_ = nullptr, statusBar_ = nullptr, pageControl_ = nullptr, tabSheet_ = nullptr;
    HWND panel_ = nullptr, panelMemo_ = nullptr, sheetMemo_ = nullptr, iconStrip_ = nullptr;
    WNDPROC statusBarBaseProc_ = nullptr;
    std::vector<StatusWrite> statusWrites_;
    bool recordStatusWrites_ = true;
    // The longest text ever written into each section (not reset with the
    // record): SB_GETTEXTLENGTH tells only the low 16 bits of a length.
    std::size_t longestWrite_[256] = {};
};

}  // namespace host
