#include "converter/batchdoc_win.h"

#include <commdlg.h>

#include <cstdio>
#include <vector>

#include "converter/addmovies.h"
#include "converter/reeldoc_win.h"
#include "movie/qtfast.h"
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

bool ReadWholeFile(const char* szPath, std::vector<uint8_t>& bytes) {
    FILE* pFile = fopen(szPath, "rb");
    MFX_PRE(pFile);
    bool fOk = true;
    uint8_t buffer[4096];
    for (size_t cb; (cb = fread(buffer, 1, sizeof(buffer), pFile)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + cb);
    MFX_VERIFY(fOk = !ferror(pFile));
    fclose(pFile);
    return fOk;
}

bool WriteWholeFile(const char* szPath, const std::vector<uint8_t>& bytes) {
    FILE* pFile = fopen(szPath, "wb");
    MFX_PRE(pFile);
    bool fOk = true;
    MFX_VERIFY(fOk = fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size());
    if (fclose(pFile) != 0)
        fOk = false;
    return fOk;
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

// A file that is not a well-formed batch list opens nothing: the list is read whole before the document
// takes any of it.
bool CBatchDoc::OnOpenDocument(const char* szPath) {
    std::vector<uint8_t> bytes;
    MFX_PRE(ReadWholeFile(szPath, bytes));
    MFX_PRE(m_list.Load(bytes.data(), bytes.size()));
    return CListDoc::OnOpenDocument(szPath);
}

bool CBatchDoc::SaveAs(const char* szPath) {
    std::vector<uint8_t> bytes;
    MFX_PRE(m_list.Store(bytes));
    MFX_PRE(WriteWholeFile(szPath, bytes));
    SetPathName(szPath, true);
    SetModified(false);
    return true;
}

void CBatchDoc::Save(bool fAskName) {
    std::string path = GetPathName();
    if (fAskName || path.empty()) {
        DOCVIEW_FILEDIALOG dialog;
        dialog.hOwner = MainWindow();
        dialog.szFilter = BATCH_FILTER;
        dialog.szDefaultExtension = BATCH_EXTENSION;
        dialog.dwFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_SHAREAWARE;
        if (!DOCVIEW_GetFileName(dialog, true, path))
            return;
    }
    SaveAs(path.c_str());
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
