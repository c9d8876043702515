// The batch list document: movie files collected by dialog, dropping and pasting, reordered by dragging,
// saved as ".bag" files and converted to fast-start form in one run.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "converter/batchlist.h"
#include "converter/batchlist_ids.h"
#include "converter/reelpro_ids.h"
#include "toolkit/docframe/listdoc_win.h"
#include "toolkit/docframe/listview_win.h"

class CBatchDoc : public CListDoc {
public:
    CItemList& GetItemList() override { return m_list.GetItemList(); }
    CItemList& GetSelectionList() override { return m_list.GetSelectionList(); }
    void GetItemText(const CSerial* pItem, std::string& text) override;
    HICON GetItemIcon(const CSerial* pItem) override;
    void AddFiles(const std::vector<std::string>& names) override;

    bool OnOpenDocument(const char* szPath) override;
    bool OnCmdMsg(int idCommand, CCommandState* pState) override;

    // The ".bag" file under the name; the document takes the name when it was written. A failure is shown to
    // the user and leaves the document as it was.
    bool SaveAs(const char* szPath);
    // Save: under the list's name, through the save dialog for an untitled list; false when it was not saved.
    bool DoFileSave() override;
    // The commands of the Edit menu; Paste takes the clipboard's batch items.
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    void SelectAll();
    void SelectNone();
    // Converts every listed movie that exists, each by a job that commits and closes by itself.
    void MakeFastStartMovies();
    // Opens a preview of every selected movie that exists.
    void PreviewSelection();
    // Asks for movies with the multiple-selection open dialog and adds them.
    void AddMovies();

private:
    void Changed();
    bool Save(bool fAskName);
    void OnFileSave();
    void OnFileSaveAs();
    CBatchList m_list;
};

class CBatchView : public CListView {};

// The batch list's document, frame and view, for its document template.
extern const DOCTEMPLATE_FACTORY BATCHDOC_FACTORY;
