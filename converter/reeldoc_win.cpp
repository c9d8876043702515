#include "converter/reeldoc_win.h"

#include <algorithm>

#include "converter/reelfile.h"
#include "converter/reelpro_ids.h"
#include "movie/vroonjob_win.h"
#include "toolkit/docframe/docapp_win.h"
#include "toolkit/filedlg_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("REELDOC");

namespace {

std::vector<CReelDoc*> s_openDocuments;

HWND MainWindow() {
    CDocApp* pApp = CDocApp::Get();
    return pApp && pApp->GetMainFrame() ? pApp->GetMainFrame()->GetHandle() : nullptr;
}

// The save dialog, centred over its parent when it opens.
UINT_PTR CALLBACK CenterHook(HWND hChild, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_INITDIALOG) {
        const HWND hDlg = GetParent(hChild);
        const HWND hOwner = GetWindow(hDlg, GW_OWNER);
        RECT rcDlg, rcOwner;
        GetWindowRect(hDlg, &rcDlg);
        if (hOwner && GetWindowRect(hOwner, &rcOwner)) {
            SetWindowPos(hDlg, nullptr, (rcOwner.left + rcOwner.right - (rcDlg.right - rcDlg.left)) / 2,
                         (rcOwner.top + rcOwner.bottom - (rcDlg.bottom - rcDlg.top)) / 2, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return 0;
}

void SetEnabled(CCommandState* pState, bool fEnabled) {
    pState->fEnabled = fEnabled;
}

}  // namespace

CReelDoc::CReelDoc() {
    s_openDocuments.push_back(this);
}

CReelDoc::~CReelDoc() {
    s_openDocuments.erase(std::remove(s_openDocuments.begin(), s_openDocuments.end(), this), s_openDocuments.end());
}

const std::vector<CReelDoc*>& CReelDoc::GetOpenDocuments() {
    return s_openDocuments;
}

bool CReelDoc::IsOpen(const CReelDoc* pDocument) {
    return std::find(s_openDocuments.begin(), s_openDocuments.end(), pDocument) != s_openDocuments.end();
}

CReelDoc* CReelDoc::FindOpenDocument(const char* szName) {
    for (CReelDoc* pDocument : s_openDocuments) {
        if (PATHNAME_IsSameName(pDocument->GetPathName().c_str(), szName))
            return pDocument;
    }
    return nullptr;
}

// The file itself is not read here: the preview opens it.
bool CReelDoc::OnOpenDocument(const char* szPath) {
    m_source.clear();
    return CDocument::OnOpenDocument(szPath);
}

std::string CReelDoc::GetTitle() const {
    std::string title = CDocument::GetTitle();
    if (!m_source.empty())
        title += " (" + m_source + ")";
    return title;
}

void CReelDoc::GetMovieName(char* szOut) const {
    szOut[0] = '\0';
    if (!m_fReleased)
        REELFILE_GetMovieName(GetPathName().c_str(), szOut);
}

void CReelDoc::SetReleased(bool fReleased) {
    m_fReleased = fReleased;
    UpdateAllViews(nullptr);
}

void CReelDoc::SetMovieSize(int cx, int cy) {
    m_cxMovie = cx;
    m_cyMovie = cy;
}

bool CReelDoc::OnCmdMsg(int idCommand, CCommandState* pState) {
    const bool fHasPath = !GetPathName().empty();
    switch (idCommand) {
        case ID_FILE_SAVE:
            if (pState)
                SetEnabled(pState, fHasPath && !m_source.empty());
            else if (fHasPath && !m_source.empty())
                SaveMovie(m_source.c_str(), GetPathName().c_str());
            return true;
        case ID_FILE_SAVE_AS:
            if (pState)
                SetEnabled(pState, fHasPath);
            else
                OnFileSaveAs();
            return true;
        case ID_MAKE_FASTSTART: {
            const bool fMovie = fHasPath && REELFILE_GetType(GetPathName().c_str()) == REELTYPE_MOV;
            if (pState)
                SetEnabled(pState, fMovie);
            else if (fMovie)
                MakeFastStart();
            return true;
        }
        default:
            return false;
    }
}

void CReelDoc::OnFileSaveAs() {
    const REELTYPE nType = REELFILE_GetType(GetPathName().c_str());
    if (GetPathName().empty() || nType == REELTYPE_NONE)
        return;
    PATHNAME szFolder = "";
    PATHNAME_GetJustPathNoSlash(GetPathName().c_str(), szFolder);
    PATHNAME szDefault = "";
    REELFILE_GetSaveAsName(GetPathName().c_str(), szDefault);
    FILEDLG dialog;
    dialog.hOwner = MainWindow();
    dialog.szFilter = REELFILE_GetSaveFilter(nType);
    dialog.szDefaultExtension = REELFILE_GetExtensionText(REELFILE_GetCounterpart(nType));
    dialog.szInitialFolder = szFolder;
    dialog.dwFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_SHAREAWARE;
    dialog.pfnHook = CenterHook;
    std::string chosen = szDefault;
    if (FILEDLG_GetFileName(dialog, true, chosen))
        SaveAs(chosen.c_str());
}

bool CReelDoc::SaveAs(const char* szDestination) {
    const std::string path = GetPathName();
    if (SaveMovie(path.c_str(), szDestination) != 1)
        return false;
    SetPathName(szDestination, false);
    SetModified(false);
    UpdateAllViews(nullptr);
    return true;
}

// The result 2 (a conversion into another form) is never produced: no such conversion exists yet.
int CReelDoc::SaveMovie(const char* szSource, const char* szDestination) {
    const REELSAVE nAction = REELFILE_GetSaveAction(szSource, szDestination);
    SetReleased(true);
    int nResult = 0;
    if (nAction == REELSAVE_COPY)
        nResult = PATHNAME_Copy(szSource, szDestination) ? 1 : 0;
    if (const char* szMessage = REELFILE_GetSaveMessage(nAction))
        MessageBoxA(MainWindow(), szMessage, WINDOW_GetAppTitle(), MB_OK);
    SetReleased(false);
    if (nResult == 0)
        UpdateAllViews(nullptr);
    return nResult;
}

void CReelDoc::MakeFastStart() {
    if (REELFILE_GetType(GetPathName().c_str()) != REELTYPE_MOV)
        return;
    SetReleased(true);
    RunVroonJob(MainWindow(), GetPathName().c_str(), false);
    // The job dispatches every waiting message of the program while it runs, so the document may have been
    // closed meanwhile.
    if (IsOpen(this))
        SetReleased(false);
}

bool RunVroonJob(HWND hParent, const char* szMovie, bool bAutoCommit) {
    CReelDoc* pDocument = CReelDoc::FindOpenDocument(szMovie);
    if (pDocument)
        pDocument->SetReleased(true);
    INT_PTR nResult;
    {
        CVroonJob job(szMovie, hParent, bAutoCommit, IDC_VROON_STOP);
        nResult = job.DoModal();
    }
    if (pDocument && CReelDoc::IsOpen(pDocument))
        pDocument->SetReleased(false);
    return nResult == IDOK;
}
