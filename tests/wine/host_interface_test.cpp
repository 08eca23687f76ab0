// The plug-in's side of the messenger contract, seen from the messenger.
#include <cstring>

#include "wine_fixture.h"

namespace wine_tests {
namespace {

std::string Le(std::int32_t v) { return host::Int32Bytes(v); }

const std::string kHint = "Left mouse button - refresh weather. Right mouse button - menu.";

class HostInterfaceTest : public PluginTest {};

TEST_F(HostInterfaceTest, ExportsAnswerByOrdinalAndByName) {
    auto& e = Start();
    const char* names[] = {"PMB", "GetVersion", "sendmsg", "getcmd", "pluginFun"};
    for (WORD ordinal = 1; ordinal <= 5; ++ordinal) {
        SCOPED_TRACE(names[ordinal - 1]);
        ASSERT_NE(e.plugin().Export(names[ordinal - 1]), nullptr);
        EXPECT_EQ(e.plugin().ExportByOrdinal(ordinal), e.plugin().Export(names[ordinal - 1]));
    }
}

TEST_F(HostInterfaceTest, LoadsOnlyUnderItsOwnNameBecauseItImportsItself) {
    const std::string dir = host::ExecutableDirectory();
    const std::string copy = dir + "\\renamedWeather.dll";
    ASSERT_TRUE(CopyFileA((dir + "\\ostixWeather.dll").c_str(), copy.c_str(), FALSE));
    SetDllDirectoryA(workDir_.c_str());  // ostixWeather.dll must not be found elsewhere either
    HMODULE m = LoadLibraryExA(copy.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    // Beside the original the import resolves to it; the point is that the
    // import table names ostixWeather.dll, which the import check below shows.
    if (m != nullptr) {
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(m);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const char*>(m) + dos->e_lfanew);
        const auto& dir_entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        bool importsItself = false;
        for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(reinterpret_cast<const char*>(m) +
                                                                        dir_entry.VirtualAddress);
             d->Name != 0; ++d) {
            if (lstrcmpiA(reinterpret_cast<const char*>(m) + d->Name, "ostixWeather.dll") == 0) importsItself = true;
        }
        EXPECT_TRUE(importsItself);
        FreeLibrary(m);
    }
    SetDllDirectoryA(nullptr);
    DeleteFileA(copy.c_str());
}

TEST_F(HostInterfaceTest, InitializeRegistersTheIconAndReplies) {
    ASSERT_TRUE(WriteFileBytes(PluginsDir() + "\\ostixweather.ini", "resource=0\r\ncity=0\r\n"));
    auto& e = Start();
    const auto reply = e.Initialize();
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(*reply, host::Envelope("\x02" + Le(24) + "Weather Plugin ver.1.2.6" + Le(4)));
    ASSERT_EQ(reply->size(), 37u);

    const auto& requests = e.contract.requests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[0], std::string("\x01\x0F\x02", 3));
    ASSERT_EQ(e.contract.icons().size(), 1u);
    const auto& icon = e.contract.icons()[0];
    EXPECT_EQ(icon.callback, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(e.plugin().Export("PMB"))));
    EXPECT_EQ(icon.hint, kHint);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon.icon, &info)) << "not a real icon handle";
    BITMAP bm = {};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    EXPECT_EQ(requests[1].substr(0, 2), "\x05\xC9");
    EXPECT_EQ(requests[2], std::string("\x01\x0B", 2));

    const std::vector<std::string> log = {"PE_INITIALIZE received", "PE_INITIALIZE complete"};
    EXPECT_EQ(LogMessages(), log);
    EXPECT_NE(FindForm(), nullptr);
    EXPECT_FALSE(IsWindowVisible(FindForm()));
}

TEST_F(HostInterfaceTest, StatusBarShowsTheLineInTheThirdSectionOnly) {
    auto& e = Start();
    for (int i = 0; i < host::EmulatorWindow::kSections; ++i) e.window().SetStatusText(i, "host " + std::to_string(i));
    ASSERT_TRUE(e.Initialize().has_value());
    EXPECT_EQ(StatusText(2), Cp1251(L"ПОГОДА: Плагин погоды включен"));
    for (int i : {0, 1, 3, 4}) EXPECT_EQ(StatusText(i), "host " + std::to_string(i));
    e.Finalize();
    EXPECT_EQ(StatusText(2), Cp1251(L"ПОГОДА: Плагин погоды выключен"));
}

TEST_F(HostInterfaceTest, WindowAnswerOfAnotherKindFailsTheInitialisation) {
    auto& e = Start();
    e.contract.answers.windowKind = 1;
    EXPECT_FALSE(e.Initialize().has_value());
    EXPECT_TRUE(e.contract.icons().empty());
    ASSERT_EQ(e.contract.requests().size(), 2u);  // the window query and query 11
    const std::vector<std::string> log = {"PE_INITIALIZE received", "PE_INITIALIZE failed"};
    EXPECT_EQ(LogMessages(), log);
    // Finalising afterwards still removes icon id -1.
    e.Finalize();
    EXPECT_EQ(e.contract.requests().back(), std::string("\x05\xCB", 2) + Le(-1));
}

TEST_F(HostInterfaceTest, IconRefusedFailsTheInitialisation) {
    auto& e = Start();
    e.contract.answers.iconAnswer = -7;
    EXPECT_FALSE(e.Initialize().has_value());
    EXPECT_EQ(LogMessages().back(), "PE_INITIALIZE failed");
    EXPECT_EQ(StatusText(2), "");
}

TEST_F(HostInterfaceTest, NullHostAnswersFailCleanly) {
    auto& e = Start();
    e.contract.answers.nullAnswers = true;
    EXPECT_FALSE(e.Initialize().has_value());
    EXPECT_EQ(LogMessages().back(), "PE_INITIALIZE failed");
}

TEST_F(HostInterfaceTest, InvalidEnvelopesGiveNullAndNoLogLine) {
    auto& e = Start();
    EXPECT_FALSE(e.plugin().Send(nullptr).has_value());
    const std::string invalid[] = {
        host::Envelope(""),
        host::Envelope(std::string("\x02\x01", 2) + Le(1)),
        host::Envelope(std::string("\x03\x04", 2)),
        host::Envelope(std::string("\x03\x01\x00", 3)),  // initialise without the call-back
    };
    for (const auto& envelope : invalid) EXPECT_FALSE(e.plugin().Send(envelope.data()).has_value());
    EXPECT_EQ(Log(), "");
    EXPECT_TRUE(e.contract.requests().empty());
}

TEST_F(HostInterfaceTest, PreferencesBeforeInitialisationShowsTheForm) {
    auto& e = Start();
    EXPECT_FALSE(e.Preferences().has_value());
    HWND form = FindForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_TRUE(e.contract.requests().empty());
    EXPECT_EQ(LogMessages().front(), "PE_PREFERENCES received");
    EXPECT_EQ(LogMessages().back(), "PE_PREFERENCES comlete");
    e.Finalize();
}

TEST_F(HostInterfaceTest, FinalizeThenInitializeStartsOver) {
    auto& e = Start();
    ASSERT_TRUE(e.Initialize().has_value());
    HWND first = FindForm();
    const auto off = e.Finalize();
    ASSERT_TRUE(off.has_value());
    EXPECT_EQ(*off, host::Envelope("\x02" + Le(19) + "Gismeteo Plugin off" + Le(4)));
    EXPECT_EQ(FindForm(), nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(e.contract.icons().empty());
    ASSERT_TRUE(e.Initialize().has_value());
    EXPECT_NE(FindForm(), nullptr);
    EXPECT_EQ(e.contract.icons().size(), 1u);
    e.Finalize();
}

TEST_F(HostInterfaceTest, GetCmdAndSendMsgTalkToTheHost) {
    auto& e = Start();
    EXPECT_FALSE(e.plugin().SendMsg(3, "early"));  // no host call-back yet: nothing sent
    ASSERT_TRUE(e.Initialize().has_value());
    e.contract.ClearRecord();
    e.contract.answers.queryCmdValue = 70000;
    EXPECT_EQ(e.plugin().GetCmd(1), 4464);
    for (int v : {0, 2, -1}) EXPECT_EQ(e.plugin().GetCmd(v), 1000);
    ASSERT_EQ(e.contract.requests().size(), 1u);
    EXPECT_EQ(e.contract.requests()[0], std::string("\x01\x0E", 2));

    EXPECT_TRUE(e.plugin().SendMsg(-2, ""));
    EXPECT_TRUE(e.plugin().SendMsg(42, nullptr));
    ASSERT_EQ(e.contract.sentMessages().size(), 2u);
    EXPECT_EQ(e.contract.requests()[1], std::string("\x05\x01", 2) + Le(-2) + Le(0) + Le(0));
    EXPECT_EQ(e.contract.sentMessages()[1].target, 42);
    e.Finalize();
}

TEST_F(HostInterfaceTest, GetVersionGivesAConstantCountedString) {
    auto& e = Start();
    const char* variable = nullptr;
    e.plugin().GetVersion(&variable);
    e.plugin().GetVersion(&variable);
    ASSERT_NE(variable, nullptr);
    EXPECT_STREQ(variable, "1.2.6");
    std::int32_t header[2];
    std::memcpy(header, variable - 8, sizeof header);
    EXPECT_EQ(header[0], -1);  // reference count: a constant nobody frees
    EXPECT_EQ(header[1], 5);
    e.plugin().GetVersion(nullptr);  // no variable: nothing happens
}

TEST_F(HostInterfaceTest, UnknownButtonCodeChangesNothing) {
    auto& e = Start();
    ASSERT_TRUE(e.Initialize().has_value());
    e.contract.ClearRecord();
    const std::string before = StatusText(2);
    e.ClickIcon(2);
    e.Pump(100);
    EXPECT_EQ(StatusText(2), before);
    EXPECT_TRUE(e.contract.requests().empty());
    e.Finalize();
}

TEST_F(HostInterfaceTest, UnwritableLogIsASilentNoOp) {
    // A folder in the way of the log file: every open fails.
    ASSERT_TRUE(CreateDirectoryA((workDir_ + "\\ostix_weather_debug.log").c_str(), nullptr));
    auto& e = Start();
    const auto reply = e.Initialize();
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->size(), 37u);
    EXPECT_TRUE(e.Finalize().has_value());
}

TEST_F(HostInterfaceTest, ClicksBeforeInitialisationDoNothing) {
    auto& e = Start();
    auto pmb = reinterpret_cast<std::uintptr_t>(e.plugin().Export("PMB"));
    host::CallWithEax(static_cast<std::uint32_t>(pmb), 0, 1);
    host::CallWithEax(static_cast<std::uint32_t>(pmb), 1, 0);
    e.Pump(50);
    EXPECT_TRUE(e.contract.requests().empty());
    EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace wine_tests
