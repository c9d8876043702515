// The batch list document and its view under Wine, in a main window of the document layer: the clipboard
// between two lists, the commands' enable rules, the batch conversion, ".bag" files, and the view played as a
// user would: selecting, dragging, pressing Escape and dropping files.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "converter/batchdoc_win.h"
#include "movie/qtatoms.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "testing/moviefixture/moviefixture.h"
#include "testing/testsupport/uidriver_win.h"
#include "toolkit/diag.h"
#include "toolkit/docframe/docapp_win.h"
#include "toolkit/docframe/lstorder_win.h"

namespace {

using std::string;
using Names = std::vector<string>;

string Scratch(const string& name) {
    return TEMPFOLDER_Program() / name;
}

Names Paths(const CItemList& list) {
    Names paths;
    for (size_t i = 0; i < list.GetCount(); ++i)
        paths.push_back(CBatchList::ItemAt(list, i).GetPathName());
    return paths;
}

// Places dropped files on the window as the shell does: a DROPFILES block followed by the names.
void DropFiles(HWND hWnd, const Names& names) {
    string block;
    for (const string& name : names)
        block += name + '\0';
    block += '\0';
    HGLOBAL hDrop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + block.size());
    auto* pDrop = static_cast<DROPFILES*>(GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(pDrop) + sizeof(DROPFILES), block.data(), block.size());
    GlobalUnlock(hDrop);
    SendMessageA(hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
}

class BatchDocTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(DIAG_Initialize(GetModuleHandleA(nullptr)));
        s_pApp = new CDocApp(GetModuleHandleA(nullptr), "Flarion");
        s_pApp->AddTemplate(new CDocTemplate(GetModuleHandleA(nullptr), IDR_BATCHTYPE, BATCHDOC_FACTORY));
        ASSERT_TRUE(s_pApp->CreateMainFrame(IDR_MAINFRAME, "Orvanta Flarion"));
        ShowWindow(s_pApp->GetMainFrame()->GetHandle(), SW_SHOW);
    }
    static void TearDownTestSuite() {
        s_pApp->CloseAllDocuments();
        delete s_pApp;
        DIAG_Terminate();
    }
    void SetUp() override {
        const string mdat = MOVIEFIXTURE_Atom(QTATOM_MDAT, string(64, 'm'));
        const string moov = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, {8}))});
        for (int i = 0; i < 5; ++i) {
            m_movies.push_back(Scratch("clip" + std::to_string(i) + ".mov"));
            ASSERT_TRUE(TESTFILE_Write(m_movies.back(), i % 2 ? moov + mdat : mdat + moov));
        }
        ASSERT_TRUE(TESTFILE_Write(m_noMovie, mdat));
        SetCursorPos(1200, 1000);  // the real pointer stays away from the windows
    }
    void TearDown() override {
        s_pApp->CloseAllDocuments();
        for (const string& name : m_movies)
            DeleteFileA(name.c_str());
        DeleteFileA(m_noMovie.c_str());
        DeleteFileA(m_bag.c_str());
    }
    static CBatchDoc* NewBatch() { return dynamic_cast<CBatchDoc*>(s_pApp->NewDocument()); }
    static CBatchView* ViewOf(CBatchDoc* pDoc) { return dynamic_cast<CBatchView*>(pDoc->GetViews().at(0)); }
    static bool IsEnabled(CBatchDoc* pDoc, int idCommand) {
        CCommandState state;
        return pDoc->OnCmdMsg(idCommand, &state) && state.fEnabled;
    }
    static void Run(CBatchDoc* pDoc, int idCommand) { EXPECT_TRUE(pDoc->OnCmdMsg(idCommand, nullptr)); }
    static std::vector<int> SelectedEntries(CBatchView* pView) {
        std::vector<int> selected;
        for (int i = 0; i < pView->GetListBox().GetCount(); ++i) {
            if (pView->GetListBox().IsSelected(i))
                selected.push_back(i);
        }
        return selected;
    }
    // Selects exactly the given entries in the list box, as clicks would, and tells the view.
    static void SelectEntries(CBatchView* pView, const std::vector<int>& entries) {
        const HWND hList = pView->GetListBox().GetHandle();
        SendMessageA(hList, LB_SETSEL, FALSE, -1);
        for (int nEntry : entries)
            SendMessageA(hList, LB_SETSEL, TRUE, nEntry);
        SendMessageA(pView->GetHandle(), WM_COMMAND, MAKEWPARAM(IDLB_LISTVIEW, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hList));
    }
    // A press on an entry with the moves and the end of the drag already waiting in the queue.
    static void Drag(CBatchView* pView, int nFromEntry, POINT ptEnd, UINT uEnd, WPARAM wKeys = 0) {
        const HWND hList = pView->GetListBox().GetHandle();
        RECT rcFrom;
        SendMessageA(hList, LB_GETITEMRECT, nFromEntry, reinterpret_cast<LPARAM>(&rcFrom));
        const LPARAM lEnd = MAKELPARAM(static_cast<WORD>(ptEnd.x), static_cast<WORD>(ptEnd.y));
        PostMessageA(hList, WM_MOUSEMOVE, MK_LBUTTON, lEnd);
        if (uEnd == WM_KEYDOWN)
            PostMessageA(hList, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            PostMessageA(hList, uEnd, 0, lEnd);
        SendMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON | wKeys, MAKELPARAM(rcFrom.left + 40, rcFrom.top + 2));
        // What the drag left in the queue (all of it, when no drag started) reaches the list box as usual.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    int EntryTop(CBatchView* pView, int nEntry) {
        RECT rc;
        SendMessageA(pView->GetListBox().GetHandle(), LB_GETITEMRECT, nEntry, reinterpret_cast<LPARAM>(&rc));
        return rc.top;
    }

    static CDocApp* s_pApp;
    Names m_movies;  // even: flattened, odd: fast-start
    const string m_noMovie = Scratch("nomoov.mov");
    const string m_bag = Scratch("list.bag");
};
CDocApp* BatchDocTest::s_pApp = nullptr;

TEST_F(BatchDocTest, ClipboardCarriesTheSelectionToAnotherBatchList) {
    CBatchDoc* pSource = NewBatch();
    CBatchDoc* pTarget = NewBatch();
    ASSERT_TRUE(pSource && pTarget);
    pSource->AddFiles({m_movies[0], m_movies[1], m_movies[2]});
    pTarget->AddFiles({m_movies[1]});
    pSource->GetSelectionList().RemoveAll();
    pSource->GetSelectionList().Add(pSource->GetItemList().GetAt(2));
    pSource->GetSelectionList().Add(pSource->GetItemList().GetAt(1));
    Run(pSource, ID_EDIT_COPY);
    EXPECT_TRUE(IsEnabled(pTarget, ID_EDIT_PASTE));
    Run(pTarget, ID_EDIT_PASTE);
    EXPECT_EQ((Names{m_movies[1], m_movies[2]}), Paths(pTarget->GetItemList()));
    EXPECT_EQ(Names{m_movies[2]}, Paths(pTarget->GetSelectionList()));
    EXPECT_TRUE(pTarget->IsModified());
    EXPECT_EQ(std::vector<int>{1}, SelectedEntries(ViewOf(pTarget)));

    Run(pSource, ID_EDIT_CUT);
    EXPECT_EQ(Names{m_movies[0]}, Paths(pSource->GetItemList()));
    EXPECT_TRUE(pSource->GetSelectionList().IsEmpty());
    EXPECT_EQ(1, ViewOf(pSource)->GetListBox().GetCount());
}

TEST_F(BatchDocTest, CommandsAreEnabledByTheListAndTheSelection) {
    CBatchDoc* pDoc = NewBatch();
    ASSERT_TRUE(pDoc);
    OpenClipboard(s_pApp->GetMainFrame()->GetHandle());
    EmptyClipboard();
    CloseClipboard();
    const int commands[] = {ID_MAKE_FASTSTART,  ID_EDIT_CUT,         ID_EDIT_COPY, ID_EDIT_PASTE,   ID_EDIT_CLEAR,
                            ID_EDIT_SELECT_ALL, ID_EDIT_SELECT_NONE, ID_BATCH_ADD, ID_MOVIE_PREVIEW};
    const struct {
        const char* szCase;
        Names files;
        bool fSelectNone;
        std::vector<bool> enabled;  // in the order of commands
    } cases[] = {
        {"empty list", {}, false, {false, false, false, false, false, false, false, true, false}},
        {"items added and selected",
         {m_movies[0], m_movies[1]},
         false,
         {true, true, true, false, true, true, true, true, true}},
        {"nothing selected", {}, true, {true, false, false, false, false, true, false, true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        if (!c.files.empty())
            pDoc->AddFiles(c.files);
        if (c.fSelectNone)
            Run(pDoc, ID_EDIT_SELECT_NONE);
        for (size_t i = 0; i < std::size(commands); ++i) {
            SCOPED_TRACE(commands[i]);
            EXPECT_EQ(c.enabled[i], IsEnabled(pDoc, commands[i]));
        }
    }
    Run(pDoc, ID_EDIT_SELECT_ALL);
    EXPECT_EQ((Names{m_movies[0], m_movies[1]}), Paths(pDoc->GetSelectionList()));
    EXPECT_TRUE(pDoc->IsAllSelected());
    Run(pDoc, ID_EDIT_CLEAR);
    EXPECT_TRUE(pDoc->GetItemList().IsEmpty());
}

// Each job of the run closes by itself; the deleted movie is passed over, and the icons follow the files.
TEST_F(BatchDocTest, BatchRunConvertsExistingMoviesAndRefreshesTheIcons) {
    CBatchDoc* pDoc = NewBatch();
    ASSERT_TRUE(pDoc);
    pDoc->AddFiles({m_movies[0], m_movies[2], m_movies[1]});
    const HICON hFast = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_FASTSTART));
    const HICON hNotFast = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NOTFASTSTART));
    EXPECT_EQ(hNotFast, pDoc->GetItemIcon(pDoc->GetItemList().GetAt(0)));
    EXPECT_EQ(hFast, pDoc->GetItemIcon(pDoc->GetItemList().GetAt(2)));
    ASSERT_TRUE(DeleteFileA(m_movies[2].c_str()));
    CModalTimeout guard(20000);
    Run(pDoc, ID_MAKE_FASTSTART);
    EXPECT_FALSE(guard.Expired());
    EXPECT_EQ(hFast, pDoc->GetItemIcon(pDoc->GetItemList().GetAt(0)));
    EXPECT_EQ(hNotFast, pDoc->GetItemIcon(pDoc->GetItemList().GetAt(1)));
    EXPECT_EQ(hFast, pDoc->GetItemIcon(pDoc->GetItemList().GetAt(2)));
    EXPECT_FALSE(TESTFILE_Exists(m_movies[2]));
    // The painted list shows the new icon: the green description at the front of entry 0.
    CBatchView* pView = ViewOf(pDoc);
    UpdateWindow(pView->GetListBox().GetHandle());
    HDC hdc = GetDC(pView->GetListBox().GetHandle());
    EXPECT_EQ(RGB(0, 128, 0), GetPixel(hdc, 2, EntryTop(pView, 0) + 5));
    EXPECT_EQ(RGB(128, 128, 128), GetPixel(hdc, 2, EntryTop(pView, 1) + 4));
    ReleaseDC(pView->GetListBox().GetHandle(), hdc);
}

TEST_F(BatchDocTest, BagFilesReopenAsSavedAndMalformedOnesDoNotOpen) {
    CBatchDoc* pDoc = NewBatch();
    ASSERT_TRUE(pDoc);
    pDoc->AddFiles({m_movies[3], m_movies[0]});
    ASSERT_TRUE(pDoc->SaveAs(m_bag.c_str()));
    EXPECT_FALSE(pDoc->IsModified());
    const string bytes = TESTFILE_Read(m_bag);
    pDoc->Close();

    auto* pOpened = dynamic_cast<CBatchDoc*>(s_pApp->OpenDocumentFile(m_bag.c_str()));
    ASSERT_NE(nullptr, pOpened);
    EXPECT_EQ((Names{m_movies[3], m_movies[0]}), Paths(pOpened->GetItemList()));
    EXPECT_TRUE(pOpened->GetSelectionList().IsEmpty());
    EXPECT_EQ(2, ViewOf(pOpened)->GetListBox().GetCount());
    pOpened->Close();

    ASSERT_TRUE(TESTFILE_Write(m_bag, bytes + "x"));
    CBoxAnswer answer(IDOK);
    EXPECT_EQ(nullptr, s_pApp->OpenDocumentFile(m_bag.c_str()));
    EXPECT_TRUE(answer.Wait()) << "the file is named in a message";
}

TEST_F(BatchDocTest, SelectionFollowsTheListBoxAndTheListBoxFollowsTheDocument) {
    CBatchDoc* pDoc = NewBatch();
    ASSERT_TRUE(pDoc);
    pDoc->AddFiles({m_movies[0], m_movies[1], m_movies[2], m_movies[3]});
    CBatchView* pView = ViewOf(pDoc);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), SelectedEntries(pView));

    SelectEntries(pView, {3, 1});
    EXPECT_EQ((Names{m_movies[1], m_movies[3]}), Paths(pDoc->GetSelectionList()));

    pDoc->GetSelectionList().RemoveAll();
    pDoc->GetSelectionList().Add(pDoc->GetItemList().GetAt(2));
    pDoc->UpdateAllViews(nullptr);
    EXPECT_EQ(std::vector<int>{2}, SelectedEntries(pView));
}

TEST_F(BatchDocTest, DraggingTheSelectionMovesItToTheFrontOrTheEndAndEscapeOrOutsideMovesNothing) {
    const struct {
        const char* szCase;
        int nEndEntry;  // the entry under the release; -1 below the list box
        bool fLowerHalf;
        UINT uEnd;
        Names order;  // of movies 0..4 by index
    } cases[] = {
        {"to the front", 0, false, WM_LBUTTONUP, {"2", "4", "0", "1", "3"}},
        {"to the end", 4, true, WM_LBUTTONUP, {"0", "1", "3", "2", "4"}},
        {"Escape", 0, false, WM_KEYDOWN, {"0", "1", "2", "3", "4"}},
        {"released outside", -1, false, WM_LBUTTONUP, {"0", "1", "2", "3", "4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        CBatchDoc* pDoc = NewBatch();
        ASSERT_TRUE(pDoc);
        pDoc->AddFiles(m_movies);
        pDoc->SetModified(false);
        CBatchView* pView = ViewOf(pDoc);
        SelectEntries(pView, {2, 4});
        RECT rcClient;
        GetClientRect(pView->GetListBox().GetHandle(), &rcClient);
        const int nHeight = EntryTop(pView, 1) - EntryTop(pView, 0);
        const POINT ptEnd = {40, c.nEndEntry < 0 ? rcClient.bottom + 20
                                                 : EntryTop(pView, c.nEndEntry) + (c.fLowerHalf ? nHeight - 2 : 2)};
        Drag(pView, 2, ptEnd, c.uEnd);
        Names order;
        for (size_t i = 0; i < pDoc->GetItemList().GetCount(); ++i) {
            const string& path = CBatchList::ItemAt(pDoc->GetItemList(), i).GetPathName();
            order.push_back(path.substr(path.size() - 5, 1));
        }
        EXPECT_EQ(c.order, order);
        EXPECT_EQ(c.order[0] != "0" || c.order[2] != "2", pDoc->IsModified());
        EXPECT_EQ(nullptr, GetCapture());
        pDoc->Close();
    }
}

TEST_F(BatchDocTest, PressOnAnUnselectedEntryWithControlOrWithAllSelectedStartsNoDrag) {
    CBatchDoc* pDoc = NewBatch();
    ASSERT_TRUE(pDoc);
    pDoc->AddFiles({m_movies[0], m_movies[1], m_movies[2]});
    pDoc->SetModified(false);
    CBatchView* pView = ViewOf(pDoc);
    const POINT ptFront = {40, EntryTop(pView, 0) + 2};
    const Names order = {m_movies[0], m_movies[1], m_movies[2]};
    // Each press gets the list box's own handling: a plain press selects its entry alone, one with Control
    // toggles it, and the move to the front with the button down extends the selection from there. A drag
    // would have moved the selection, kept it as it was, or (with all selected) marked the list modified.
    const struct {
        const char* szCase;
        std::vector<int> selected;
        int nPressed;
        WPARAM wKeys;
        Names selection;
    } cases[] = {
        {"all selected", {0, 1, 2}, 2, 0, order},
        {"with Control", {1, 2}, 1, MK_CONTROL, {m_movies[0], m_movies[1]}},
        {"on an unselected entry", {1}, 2, 0, order},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        SelectEntries(pView, c.selected);
        Drag(pView, c.nPressed, ptFront, WM_LBUTTONUP, c.wKeys);
        EXPECT_EQ(order, Paths(pDoc->GetItemList()));
        EXPECT_EQ(c.selection, Paths(pDoc->GetSelectionList()));
        EXPECT_FALSE(pDoc->IsModified());
    }
}

TEST_F(BatchDocTest, DroppedFilesAddTheMoviesInDropOrderAndSelectExactlyThem) {
    CBatchDoc* pDoc = NewBatch();
    ASSERT_TRUE(pDoc);
    pDoc->AddFiles({m_movies[0]});
    CBatchView* pView = ViewOf(pDoc);
    DropFiles(pView->GetHandle(), {m_movies[3], m_noMovie, m_movies[1]});
    EXPECT_EQ((Names{m_movies[0], m_movies[3], m_movies[1]}), Paths(pDoc->GetItemList()));
    EXPECT_EQ((Names{m_movies[3], m_movies[1]}), Paths(pDoc->GetSelectionList()));
    EXPECT_EQ((std::vector<int>{1, 2}), SelectedEntries(pView));
    EXPECT_TRUE(pDoc->IsModified());
}

}  // namespace
