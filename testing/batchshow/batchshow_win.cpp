// batchshow: shows a batch list for screenshots (./go screenshots), posing at these moments:
//
//   1-batch-list     movies in fast-start form and not yet, two of them selected
//   2-dragging       the selection dragged before the first movie, the marker showing where it will go
//   3-cannot-open    the message for a damaged list chosen in File Open
//   4-save-question  the question before the changed list closes with the main window (answered No)
//
//   batchshow FOLDER
#include <windows.h>

#include <dlgs.h>

#include <cstdio>
#include <string>

#include "converter/batchdoc_win.h"
#include "movie/qtatoms.h"
#include "testing/moviefixture/moviefixture.h"
#include "testing/testsupport/showpose_win.h"
#include "testing/testsupport/testfile.h"
#include "testing/testsupport/uidriver_win.h"
#include "toolkit/docframe/docapp_win.h"

namespace {

LPARAM PointOf(HWND hList, int nEntry, int dy) {
    RECT rc;
    SendMessageA(hList, LB_GETITEMRECT, nEntry, reinterpret_cast<LPARAM>(&rc));
    return MAKELPARAM(rc.left + 60, rc.top + dy);
}

// Poses the message box with this text when it comes, then presses its button.
void Answer(const std::string& folder, const char* szPose, const std::string& text, int idButton) {
    const HWND hBox = UIDRIVER_WaitForMessageBox(text.c_str(), UIDRIVER_TIMEOUT);
    if (!hBox)
        return;
    Sleep(300);
    SHOWPOSE_Pose(folder, szPose);
    UIDRIVER_PressButton(hBox, idButton);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: batchshow FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\";
    const char* names[] = {"Sunset over the bay.mov", "Harbour lights.mov", "Morning market.qt", "Tide pools.mov",
                           "Lighthouse at dusk.mov"};
    const std::string mdat = MOVIEFIXTURE_Atom(QTATOM_MDAT, std::string(256, 'm'));
    const std::string moov = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, {8}))});
    std::vector<std::string> movies;
    for (size_t i = 0; i < std::size(names); ++i) {
        movies.push_back(folder + names[i]);
        TESTFILE_Write(movies.back(), i % 2 ? moov + mdat : mdat + moov);
    }
    const std::string damaged = folder + "Holiday clips.bag";
    TESTFILE_Write(damaged, "not a batch list");

    WINDOW_SetAppTitle("Flarion");
    CDocApp app(GetModuleHandleA(nullptr), "Flarion");
    app.AddTemplate(new CDocTemplate(app.GetInstance(), IDR_BATCHTYPE, BATCHDOC_FACTORY));
    if (!app.CreateMainFrame(IDR_MAINFRAME, "Orvanta Flarion"))
        return 1;
    const HWND hFrame = app.GetMainFrame()->GetHandle();
    SetWindowPos(hFrame, nullptr, 40, 40, 640, 360, SWP_NOZORDER | SWP_SHOWWINDOW);
    auto* pDoc = dynamic_cast<CBatchDoc*>(app.NewDocument());
    if (!pDoc)
        return 1;
    pDoc->AddFiles(movies);
    auto* pView = dynamic_cast<CBatchView*>(pDoc->GetViews().at(0));
    SendMessageA(app.GetMainFrame()->GetClient(), WM_MDIMAXIMIZE,
                 reinterpret_cast<WPARAM>(pView->GetFrame()->GetHandle()), 0);
    const HWND hList = pView->GetListBox().GetHandle();
    pDoc->GetSelectionList().RemoveAll();
    pDoc->GetSelectionList().Add(pDoc->GetItemList().GetAt(2));
    pDoc->GetSelectionList().Add(pDoc->GetItemList().GetAt(4));
    pDoc->UpdateAllViews(nullptr);

    CUserThread user([&] {
        Sleep(500);
        SHOWPOSE_Pose(folder, "1-batch-list");
        PostMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(hList, 2, 4));
        PostMessageA(hList, WM_MOUSEMOVE, MK_LBUTTON, PointOf(hList, 0, 3));
        Sleep(500);
        SHOWPOSE_Pose(folder, "2-dragging");
        PostMessageA(hList, WM_LBUTTONUP, 0, PointOf(hList, 0, 3));
        Sleep(300);
        PostMessageA(hFrame, WM_COMMAND, ID_FILE_OPEN, 0);
        if (HWND hOpen = UIDRIVER_WaitForDialog("Open", UIDRIVER_TIMEOUT)) {
            SendMessageA(GetDlgItem(hOpen, cmb13), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(damaged.c_str()));
            UIDRIVER_PressButton(hOpen, IDOK);
        }
        Answer(folder, "3-cannot-open",
               "Cannot open the batch list " + damaged + ".\n\nThe file is damaged or is not a batch list.", IDOK);
        PostMessageA(hFrame, WM_CLOSE, 0, 0);
        Answer(folder, "4-save-question", "Save changes to Movie Batch?", IDNO);
    });
    app.Run();
    user.Join();
    for (const std::string& movie : movies)
        DeleteFileA(movie.c_str());
    DeleteFileA(damaged.c_str());
    return 0;
}
