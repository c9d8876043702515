#include "converter/batchdoc_win.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "converter/addmovies.h"
#include "converter/reeldoc_win.h"
#include "movie/qtfast.h"
#include "toolkit/docframe/docapp_win.h"
#include "toolkit/filedlg_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("BATCHDOC");

namespace {

const char BATCH_FILTER[] = "Movie Batch (*.bag)|*.bag|";
const char BATCH_EXTENSION[] = "bag";
const char ADDMOVIES_FILTER[] = "Movie Files (*.mov,*.qt)|*.mov;*.qt|All Files (*.*)|*.*|";
const char ADDMOVIES_PRESET[] = "*.mov;*.qt;";

HWND MainWindow() {
    CDocApp* pApp = CDocApp::Get();
    return pApp && pApp->GetMainFrame() ? pApp->GetMainFrame()->GetHandle() : nullptr;
}

// The dialog's filter with NULs in place of the bars, as the platform's dialog takes it.
std::string DialogFilter(const char* szFilter) {
    std::string filter = szFilter;
    for (char& ch : filter) {
        if (ch == '|')
            ch = '\0';
    }
    return filter;
}

// The reason a batch list file could not be read or written, for the user: from the platform's error.
const char* ReasonOf(DWORD dwError, bool fWriting) {
    switch (dwError) {
        case ERROR_FILE_NOT_FOUND:
            return "The file does not exist.";
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DIRECTORY:
            return "The folder does not exist.";
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return fWriting ? "The file is read-only, or the folder cannot be written to." : "The file cannot be read.";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return "The file is in use by another program.";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return "The disk is full.";
        default:
            return fWriting ? "The file cannot be written." : "The file cannot be read.";
    }
}

void ShowFileError(const char* szAction, const char* szPath, const char* szReason) {
    const std::string text = std::string(szAction) + " the batch list " + szPath + ".\n\n" + szReason;
    MessageBoxA(MainWindow(), text.c_str(), WINDOW_GetAppTitle(), MB_OK | MB_ICONEXCLAMATION);
}

// The whole file, or the platform's error.
DWORD ReadWholeFile(const char* szPath, std::vector<uint8_t>& bytes) {
    const HANDLE hFile = CreateFileA(szPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD dwError = ERROR_SUCCESS;
    uint8_t buffer[4096];
    for (DWORD cb = 0;;) {
        if (!ReadFile(hFile, buffer, sizeof(buffer), &cb, nullptr)) {
            dwError = GetLastError();
            break;
        }
        if (cb == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + cb);
    }
    CloseHandle(hFile);
    return dwError;
}

// The bytes go to a new file beside the list, which then takes the list's name in one step: a write that
// fails half-way (a full disk) leaves the old list whole, and the new file is removed. Returns the platform's
// error, ERROR_SUCCESS when the list was replaced.
DWORD WriteWholeFile(const char* szPath, const std::vector<uint8_t>& bytes) {
    PATHNAME szFolder = "", szTemporary = "";
    if (!PATHNAME_GetJustPath(szPath, szFolder))
        lstrcpyA(szFolder, ".");
    // A read-only list is refused as opening it for writing would be; the new file would otherwise take its
    // place where the file system lets a rename replace it.
    const DWORD dwAttributes = GetFileAttributesA(szPath);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    if (!GetTempFileNameA(szFolder, "bag", 0, szTemporary))
        return GetLastError();
    const HANDLE hFile = CreateFileA(szTemporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD dwError = hFile == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    if (hFile != INVALID_HANDLE_VALUE) {
        DWORD cbWritten = 0;
        if (!WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &cbWritten, nullptr) ||
            !FlushFileBuffers(hFile))
            dwError = GetLastError();
        else if (cbWritten != bytes.size())
            dwError = ERROR_DISK_FULL;
        if (!CloseHandle(hFile) && dwError == ERROR_SUCCESS)
            dwError = GetLastError();
    }
    if (dwError == ERROR_SUCCESS &&
        !MoveFileExA(szTemporary, szPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        dwError = GetLastError();
    if (dwError != ERROR_SUCCESS)
        DeleteFileA(szTemporary);
    return dwError;
}

}  // namespace

const DOCTEMPLATE_FACTORY BATCHDOC_FACTORY = DOCVIEW_Factory<CBatchDoc, CMDIChild, CBatchView>();

void CBatchDoc::GetItemText(const CSerial* pItem, std::string& text) {
    text = static_cast<const CBatchItem*>(pItem)->GetPathName();
}

HICON CBatchDoc::GetItemIcon(const CSerial* pItem) {
    CQTFast fast;  // its hooks do nothing: the question shows no progress
    const bool fFastStart = fast.IsAlreadyFastStart(static_cast<const CBatchItem*>(pItem)->GetPathName().c_str());
    return LoadIconA(WINDOW_GetInstance(), MAKEINTRESOURCEA(fFastStart ? IDI_FASTSTART : IDI_NOTFASTSTART));
}

void CBatchDoc::Changed() {
    SetModified(true);
    UpdateAllViews(nullptr);
}

void CBatchDoc::AddFiles(const std::vector<std::string>& names) {
    m_list.AddFiles(names);
    Changed();
}

// A file that is not a well-formed batch list opens nothing and says so: the list is read whole before the
// document takes any of it.
bool CBatchDoc::OnOpenDocument(const char* szPath) {
    std::vector<uint8_t> bytes;
    if (const DWORD dwError = ReadWholeFile(szPath, bytes); dwError != ERROR_SUCCESS) {
        ShowFileError("Cannot open", szPath, ReasonOf(dwError, false));
        return false;
    }
    if (!m_list.Load(bytes.data(), bytes.size())) {
        ShowFileError("Cannot open", szPath, "The file is damaged or is not a batch list.");
        return false;
    }
    return CListDoc::OnOpenDocument(szPath);
}

// A list that cannot be written says so and stays modified, under its old name.
bool CBatchDoc::SaveAs(const char* szPath) {
    std::vector<uint8_t> bytes;
    MFX_PRE(m_list.Store(bytes));
    if (const DWORD dwError = WriteWholeFile(szPath, bytes); dwError != ERROR_SUCCESS) {
        ShowFileError("Cannot save", szPath, ReasonOf(dwError, true));
        return false;
    }
    SetPathName(szPath, true);
    SetModified(false);
    return true;
}

bool CBatchDoc::DoFileSave() {
    return Save(false);
}

bool CBatchDoc::Save(bool fAskName) {
    std::string path = GetPathName();
    if (fAskName || path.empty()) {
        FILEDLG dialog;
        dialog.hOwner = MainWindow();
        dialog.szFilter = BATCH_FILTER;
        dialog.szDefaultExtension = BATCH_EXTENSION;
        dialog.dwFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_SHAREAWARE;
        if (!FILEDLG_GetFileName(dialog, true, path))
            return false;
    }
    return SaveAs(path.c_str());
}

void CBatchDoc::Copy() {
    CopyList(GetSelectionList());
}

void CBatchDoc::Clear() {
    GetItemList().RemoveItemsOf(GetSelectionList());
    GetSelectionList().RemoveAll();
    Changed();
}

void CBatchDoc::Paste() {
    CItemList pasted(true);
    PasteList(pasted, BATCHITEM_CLASSES, 1);
    m_list.AddPasted(pasted);
    Changed();
}

void CBatchDoc::MakeFastStartMovies() {
    for (size_t i = 0; i < GetItemList().GetCount(); ++i) {
        const std::string path = CBatchList::ItemAt(GetItemList(), i).GetPathName();
        if (PATHNAME_Exists(path.c_str()))
            RunVroonJob(MainWindow(), path.c_str(), true);
    }
    UpdateAllViews(nullptr);
}

void CBatchDoc::PreviewSelection() {
    std::vector<std::string> paths;
    for (size_t i = 0; i < GetSelectionList().GetCount(); ++i)
        paths.push_back(CBatchList::ItemAt(GetSelectionList(), i).GetPathName());
    for (const std::string& path : paths) {
        if (PATHNAME_Exists(path.c_str()))
            CDocApp::Get()->OpenDocumentFile(path.c_str());
    }
}

void CBatchDoc::AddMovies() {
    std::vector<char> buffer(ADDMOVIES_BUFFERSIZE, '\0');
    lstrcpynA(buffer.data(), ADDMOVIES_PRESET, static_cast<int>(buffer.size()));
    const std::string filter = DialogFilter(ADDMOVIES_FILTER);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = MainWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_SHAREAWARE;
    if (!GetOpenFileNameA(&ofn))
        return;
    AddFiles(ADDMOVIES_SplitAnswer(buffer.data(), buffer.size(), ADDMOVIES_NULSEPARATED));
}

void CBatchDoc::Cut() {
    Copy();
    Clear();
}

void CBatchDoc::SelectAll() {
    GetSelectionList().SetToAllOf(GetItemList());
    UpdateAllViews(nullptr);
}

void CBatchDoc::SelectNone() {
    GetSelectionList().RemoveAll();
    UpdateAllViews(nullptr);
}

void CBatchDoc::OnFileSave() {
    Save(false);
}

void CBatchDoc::OnFileSaveAs() {
    Save(true);
}

// Each command with the state that enables it and the handler that runs it.
bool CBatchDoc::OnCmdMsg(int idCommand, CCommandState* pState) {
    enum ENABLE { ALWAYS, HASITEMS, HASSELECTION, PASTEAVAILABLE };
    static const struct {
        int idCommand;
        ENABLE enable;
        void (CBatchDoc::*pfnRun)();
    } COMMANDS[] = {
        {ID_FILE_SAVE, ALWAYS, &CBatchDoc::OnFileSave},
        {ID_FILE_SAVE_AS, ALWAYS, &CBatchDoc::OnFileSaveAs},
        {ID_MAKE_FASTSTART, HASITEMS, &CBatchDoc::MakeFastStartMovies},
        {ID_EDIT_CUT, HASSELECTION, &CBatchDoc::Cut},
        {ID_EDIT_COPY, HASSELECTION, &CBatchDoc::Copy},
        {ID_EDIT_PASTE, PASTEAVAILABLE, &CBatchDoc::Paste},
        {ID_EDIT_CLEAR, HASSELECTION, &CBatchDoc::Clear},
        {ID_EDIT_SELECT_ALL, HASITEMS, &CBatchDoc::SelectAll},
        {ID_EDIT_SELECT_NONE, HASSELECTION, &CBatchDoc::SelectNone},
        {ID_BATCH_ADD, ALWAYS, &CBatchDoc::AddMovies},
        {ID_MOVIE_PREVIEW, HASSELECTION, &CBatchDoc::PreviewSelection},
    };
    for (const auto& command : COMMANDS) {
        if (command.idCommand != idCommand)
            continue;
        const bool fEnabled = command.enable == ALWAYS         ? true
                              : command.enable == HASITEMS     ? !GetItemList().IsEmpty()
                              : command.enable == HASSELECTION ? !GetSelectionList().IsEmpty()
                                                               : LISTDOC_IsPasteAvailable();
        if (pState)
            pState->fEnabled = fEnabled;
        else if (fEnabled)
            (this->*command.pfnRun)();
        return true;
    }
    return CListDoc::OnCmdMsg(idCommand, pState);
}
