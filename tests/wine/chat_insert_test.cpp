// "Вставить в окно чата": the forecast appended to the text typed in the
// host's chat input, found by window class under the host's page control.
#include <functional>

#include "download_fixture.h"
#include "menu_test_support.h"

namespace wine_tests {
namespace {

// Creates a child window of one of the host's classes.
HWND HostChild(const char* cls, HWND parent) {
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | (lstrcmpA(cls, "TMemo") == 0 ? ES_MULTILINE : 0), 0,
                           0, 50, 50, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

class ChatInsertTest : public MenuTest {
protected:
    // Inserts through the real menu, from the host's window in the foreground
    // with the keyboard focus on it.
    void Insert() {
        SetFocus(emu().window().main());
        const host::SeenMenu seen = Choose(kCmdInsert);
        ASSERT_TRUE(seen.opened);
        EXPECT_TRUE(seen.closed);
    }
    // The caret after the last character, nothing selected, focus on the input.
    void ExpectReadyToSend(HWND memo) {
        const auto length = static_cast<DWORD>(GetWindowTextLengthA(memo));
        EXPECT_EQ(Selection(memo), std::make_pair(length, length));
        EXPECT_EQ(GetFocus(), memo);
    }
};

struct TypedCase {
    const char* name;
    const wchar_t* typed;
    const wchar_t* kept;  // what stays of it before the space and the line
};
void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.name; }

const TypedCase kTypedCases[] = {
    {"Empty", L"", L""},
    {"BlanksWordAndLineBreak", L"  hello\r\n", L"hello"},
    {"InnerBlanksKept", L"\t a  b\r\nc \r\n", L"a  b\r\nc"},
    {"Cyrillic", L" Привет, мир! ", L"Привет, мир!"},
    {"OnlyBlanks", L" \r\n\t ", L""},
};

class ChatTypedTextTest : public ChatInsertTest, public testing::WithParamInterface<TypedCase> {};

TEST_P(ChatTypedTextTest, KeepsTheTrimmedTextThenOneSpaceThenTheLine) {
    auto& e = StartInitialised();
    const std::string line = RefreshedLine();
    ASSERT_FALSE(line.empty());
    HWND memo = e.window().panelMemo();
    SetWindowTextA(memo, Cp1251(GetParam().typed).c_str());
    Insert();
    EXPECT_EQ(Text(memo), Cp1251(GetParam().kept) + " " + Trimmed(line));
    ExpectReadyToSend(memo);
    EXPECT_EQ(StatusText(2), Prefix() + line);  // the status bar is not touched
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Chat, ChatTypedTextTest, testing::ValuesIn(kTypedCases),
                         [](const testing::TestParamInfo<TypedCase>& info) { return std::string(info.param.name); });

TEST_F(ChatInsertTest, EmptyCacheIsDownloadedFirst) {
    auto& e = StartInitialised();
    HWND memo = e.window().panelMemo();
    Insert();
    const std::string inserted = Text(memo);
    ASSERT_GT(inserted.size(), 1u);
    EXPECT_EQ(inserted[0], ' ');
    EXPECT_NE(inserted, " error");
    // The same line a refresh downloads (the sample server's forecast is fixed for the day).
    EXPECT_EQ(inserted, " " + Trimmed(RefreshedLine()));
    ExpectReadyToSend(memo);
    e.Finalize();
}

// The messenger stays responsive while the insert downloads the line, so the
// user may go on typing: nothing typed meanwhile is lost.
TEST_F(ChatInsertTest, TextTypedDuringTheDownloadIsKept) {
    const auto port = SampleServerControl::PortFromEnvironment();
    if (!port) GTEST_SKIP() << "no sample server";
    const SampleServerControl server(*port);
    ASSERT_TRUE(server.ClearRecord());
    ASSERT_TRUE(server.SetMode("name=slow-start&interval_ms=2000"));
    auto& e = StartInitialised();
    HWND memo = e.window().panelMemo();
    SetWindowTextA(memo, "hello");

    // Once the server holds the insert's request, the user types on at the end.
    NestedCaller caller;
    bool typed = false;
    std::function<void()> typeWhenHeld = [&] {
        if (server.Requests().empty()) return caller.After(20, typeWhenHeld);
        SetFocus(memo);
        const auto end = static_cast<WPARAM>(GetWindowTextLengthA(memo));
        SendMessageA(memo, EM_SETSEL, end, static_cast<LPARAM>(end));
        SendMessageA(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(" world"));
        typed = true;
    };
    caller.After(20, typeWhenHeld);
    Insert();
    caller.CancelAll();

    ASSERT_TRUE(typed) << "the insert did not download";
    const std::string inserted = Text(memo);
    ExpectReadyToSend(memo);
    ASSERT_TRUE(server.SetMode("name=normal"));
    EXPECT_EQ(inserted, "hello world " + Trimmed(RefreshedLine()));
    e.Finalize();
}

TEST_F(ChatInsertTest, MemoDirectlyOnTheTabSheetWinsOverThePanelMemo) {
    host::WindowLayout layout;
    layout.memoDirectlyOnSheet = true;
    auto& e = StartInitialised(layout);
    const std::string line = RefreshedLine();
    ASSERT_NE(e.window().sheetMemo(), nullptr);
    SetWindowTextA(e.window().sheetMemo(), "direct");
    SetWindowTextA(e.window().panelMemo(), "in panel");
    Insert();
    EXPECT_EQ(Text(e.window().sheetMemo()), "direct " + Trimmed(line));
    EXPECT_EQ(Text(e.window().panelMemo()), "in panel");
    ExpectReadyToSend(e.window().sheetMemo());
    e.Finalize();
}

TEST_F(ChatInsertTest, EveryRefreshGivesTheFocusBackToTheLastInput) {
    auto& e = StartInitialised();
    HWND memo = e.window().panelMemo();
    Insert();
    ASSERT_EQ(GetFocus(), memo);
    SetFocus(e.window().main());
    e.ClickIcon(0);
    EXPECT_EQ(GetFocus(), memo);
    SetFocus(e.window().main());
    Choose(kCmdRefresh);
    EXPECT_EQ(GetFocus(), memo);
    e.Finalize();
}

// Host windows the insertion cannot use: nothing is written anywhere, the
// focus stays, and a later refresh moves no focus either.
struct MissingCase {
    const char* name;
    host::WindowLayout layout;
    // Windows the host adds after initialisation; returns the memo made.
    HWND (*addLater)(host::EmulatorWindow&);
};
void PrintTo(const MissingCase& c, std::ostream* os) { *os << c.name; }

HWND AddNothing(host::EmulatorWindow&) { return nullptr; }

// A page control that appears after initialisation is never searched.
HWND AddPageControl(host::EmulatorWindow& w) {
    HWND pages = HostChild("TPageControl", w.main());
    HWND sheet = HostChild("TTabSheet", pages);
    return HostChild("TMemo", HostChild("TPanel", sheet));
}

// Only the first tab sheet counts: a memo on a later one is not found.
HWND AddSecondSheet(host::EmulatorWindow& w) {
    HWND sheet = HostChild("TTabSheet", w.pageControl());
    SetWindowPos(sheet, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return HostChild("TMemo", sheet);
}

// A "TMemo" two levels down, inside something that is not a "TPanel".
HWND AddMemoInOtherContainer(host::EmulatorWindow& w) {
    return HostChild("TMemo", HostChild("STATIC", w.tabSheet()));
}

host::WindowLayout Layout(bool pageControl, bool memo) {
    host::WindowLayout layout;
    layout.withPageControl = pageControl;
    layout.withMemo = memo;
    return layout;
}

const MissingCase kMissingCases[] = {
    {"NoPageControl", Layout(false, false), &AddNothing},
    {"NoMemo", Layout(true, false), &AddNothing},
    {"PageControlAddedLater", Layout(false, false), &AddPageControl},
    {"MemoOnSecondSheetOnly", Layout(true, false), &AddSecondSheet},
    {"MemoOutsideAPanel", Layout(true, false), &AddMemoInOtherContainer},
};

class ChatMissingInputTest : public ChatInsertTest, public testing::WithParamInterface<MissingCase> {};

TEST_P(ChatMissingInputTest, WritesNothingAndMovesNoFocus) {
    auto& e = StartInitialised(GetParam().layout);
    HWND stray = GetParam().addLater(e.window());
    if (stray != nullptr) SetWindowTextA(stray, "untouched");
    Insert();
    if (stray != nullptr) EXPECT_EQ(Text(stray), "untouched");
    if (e.window().panel() != nullptr) EXPECT_EQ(Text(e.window().panel()), "");
    if (e.window().tabSheet() != nullptr) EXPECT_EQ(Text(e.window().tabSheet()), "");
    EXPECT_EQ(Text(e.window().main()), "Ostix (host emulator)");
    HWND focus = GetFocus();
    EXPECT_NE(focus, stray);
    // The insert still read the line (a download); the plug-in goes on working.
    const std::string line = RefreshedLine();
    EXPECT_FALSE(line.empty());
    EXPECT_EQ(GetFocus(), focus);
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Chat, ChatMissingInputTest, testing::ValuesIn(kMissingCases),
                         [](const testing::TestParamInfo<MissingCase>& info) { return std::string(info.param.name); });

// An input that was found once and is gone by the next refresh: the refresh
// leaves the focus alone.
TEST_F(ChatInsertTest, RefreshAfterTheInputWasDestroyedMovesNoFocus) {
    auto& e = StartInitialised();
    Insert();
    ASSERT_EQ(GetFocus(), e.window().panelMemo());
    DestroyWindow(e.window().panelMemo());
    SetFocus(e.window().main());
    e.ClickIcon(0);
    EXPECT_EQ(GetFocus(), e.window().main());
    e.Finalize();
}

}  // namespace
}  // namespace wine_tests
