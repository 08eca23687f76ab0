#pragma once
// The preferences form as a window: its pages, the tags of its popup menu,
// and showing and hiding it. The Win32 form implements it.
namespace ow {

// Page indexes of pcPages.
inline constexpr int kOptionsPage = 0;
inline constexpr int kConnectionPage = 1;
inline constexpr int kAboutPage = 2;

// Tags of the popup menu's command items.
enum MenuTag : int { kMenuRefresh = 0, kMenuInsert = 1, kMenuOptions = 2, kMenuAbout = 3 };

class PrefWindow {
public:
    virtual ~PrefWindow() = default;
    virtual void Show() = 0;  // centred, brought to the front; runs FormShow when it was hidden
    virtual void Hide() = 0;
    virtual void SelectPage(int index) = 0;  // kOptionsPage, kConnectionPage, kAboutPage
};

}  // namespace ow
