#include "toolkit/commfile_win.h"

#include <string>

#include "toolkit/commfile.h"
#include "toolkit/ctrllist_win.h"
#include "toolkit/mfx.h"
#include "toolkit/newdir_win.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"
#include "toolkit/strings.h"
#include "toolkit/window_win.h"

MFX_SOURCE_MODULE("COMMFILE");

namespace {

const char CHOOSER_CAPTION[] = "Choose Directory";
const char CHOOSER_PROPERTY[] = "COMMFILE";

// The chooser's folder list, as the steps that take a new folder in address it.
struct CDirList {
    HWND m_hWnd;
    LRESULT GetCurSel() const { return SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0); }
    LRESULT SetCurSel(LRESULT nIndex) const { return SendMessageA(m_hWnd, LB_SETCURSEL, nIndex, 0); }
    LRESULT FindString(const char* szPrefix) const {
        return SendMessageA(m_hWnd, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(szPrefix));
    }
    LRESULT GetCount() const { return SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0); }
    std::string GetText(LRESULT nIndex) const {
        const LRESULT cch = SendMessageA(m_hWnd, LB_GETTEXTLEN, nIndex, 0);
        if (cch == LB_ERR)
            return std::string();
        std::string text(static_cast<size_t>(cch) + 1, '\0');
        SendMessageA(m_hWnd, LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(cch));
        return text;
    }
};

// A control's notification as the control itself would send it to its dialog (or post it).
LRESULT CWnd_ParentCommand(const CDirList* pCtrl, UINT nCode, BOOL fPost) {
    const HWND hParent = GetParent(pCtrl->m_hWnd);
    const WPARAM wParam = MAKEWPARAM(GetDlgCtrlID(pCtrl->m_hWnd), nCode);
    const LPARAM lParam = reinterpret_cast<LPARAM>(pCtrl->m_hWnd);
    if (fPost)
        return PostMessageA(hParent, WM_COMMAND, wParam, lParam) ? 0 : LB_ERR;
    return SendMessageA(hParent, WM_COMMAND, wParam, lParam);
}

BOOL CALLBACK GiveFont(HWND hControl, LPARAM lParam) {
    SendMessageA(hControl, WM_SETFONT, static_cast<WPARAM>(lParam), TRUE);
    return TRUE;
}

// One open chooser: the hook's object, found through the dialog's property.
class COpenPath {
public:
    COpenPath(const COMMFILE_VARIANT* pVariant, char* szFolder, const char* szTitle, COMMFILE_PLACE pfnPlace)
        : m_pVariant(pVariant), m_szFolder(szFolder), m_szTitle(szTitle), m_pfnPlace(pfnPlace) {}
    ~COpenPath() {
        if (m_hFont)
            DeleteObject(m_hFont);
    }
    COpenPath(const COpenPath&) = delete;
    COpenPath& operator=(const COpenPath&) = delete;

    bool Confirmed() const { return m_fConfirmed; }
    static UINT_PTR CALLBACK Hook(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

private:
    void OnInitDialog(HWND hDlg);
    void OnSelectionChanged();
    void OnOK();
    void OnCreate();
    bool TakeNewFolder(const char* szName);

    const COMMFILE_VARIANT* m_pVariant;
    char* m_szFolder;
    const char* m_szTitle;
    COMMFILE_PLACE m_pfnPlace;
    HWND m_hWnd = nullptr;
    HFONT m_hFont = nullptr;
    bool m_fConfirmed = false;
    UINT m_uSelChangeMessage = RegisterWindowMessageA(LBSELCHSTRINGA);
};

void COpenPath::OnInitDialog(HWND hDlg) {
    m_hWnd = hDlg;
    SetPropA(hDlg, CHOOSER_PROPERTY, this);
    if (m_pfnPlace)
        m_pfnPlace(hDlg);
    else
        WINDOW_CenterOver(hDlg, GetWindow(hDlg, GW_OWNER));
    m_hFont = CTRLLIST_CreateFont();
    if (m_hFont)
        EnumChildWindows(hDlg, GiveFont, reinterpret_cast<LPARAM>(m_hFont));
    SetDlgItemTextA(hDlg, m_pVariant->idSelected, m_szFolder);
    if (m_szTitle)
        SetWindowTextA(hDlg, m_szTitle);
}

void COpenPath::OnSelectionChanged() {
    PATHNAME PathName = "";
    bool fOk;
    // The reports of this file quote their checks as written.
    // clang-format off
    MFX_VERIFY(fOk = COMMFILE_GetSelectedDir( m_hWnd, PathName));
    // clang-format on
    if (!fOk)
        return;
    SetDlgItemTextA(m_hWnd, m_pVariant->idSelected, PathName);
    PATHNAME_Assign(m_szFolder, PathName);
}

// The file dialog's own check of a file name is never reached.
void COpenPath::OnOK() {
    GetDlgItemTextA(m_hWnd, m_pVariant->idSelected, m_szFolder, sizeof(PATHNAME));
    m_fConfirmed = true;
    EndDialog(m_hWnd, IDOK);
}

void COpenPath::OnCreate() {
    const NEWDIR_TEMPLATE newDir = {m_pVariant->hInstance, m_pVariant->szNewFolder, m_pVariant->idNewName,
                                    m_pVariant->szPresetName};
    char szName[NEWDIR_NAMESIZE] = "";
    if (NEWDIR_Run(&newDir, m_hWnd, szName))
        TakeNewFolder(szName);
}

// The list is reread, the new folder selected and entered as a double-click enters it, and the chooser then
// shows it as the selected folder. The platform's list is reread by a double-click on its selection; a
// directory listing (whose double-click would enter the selected folder) is listed anew instead.
bool COpenPath::TakeNewFolder(const char* szName) {
    const HWND pParent = m_hWnd;
    MFX_PRE(pParent);
    CDirList list = {GetDlgItem(pParent, COMMFILE_IDLB_DIRS)};
    const CDirList* pCtrl = list.m_hWnd ? &list : nullptr;
    MFX_PRE(pCtrl);
    std::string prefix = szName;
    if (COMMFILE_IsListingForm(static_cast<int>(pCtrl->GetCount()), pCtrl->GetText(0).c_str())) {
        char szSpec[] = "*.*";
        DlgDirListA(pParent, szSpec, COMMFILE_IDLB_DIRS, 0, DDL_EXCLUSIVE | DDL_DIRECTORY);
        prefix = "[" + prefix + "]";
    } else if (pCtrl->GetCurSel() != LB_ERR) {
        CWnd_ParentCommand(pCtrl, LBN_DBLCLK, FALSE);
    }
    const LRESULT nFind = pCtrl->FindString(prefix.c_str());
    // The report quotes the check as written here.
    // clang-format off
    MFX_PRE(nFind!=LB_ERR);
    MFX_VERIFY(LB_ERR!=pCtrl->SetCurSel(nFind));
    bool fOk;
    MFX_VERIFY(fOk = (LB_ERR!=CWnd_ParentCommand( pCtrl,LBN_DBLCLK, FALSE )));
    // clang-format on
    SetFocus(pCtrl->m_hWnd);
    CWnd_ParentCommand(pCtrl, LBN_SELCHANGE, TRUE);
    return fOk;
}

UINT_PTR CALLBACK COpenPath::Hook(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_INITDIALOG) {
        auto* pChooser = reinterpret_cast<COpenPath*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        pChooser->OnInitDialog(hDlg);
        return TRUE;
    }
    auto* pChooser = static_cast<COpenPath*>(GetPropA(hDlg, CHOOSER_PROPERTY));
    if (!pChooser)
        return FALSE;
    if (uMsg == pChooser->m_uSelChangeMessage && wParam == COMMFILE_IDLB_DIRS) {
        pChooser->OnSelectionChanged();
        return FALSE;
    }
    switch (uMsg) {
        case WM_COMMAND:
            if (LOWORD(wParam) == COMMFILE_IDLB_DIRS && HIWORD(wParam) == LBN_SELCHANGE) {
                pChooser->OnSelectionChanged();
                return FALSE;
            }
            if (LOWORD(wParam) == IDOK) {
                pChooser->OnOK();
                return TRUE;
            }
            if (LOWORD(wParam) == pChooser->m_pVariant->idCreate && HIWORD(wParam) == BN_CLICKED) {
                pChooser->OnCreate();
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            RemovePropA(hDlg, CHOOSER_PROPERTY);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int COMMFILE_GetSelectedDir(HWND hDlg, char* PathName) {
    MFX_PRE(PathName);
    // The report quotes the check as written here.
    // clang-format off
    MFX_PRE(IsWindow(GetDlgItem(hDlg,COMMFILE_IDLB_DIRS)));
    const CDirList list = {GetDlgItem(hDlg, COMMFILE_IDLB_DIRS)};
    const LRESULT nCount = list.GetCount();
    const LRESULT nSelected = list.GetCurSel();
    MFX_PRE(PATHNAME_ConstructCurDir( PathName ));
    // clang-format on
    PATHNAME szCurDir = "";
    PATHNAME_Assign(szCurDir, PathName);
    return COMMFILE_FolderOfEntry(szCurDir, static_cast<int>(nCount), static_cast<int>(nSelected),
                                  list.GetText(0).c_str(), list.GetText(nSelected).c_str(), PathName);
}

int COMMFILE_Choose(const COMMFILE_VARIANT* pVariant,
                    char* szFolder,
                    HWND hOwner,
                    const char* szTitle,
                    COMMFILE_GETSAVEFILENAME pfnGetSaveFileName,
                    COMMFILE_PLACE pfnPlace) {
    MFX_PRE(pVariant && szFolder);
    MFX_PRE(FindResourceA(pVariant->hInstance, pVariant->szChooser, reinterpret_cast<LPCSTR>(RT_DIALOG)));
    PATHNAME szInitialDir = "";
    PATHNAME_Assign(szInitialDir, szFolder);
    PATHNAME_TrimLastSlash(szInitialDir);
    PATHNAME szFile = "";
    COpenPath chooser(pVariant, szFolder, szTitle, pfnPlace);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.hInstance = pVariant->hInstance;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = sizeof(szFile);
    ofn.lpstrInitialDir = szInitialDir[0] ? szInitialDir : nullptr;
    ofn.lpstrTitle = szTitle ? szTitle : pVariant->szCaption;
    ofn.Flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | pVariant->dwExtraFlags;
    ofn.lpTemplateName = pVariant->szChooser;
    ofn.lpfnHook = COpenPath::Hook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&chooser);
    (pfnGetSaveFileName ? pfnGetSaveFileName : GetSaveFileNameA)(&ofn);
    if (!chooser.Confirmed())
        return 0;
    PATHNAME_TrimLastSlash(szFolder);
    return 1;
}

// The plug-in checks that its template is among its own dialog resources.
int COMMFILE_ChooseDir(char* szFolder, HWND hOwner, const char* szTitle, int id) {
    const HINSTANCE MFX_HRESOURCE = WINDOW_GetInstance();
    // The report quotes the check as written here.
    // clang-format off
    MFX_PRE(FindResource( MFX_HRESOURCE, MAKEINTRESOURCE(id), RT_DIALOG));
    // clang-format on
    const COMMFILE_VARIANT variant = {MFX_HRESOURCE,
                                      MAKEINTRESOURCEA(id),
                                      CHOOSER_CAPTION,
                                      COMMFILE_IDC_SELECTED,
                                      COMMFILE_IDC_CREATE,
                                      MAKEINTRESOURCEA(COMMFILE_IDD_NEWDIR),
                                      COMMFILE_IDC_NEWNAME,
                                      "",
                                      0};
    return COMMFILE_Choose(&variant, szFolder, hOwner, szTitle, nullptr, nullptr);
}

int COMMFILE_ChooseSetupDir(char* szFolder,
                            HWND hOwner,
                            HINSTANCE hDialogLibrary,
                            COMMFILE_GETSAVEFILENAME pfnGetSaveFileName,
                            COMMFILE_PLACE pfnPlace) {
    MFX_PRE(szFolder);
    if (!szFolder[0])
        MFX_PRE(PATHNAME_ConstructCurDir(szFolder));
    const COMMFILE_VARIANT variant = {hDialogLibrary,
                                      COMMFILE_SETUP_CHOOSEDIR,
                                      CHOOSER_CAPTION,
                                      COMMFILE_SETUP_IDC_SELECTED,
                                      COMMFILE_SETUP_IDC_CREATE,
                                      COMMFILE_SETUP_NEWDIR,
                                      COMMFILE_SETUP_IDC_NEWNAME,
                                      "folder",
                                      OFN_PATHMUSTEXIST};
    return COMMFILE_Choose(&variant, szFolder, hOwner, nullptr, pfnGetSaveFileName, pfnPlace);
}
