// A small document/view layer on the window layer: document templates, and documents with their views. The
// MDI frames that show them are in mdiframe_win.h, the application object that owns them in docapp_win.h.
//
// Ownership. The application owns its templates and its open documents. A document lives while it has views:
// a child frame (made with new) owns its one view window and deletes itself when its window is gone; the view
// (made with new) deletes itself likewise, and the last view of a document to go closes the document. The main
// frame is owned by the application and destroys its child frames with its own window.
//
// Commands. A command (menu, accelerator, toolbar) is offered to the active view, then its document, then the
// main frame and the application; each says through OnCmdMsg whether it knows the command and, when asked,
// whether it is enabled. A command nobody knows is disabled.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/window_win.h"

class CDocApp;
class CDocTemplate;
class CDocument;
class CView;
class CMDIChild;

// Standard command ids.
enum DOCVIEW_COMMAND {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_MRU_FILE1 = 57616,  // to ID_FILE_MRU_FILE1 + DOCAPP_MRU_SIZE - 1
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
};

// A command's state query: OnCmdMsg fills it instead of running the command.
struct CCommandState {
    bool fEnabled = false;
};

// Something that handles commands. OnCmdMsg returns true when it knows the command; with pState it only
// says whether the command is enabled, without it it runs the command.
class CCommandTarget {
public:
    virtual ~CCommandTarget() = default;
    virtual bool OnCmdMsg(int idCommand, CCommandState* pState) { return false; }
};

// Produces the three objects of one document kind.
struct DOCTEMPLATE_FACTORY {
    CDocument* (*pfnNewDocument)();
    CMDIChild* (*pfnNewFrame)();
    CView* (*pfnNewView)();
};

// The factory of a document kind whose objects are a DOC, a FRAME and a VIEW, each made with new.
template <class DOC, class FRAME, class VIEW>
constexpr DOCTEMPLATE_FACTORY DOCVIEW_Factory() {
    return {[]() -> CDocument* { return new DOC; }, []() -> CMDIChild* { return new FRAME; },
            []() -> CView* { return new VIEW; }};
}

// One document kind: its string resource of seven newline-separated fields, its menu and its factory.
class CDocTemplate {
public:
    enum FIELD { WINDOWTITLE, DOCNAME, FILENEWNAME, FILTERNAME, FILTEREXT, REGFILETYPEID, REGFILETYPENAME };

    // Loads the string and the menu of the given resource id from hInstance.
    CDocTemplate(HINSTANCE hInstance, int idResource, const DOCTEMPLATE_FACTORY& factory);
    ~CDocTemplate();
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    std::string GetField(FIELD nField) const;
    int GetResourceId() const { return m_idResource; }
    HMENU GetMenu() const { return m_hMenu; }
    // True when the name ends in the template's extension (without regard to case).
    bool MatchesFile(const char* szName) const;
    const DOCTEMPLATE_FACTORY& GetFactory() const { return m_factory; }

private:
    int m_idResource;
    std::string m_strings;
    HMENU m_hMenu;
    DOCTEMPLATE_FACTORY m_factory;
};

class CDocument : public CCommandTarget {
public:
    CDocument() = default;
    ~CDocument() override = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // Opening a file: records the path. False keeps the document from opening.
    virtual bool OnOpenDocument(const char* szPath);
    // A new, empty document.
    virtual bool OnNewDocument();
    // The document's title: the file title of its path (or the template's document name when it has none).
    virtual std::string GetTitle() const;

    const std::string& GetPathName() const { return m_path; }
    // Takes a new path; fAddToRecent puts it on the recent-file list. Updates the frames' titles.
    void SetPathName(const char* szPath, bool fAddToRecent);
    bool IsModified() const { return m_fModified; }
    void SetModified(bool fModified) { m_fModified = fModified; }
    CDocTemplate* GetTemplate() const { return m_pTemplate; }

    // Before the document closes at the user's wish: a modified document asks whether to save its changes,
    // naming itself. Yes saves (DoFileSave), No drops the changes, Cancel keeps it open. True when it may
    // close; an unmodified document closes without a question.
    virtual bool SaveModified();
    // Saves the document under its name, asking for one when it has none; true when it was saved. A document
    // kind that never saves keeps the default, which saves nothing and fails.
    virtual bool DoFileSave() { return false; }

    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender);
    const std::vector<CView*>& GetViews() const { return m_views; }
    // Closes every frame of the document, without a question; the document is deleted with its last view.
    void Close();
    // The frames' titles follow the document's title.
    void UpdateFrameTitles();

private:
    friend class CDocApp;
    friend class CView;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    std::string m_path;
    bool m_fModified = false;
    CDocTemplate* m_pTemplate = nullptr;
    std::vector<CView*> m_views;
};

// The view: a child window filling its frame's client area.
class CView : public CWindow, public CCommandTarget {
public:
    CDocument* GetDocument() const { return m_pDocument; }
    CMDIChild* GetFrame() const;
    // After the view's window exists and the document is attached, before the frame is shown.
    virtual void OnInitialUpdate();
    // The document changed.
    virtual void OnUpdate(CView* pSender);

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    void OnFinalMessage() override;
    // Painting; the default fills the background with the window colour.
    virtual void OnDraw(HDC hdc);
    CDocument* m_pDocument = nullptr;

private:
    friend class CDocApp;
};
