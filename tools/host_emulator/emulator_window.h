#pragma once
// The messenger's main window as the plug-in finds it: direct children of
// the window classes "TStatusBar" and "TPageControl" (holding "TTabSheet",
// "TPanel" and "TMemo"), plus a strip that shows the plug-ins' icons.
#include <windows.h>

#include <functional>
#include <string>

#include "host_contract.h"

namespace host {

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

    // Clicks on an icon of the strip; the default calls its callback in EAX.
    std::function<void(const RegisteredIcon&, int button)> onIconClick;
    // Workbench buttons: 1 initialise, 2 preferences, 3 finalise, 4 about.
    std::function<void(int command)> onCommand;

    // Saves the window's picture as a 24-bit BMP file.
    bool SaveScreenshot(const std::string& path) const;

private:
    static LRESULT CALLBACK MainProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK StripProc(HWND, UINT, WPARAM, LPARAM);
    void Layout();
    void PaintStrip(HDC dc);
    void StripClick(int x, int button);

    HINSTANCE instance_;
    HostContract& contract_;
    HWND main_ = nullptr, statusBar_ = nullptr, pageControl_ = nullptr, tabSheet_ = nullptr;
    HWND panel_ = nullptr, panelMemo_ = nullptr, sheetMemo_ = nullptr, iconStrip_ = nullptr;
};

}  // namespace host
