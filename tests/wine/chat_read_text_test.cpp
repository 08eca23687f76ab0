// Reading the chat input's text before the insertion: any length, bytes of
// the host's code page unchanged, and a text that changes under the reader.
#include <algorithm>

#include "menu_test_support.h"

namespace wine_tests {
namespace {

class ChatReadTextTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        ASSERT_EQ(GetACP(), 1251u) << "the host's code page must be 1251 (run with LANG=ru_RU.UTF-8)";
    }
    // Puts `typed` into the panel memo, inserts, and returns the memo's text.
    std::string InsertAfter(const std::string& typed, std::string& line) {
        auto& e = StartInitialised();
        line = Trimmed(RefreshedLine());
        HWND memo = e.window().panelMemo();
        SetWindowTextA(memo, typed.c_str());
        EXPECT_EQ(Text(memo), typed) << "the memo did not take the text as given";
        const host::SeenMenu seen = Choose(kCmdInsert);
        EXPECT_TRUE(seen.opened);
        return Text(memo);
    }
};

TEST_F(ChatReadTextTest, LongTextIsReadWhole) {
    // 100 000 bytes of lines, Cyrillic and Latin, no blanks at either end.
    const std::string word = Cp1251(L"Погода ") + "weather ";
    std::string typed;
    while (typed.size() < 100000) {
        typed += word;
        if (typed.size() % 9 == 0) typed += "\r\n";
    }
    typed.resize(100000);
    typed.back() = '!';
    std::string line;
    const std::string result = InsertAfter(typed, line);
    ASSERT_EQ(result.size(), typed.size() + 1 + line.size());
    EXPECT_TRUE(result == typed + " " + line) << "the text differs within its first "
                                              << std::mismatch(typed.begin(), typed.end(), result.begin()).first -
                                                     typed.begin()
                                              << " bytes";
    EXPECT_EQ(Selection(emu().window().panelMemo()).first, static_cast<DWORD>(result.size()));
    emu().Finalize();
}

TEST_F(ChatReadTextTest, CodePage1251BytesStayExact) {
    // Every byte above the blanks that code page 1251 defines (0x98 is unused).
    std::string typed;
    for (int b = 0x21; b <= 0xFF; ++b) {
        if (b != 0x98) typed.push_back(static_cast<char>(b));
    }
    std::string line;
    const std::string result = InsertAfter(typed, line);
    EXPECT_EQ(result, typed + " " + line);
    emu().Finalize();
}

// The memo answers WM_GETTEXTLENGTH as told; with `changeTo` set, its text
// changes right after the first length was asked, before the text is read.
struct Misbehaviour {
    const char* name;
    std::string before;
    std::string changeTo;  // empty: no change
    int lengthBias;        // added to every length it answers
    // What may stand before " " + line afterwards.
    enum Expect { Whole, PrefixOfText } expect;
};
void PrintTo(const Misbehaviour& c, std::ostream* os) { *os << c.name; }

struct MemoHook {
    static inline WNDPROC original = nullptr;
    static inline const Misbehaviour* how = nullptr;
    static inline int lengthQueries = 0;

    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg != WM_GETTEXTLENGTH) return CallWindowProcA(original, w, msg, wp, lp);
        const LRESULT real = CallWindowProcA(original, w, msg, wp, lp);
        if (++lengthQueries == 1 && !how->changeTo.empty()) {
            CallWindowProcA(original, w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(how->changeTo.c_str()));
        }
        return real + how->lengthBias;
    }
};

std::string Repeated(const char* piece, std::size_t size) {
    std::string s;
    while (s.size() < size) s += piece;
    s.resize(size);
    return s;
}

const Misbehaviour kMisbehaviours[] = {
    {"GrowsBetweenTheCalls", "short", Repeated("grown text ", 5000) + "end", 0, Misbehaviour::Whole},
    {"ShrinksBetweenTheCalls", Repeated("long text ", 5000) + "end", "tiny", 0, Misbehaviour::Whole},
    {"AnnouncesTooMuch", "abc", "", 1000, Misbehaviour::Whole},
    {"AlwaysAnnouncesTooLittle", Repeated("xyz ", 400) + "end", "", -100, Misbehaviour::PrefixOfText},
};

class ChatChangingTextTest : public ChatReadTextTest, public testing::WithParamInterface<Misbehaviour> {};

TEST_P(ChatChangingTextTest, ReadsWithinTheBufferAndKeepsWhatItRead) {
    const Misbehaviour& how = GetParam();
    auto& e = StartInitialised();
    const std::string line = Trimmed(RefreshedLine());
    HWND memo = e.window().panelMemo();
    SetWindowTextA(memo, how.before.c_str());
    MemoHook::how = &how;
    MemoHook::lengthQueries = 0;
    MemoHook::original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MemoHook::Proc)));
    const host::SeenMenu seen = Choose(kCmdInsert);
    SetWindowLongPtrA(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MemoHook::original));
    ASSERT_TRUE(seen.opened);
    EXPECT_GE(MemoHook::lengthQueries, 1);

    const std::string result = Text(memo);
    const std::string tail = " " + line;
    ASSERT_GE(result.size(), tail.size());
    EXPECT_EQ(result.substr(result.size() - tail.size()), tail);
    const std::string kept = result.substr(0, result.size() - tail.size());
    const std::string& text = how.changeTo.empty() ? how.before : how.changeTo;
    if (how.expect == Misbehaviour::Whole) {
        EXPECT_TRUE(kept == text) << "kept " << kept.size() << " bytes of " << text.size();
    } else {
        EXPECT_EQ(text.compare(0, kept.size(), kept), 0) << "kept " << kept.size() << " bytes";
    }
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Chat, ChatChangingTextTest, testing::ValuesIn(kMisbehaviours),
                         [](const testing::TestParamInfo<Misbehaviour>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wine_tests
