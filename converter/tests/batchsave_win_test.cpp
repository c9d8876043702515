// The batch list's changes and files in the converter program under Wine: the question before a modified list
// closes, by every way a user closes it, and the messages for ".bag" files that cannot be opened or saved.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "converter/batchdoc_win.h"
#include "converter/reelapp_win.h"
#include "movie/qtatoms.h"
#include "toolkit/diag.h"
#include "tools/moviefixture/moviefixture.h"
#include "tools/testsupport/uidriver_win.h"

namespace {

using std::string;

const UINT QUESTION_STYLE = MB_YESNOCANCEL | MB_ICONEXCLAMATION;
const UINT MESSAGE_STYLE = MB_OK | MB_ICONEXCLAMATION;
const DWORD NO_BOX_WAIT = 700;  // how long a box that should not come is waited for

// The ways a user closes a list: its own window, File Close, the main window's close box, File Exit and the
// end of the Windows session.
enum WAY { CLOSEBOX, FILECLOSE, MAINCLOSE, FILEEXIT, ENDSESSION };
const char* const WAY_NAMES[] = {"close box", "File Close", "main window", "File Exit", "end of session"};

const char* AnswerName(int idAnswer) {
    switch (idAnswer) {
        case IDYES:
            return "Yes";
        case IDNO:
            return "No";
        default:
            return "Cancel";
    }
}

class BatchSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        DIAG_Initialize(GetModuleHandleA(nullptr));
        char szTemp[MAX_PATH] = "";
        GetTempPathA(sizeof(szTemp), szTemp);
        m_dir = string(szTemp) + "batchsave test";
        CreateDirectoryA(m_dir.c_str(), nullptr);
        const string mdat = MOVIEFIXTURE_Atom(QTATOM_MDAT, string(64, 'm'));
        const string moov = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, {8}))});
        for (const char* szName : {"a.mov", "b.mov"}) {
            m_movies.push_back(m_dir + "\\" + szName);
            ASSERT_TRUE(MOVIEFIXTURE_WriteFile(m_movies.back(), mdat + moov));
        }
        m_bag = m_dir + "\\list.bag";
        m_app = std::make_unique<CReelApp>(GetModuleHandleA(nullptr));
        ASSERT_TRUE(m_app->InitInstance("", SW_SHOW));
        Pump();
    }

    void TearDown() override {
        m_app.reset();
        SetFileAttributesA(m_bag.c_str(), FILE_ATTRIBUTE_NORMAL);
        WIN32_FIND_DATAA found;
        const HANDLE hFind = FindFirstFileA((m_dir + "\\*").c_str(), &found);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((m_dir + "\\" + found.cFileName).c_str());
            } while (FindNextFileA(hFind, &found));
            FindClose(hFind);
        }
        RemoveDirectoryA(m_dir.c_str());
        DIAG_Terminate();
    }

    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    HWND MainWindow() const { return m_app->GetMainFrame()->GetHandle(); }
    bool IsOpen(CDocument* pDoc) const {
        for (CDocument* pOpen : m_app->GetDocuments()) {
            if (pOpen == pDoc)
                return true;
        }
        return false;
    }

    // A list of the first movie saved as m_bag, then changed by adding the second.
    CBatchDoc* ChangedSavedList() {
        auto* pDoc = dynamic_cast<CBatchDoc*>(m_app->NewDocument());
        if (!pDoc)
            return nullptr;
        pDoc->AddFiles({m_movies[0]});
        if (!pDoc->SaveAs(m_bag.c_str()))
            return nullptr;
        m_saved = MOVIEFIXTURE_ReadFile(m_bag);
        pDoc->AddFiles({m_movies[1]});
        return pDoc;
    }

    // Closes the active list the given way; true when the session may end (for ENDSESSION).
    bool CloseBy(WAY way, CDocument* pDoc) {
        switch (way) {
            case CLOSEBOX:
                SendMessageA(pDoc->GetViews().at(0)->GetFrame()->GetHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            case FILECLOSE:
                SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_CLOSE, 0);
                break;
            case MAINCLOSE:
                SendMessageA(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            case FILEEXIT:
                SendMessageA(MainWindow(), WM_COMMAND, ID_APP_EXIT, 0);
                break;
            case ENDSESSION:
                return SendMessageA(MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != FALSE;
        }
        Pump();
        return true;
    }

    // The names of the files in the test's folder that are not the movies or the list.
    std::vector<string> Leftovers() const {
        std::vector<string> names;
        WIN32_FIND_DATAA found;
        const HANDLE hFind = FindFirstFileA((m_dir + "\\*").c_str(), &found);
        if (hFind == INVALID_HANDLE_VALUE)
            return names;
        do {
            const string name = found.cFileName;
            if (name != "." && name != ".." && name != "a.mov" && name != "b.mov" && name != "list.bag")
                names.push_back(name);
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
        return names;
    }

    std::unique_ptr<CReelApp> m_app;
    string m_dir, m_bag, m_saved;
    std::vector<string> m_movies;
};

TEST_F(BatchSaveTest, AChangedListAsksBeforeEveryWayOfClosingAndObeysTheAnswer) {
    for (WAY way : {CLOSEBOX, FILECLOSE, MAINCLOSE, FILEEXIT, ENDSESSION}) {
        for (int idAnswer : {IDYES, IDNO, IDCANCEL}) {
            SCOPED_TRACE(string(WAY_NAMES[way]) + ", " + AnswerName(idAnswer));
            if (!IsWindow(MainWindow())) {
                m_app.reset();
                m_app = std::make_unique<CReelApp>(GetModuleHandleA(nullptr));
                ASSERT_TRUE(m_app->InitInstance("", SW_SHOW));
            }
            m_app->CloseAllDocuments();
            Pump();
            DeleteFileA(m_bag.c_str());
            CBatchDoc* pDoc = ChangedSavedList();
            ASSERT_NE(nullptr, pDoc);
            std::vector<uint8_t> changed;
            ASSERT_TRUE(pDoc->GetItemList().StoreBlock(changed));

            CModalTimeout guard(10000);
            CBoxAnswer answer(idAnswer);
            const bool fSessionMayEnd = CloseBy(way, pDoc);
            ASSERT_TRUE(answer.Wait());
            EXPECT_FALSE(guard.Expired());
            EXPECT_EQ("Save changes to " + m_bag + "?", answer.Text());
            EXPECT_EQ("Flarion", answer.Caption());
            EXPECT_EQ(QUESTION_STYLE, answer.Style());

            const bool fClosed = way != ENDSESSION && idAnswer != IDCANCEL;
            EXPECT_EQ(!fClosed, IsOpen(pDoc));
            EXPECT_EQ(fClosed && (way == MAINCLOSE || way == FILEEXIT), !IsWindow(MainWindow()));
            if (way == ENDSESSION)
                EXPECT_EQ(idAnswer != IDCANCEL, fSessionMayEnd);
            if (IsOpen(pDoc))
                EXPECT_EQ(idAnswer != IDYES, pDoc->IsModified());
            EXPECT_EQ(idAnswer == IDYES ? string(changed.begin(), changed.end()) : m_saved,
                      MOVIEFIXTURE_ReadFile(m_bag));
        }
    }
    EXPECT_EQ(std::vector<string>{}, Leftovers());
}

TEST_F(BatchSaveTest, YesOnAnUntitledListSavesItThroughTheSaveDialog) {
    for (bool fCancelDialog : {false, true}) {
        SCOPED_TRACE(fCancelDialog ? "dialog cancelled" : "name given");
        DeleteFileA(m_bag.c_str());
        auto* pDoc = dynamic_cast<CBatchDoc*>(m_app->NewDocument());
        ASSERT_NE(nullptr, pDoc);
        pDoc->AddFiles({m_movies[1]});
        string question;
        CModalTimeout guard(15000);
        CUserThread user([&] {
            CBoxAnswer answer(IDYES, UIDRIVER_TIMEOUT, "Save changes to Movie Batch?");
            if (!answer.Wait())
                return;
            question = answer.Text();
            const HWND hDlg = UIDRIVER_WaitForDialog("Save As", UIDRIVER_TIMEOUT);
            if (!hDlg)
                return;
            if (fCancelDialog) {
                UIDRIVER_PressButton(hDlg, IDCANCEL);
                return;
            }
            SendMessageA(GetDlgItem(hDlg, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_bag.c_str()));
            UIDRIVER_PressButton(hDlg, IDOK);
        });
        SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_CLOSE, 0);
        user.Join();
        EXPECT_FALSE(guard.Expired());
        EXPECT_EQ("Save changes to Movie Batch?", question);
        EXPECT_EQ(fCancelDialog, IsOpen(pDoc)) << "a cancelled save stops the close";
        EXPECT_EQ(!fCancelDialog, MOVIEFIXTURE_FileExists(m_bag));
        if (fCancelDialog) {
            EXPECT_TRUE(pDoc->IsModified());
            pDoc->Close();
            Pump();
        }
    }
}

TEST_F(BatchSaveTest, SavedListsAndMoviesCloseWithoutAQuestion) {
    CBatchDoc* pDoc = ChangedSavedList();
    ASSERT_NE(nullptr, pDoc);
    ASSERT_TRUE(pDoc->SaveAs(m_bag.c_str()));
    ASSERT_NE(nullptr, m_app->OpenDocumentFile(m_movies[0].c_str()));
    Pump();
    ASSERT_EQ(2u, m_app->GetDocuments().size());
    CModalTimeout guard(10000);
    CBoxAnswer answer(IDCANCEL, NO_BOX_WAIT);
    CloseBy(MAINCLOSE, pDoc);
    EXPECT_FALSE(answer.Wait()) << answer.Text();
    EXPECT_FALSE(IsWindow(MainWindow()));
    EXPECT_TRUE(m_app->GetDocuments().empty());
}

TEST_F(BatchSaveTest, AFileThatIsNoListShowsWhyItCannotOpenAndOpensNoWindow) {
    auto* pDoc = dynamic_cast<CBatchDoc*>(m_app->NewDocument());
    ASSERT_NE(nullptr, pDoc);
    pDoc->AddFiles(m_movies);
    std::vector<uint8_t> block;
    ASSERT_TRUE(pDoc->GetItemList().StoreBlock(block));
    pDoc->Close();
    Pump();
    const string good(block.begin(), block.end());
    const string damaged = m_dir + "\\damaged.bag", missing = m_dir + "\\missing.bag";
    const string damagedReason = "The file is damaged or is not a batch list.";
    // One item of a class that is not "CBatchItem".
    const string otherClass = string("\x01\x00\xff\xff\x00\x00\x0a\x00", 8) + "CBatchThem" + '\x00';
    const struct {
        const char* szCase;
        string bytes;  // written to damaged.bag
        string path;
        string reason;
    } cases[] = {
        {"trailing bytes", good + "x", damaged, damagedReason},
        {"truncated", good.substr(0, good.size() - 3), damaged, damagedReason},
        {"empty", "", damaged, damagedReason},
        {"not a list", "[windows]\r\nload=\r\n", damaged, damagedReason},
        {"another class", otherClass, damaged, damagedReason},
        {"missing", "", missing, "The file does not exist."},
        {"in use", good, damaged, "The file is in use by another program."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        ASSERT_TRUE(MOVIEFIXTURE_WriteFile(damaged, c.bytes));
        const bool fLock = c.reason == "The file is in use by another program.";
        const HANDLE hLock =
            fLock ? CreateFileA(damaged.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                  : INVALID_HANDLE_VALUE;
        CModalTimeout guard(10000);
        CBoxAnswer answer(IDOK);
        EXPECT_EQ(nullptr, m_app->OpenDocumentFile(c.path.c_str()));
        ASSERT_TRUE(answer.Wait());
        if (hLock != INVALID_HANDLE_VALUE)
            CloseHandle(hLock);
        EXPECT_EQ("Cannot open the batch list " + c.path + ".\n\n" + c.reason, answer.Text());
        EXPECT_EQ("Flarion", answer.Caption());
        EXPECT_EQ(MESSAGE_STYLE, answer.Style());
        Pump();
        EXPECT_TRUE(m_app->GetDocuments().empty());
        EXPECT_EQ(nullptr, m_app->GetMainFrame()->GetActiveChild());
    }
}

TEST_F(BatchSaveTest, AFailedSaveShowsWhyAndKeepsTheListChangedUnderItsName) {
    CBatchDoc* pDoc = ChangedSavedList();
    ASSERT_NE(nullptr, pDoc);
    ASSERT_TRUE(SetFileAttributesA(m_bag.c_str(), FILE_ATTRIBUTE_READONLY));
    const string readOnly = "The file is read-only, or the folder cannot be written to.";
    {
        CModalTimeout guard(10000);
        CBoxAnswer answer(IDOK);
        SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_SAVE, 0);
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ("Cannot save the batch list " + m_bag + ".\n\n" + readOnly, answer.Text());
        EXPECT_EQ(MESSAGE_STYLE, answer.Style());
    }
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(m_saved, MOVIEFIXTURE_ReadFile(m_bag));

    const string gone = m_dir + "\\gone\\list.bag";
    {
        CBoxAnswer answer(IDOK);
        EXPECT_FALSE(pDoc->SaveAs(gone.c_str()));
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ("Cannot save the batch list " + gone + ".\n\nThe folder does not exist.", answer.Text());
    }
    EXPECT_EQ(m_bag, pDoc->GetPathName());
    EXPECT_TRUE(pDoc->IsModified());

    // Yes to the question, then a save that fails: the list stays open.
    {
        CModalTimeout guard(10000);
        CBoxAnswer question(IDYES, UIDRIVER_TIMEOUT, ("Save changes to " + m_bag + "?").c_str());
        const string message = "Cannot save the batch list " + m_bag + ".\n\n" + readOnly;
        CUserThread user([&] {
            if (question.Wait())
                CBoxAnswer answer(IDOK, UIDRIVER_TIMEOUT, message.c_str());
        });
        CloseBy(CLOSEBOX, pDoc);
        user.Join();
        EXPECT_TRUE(question.Wait());
        EXPECT_FALSE(guard.Expired());
    }
    EXPECT_TRUE(IsOpen(pDoc));
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(m_saved, MOVIEFIXTURE_ReadFile(m_bag));
    EXPECT_EQ(std::vector<string>{}, Leftovers()) << "no temporary file stays behind";
}

}  // namespace
