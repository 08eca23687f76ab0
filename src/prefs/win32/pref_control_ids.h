#pragma once
// Window ids of the preferences window's controls, so they can be found
// with GetDlgItem on their parent (the form, a page or gbProxy).
// Plain constants: no windows.h needed.

namespace ow::pref_id {

// The form's window class.
inline constexpr char kFormClass[] = "TfPref";

// On the form.
inline constexpr int pcPages = 100;
inline constexpr int bCancel = 101;
inline constexpr int bOk = 102;
inline constexpr int cbOldStyle = 103;

// The pages, children of pcPages.
inline constexpr int tsOptions = 110;
inline constexpr int TabSheet1 = 111;
inline constexpr int tsAbout = 112;

// Page "Настройка".
inline constexpr int Label5 = 120;
inline constexpr int cbResource = 121;
inline constexpr int Label1 = 122;
inline constexpr int cbTowns = 123;
inline constexpr int eTest = 124;
inline constexpr int cbScroll = 125;
inline constexpr int bTest = 126;
inline constexpr int tbScrSpeed = 127;
inline constexpr int Label2 = 128;
inline constexpr int lPeriod = 129;
inline constexpr int cbPeriod = 130;
inline constexpr int Label6 = 131;
inline constexpr int sebarSection = 132;        // the number box the arrows step
inline constexpr int sebarSectionArrows = 133;  // its up-down arrows
inline constexpr int cbBarRefresh = 134;
inline constexpr int bFindPlace = 135;  // the place search, beside cbTowns

// Page "Подключение".
inline constexpr int cbUseProxy = 140;
inline constexpr int gbProxy = 141;

// Inside gbProxy.
inline constexpr int Label4 = 150;
inline constexpr int eProxyHost = 151;
inline constexpr int Label3 = 152;
inline constexpr int eProxyPort = 153;
inline constexpr int cbProxyAuth = 154;
inline constexpr int eProxyLogin = 155;
inline constexpr int lProxyLogin = 156;  // "Login:" left of eProxyLogin
inline constexpr int eProxyPass = 157;
inline constexpr int lProxyPass = 158;  // "Password:" left of eProxyPass

// Popup menu command ids: the item's tag plus this base (a command id of
// zero would read as "nothing chosen").
inline constexpr int kMenuCommandBase = 200;

}  // namespace ow::pref_id
