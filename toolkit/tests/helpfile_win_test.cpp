// The help module against a help engine of our own: a window of the class that the platform's help call
// looks for records what it is asked.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/diag.h"
#include "toolkit/helpfile_win.h"

namespace {

struct HELPREQUEST {
    UINT uCommand = 0;
    std::string file;
    HWND hFrom = nullptr;
};
HELPREQUEST s_last;
int s_cRequests = 0;

// The help call's packet: its size, command, data and the offset of the file name within the packet.
#pragma pack(push, 1)
struct HELPPACKET {
    WORD wSize;
    WORD wCommand;
    LONG lData;
    LONG lReserved;
    WORD ofsFilename;
    WORD ofsData;
};
#pragma pack(pop)

LRESULT CALLBACK EngineProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_COPYDATA) {
        const auto* pData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto* pPacket = static_cast<const HELPPACKET*>(pData->lpData);
        s_last.uCommand = pPacket->wCommand;
        s_last.file = pPacket->ofsFilename ? reinterpret_cast<const char*>(pPacket) + pPacket->ofsFilename : "";
        s_last.hFrom = reinterpret_cast<HWND>(wParam);
        ++s_cRequests;
        return TRUE;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

class HelpFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        DIAG_Initialize(GetModuleHandleA(nullptr));
        DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = EngineProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "MS_WINHELP";
        RegisterClassA(&wc);
        m_hEngine = CreateWindowA("MS_WINHELP", "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
        m_hOwner = CreateWindowA("STATIC", "owner", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        s_last = {};
        s_cRequests = 0;
    }
    void TearDown() override {
        HELPFILE_Release();
        DestroyWindow(m_hEngine);
        DestroyWindow(m_hOwner);
        DIAG_Terminate();
    }
    HWND m_hEngine = nullptr;
    HWND m_hOwner = nullptr;
    CDiagCapture m_capture;
};

TEST_F(HelpFileTest, TheRegisteredFileIsTheModuleNameWithTheHelpExtension) {
    ASSERT_TRUE(HELPFILE_Register(GetModuleHandleA(nullptr)));
    char szModule[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szModule, sizeof(szModule));
    std::string expected = szModule;
    expected = expected.substr(0, expected.rfind('.')) + ".HLP";
    EXPECT_EQ(expected, HELPFILE_GetRegistered());
    ASSERT_TRUE(HELPFILE_SetDefaultWindow(m_hOwner));
    EXPECT_TRUE(HELPFILE_Contents(nullptr, nullptr, nullptr));
    EXPECT_EQ(static_cast<UINT>(HELP_CONTENTS), s_last.uCommand);
    EXPECT_EQ(expected, s_last.file);
    EXPECT_EQ(m_hOwner, s_last.hFrom);
}

TEST_F(HelpFileTest, GivenFileWindowAndSecondaryWindowAreUsed) {
    EXPECT_TRUE(HELPFILE_Contents("C:\\help\\movies.hlp", m_hOwner, "proc4"));
    EXPECT_EQ("C:\\help\\movies.hlp>proc4", s_last.file);
    EXPECT_TRUE(HELPFILE_Quit("C:\\help\\movies.hlp", m_hOwner, nullptr));
    EXPECT_EQ(static_cast<UINT>(HELP_QUIT), s_last.uCommand);
}

TEST_F(HelpFileTest, MissingFileOrWindowIsAPreconditionAndAsksNothing) {
    EXPECT_FALSE(HELPFILE_Contents(nullptr, m_hOwner, nullptr));                // nothing registered
    EXPECT_FALSE(HELPFILE_Contents("C:\\help\\movies.hlp", nullptr, nullptr));  // no default window
    EXPECT_FALSE(HELPFILE_SetDefaultWindow(reinterpret_cast<HWND>(0x1234)));
    EXPECT_FALSE(HELPFILE_Register(nullptr));
    EXPECT_EQ(0, s_cRequests);
    EXPECT_NE(std::string::npos, m_capture.Text().find("MFX_PRE failed: in HLPFILE"));
}

}  // namespace
