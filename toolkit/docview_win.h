// A small document/view layer on the window layer: document templates, documents with their views, MDI child
// frames, and the multiple-document main window with toolbar, status bar, menus, accelerators, the recent-file
// list, dropped files, the shell's DDE open command and the registration of document file types.
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
// After windows.h, which it builds on.
#include <commdlg.h>

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
    ID_FILE_MRU_FILE1 = 57616,  // to ID_FILE_MRU_FILE1 + DOCVIEW_MRU_SIZE - 1
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
const int DOCVIEW_MRU_SIZE = 4;
const char DOCVIEW_MRU_SECTION[] = "Recent File List";

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

// An MDI child frame holding one view.
class CMDIChild : public CWindow {
public:
    CView* GetView() const { return m_pView; }
    // Sizes the frame so that its client area has this size.
    void SetClientSize(int cx, int cy);

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    void OnFinalMessage() override;
    // The frame's window style; the default is a normal overlapped MDI child.
    virtual DWORD GetStyle() const;
    // Background erasing; the default lets the system erase.
    virtual bool OnEraseBackground() { return false; }

private:
    friend class CDocApp;
    CView* m_pView = nullptr;
};

// The main window: MDI client, toolbar and status bar.
class CMDIFrame : public CWindow {
public:
    explicit CMDIFrame(CDocApp* pApp) : m_pApp(pApp) {}
    HWND GetClient() const { return m_hClient; }
    HWND GetToolBar() const { return m_hToolBar; }
    HWND GetStatusBar() const { return m_hStatusBar; }
    CMDIChild* GetActiveChild() const;
    // Shows the menu of the active document's template, or the frame's own without one.
    void UpdateMenu();
    // Enables the toolbar buttons by the command routing.
    void UpdateToolBar();
    void SetStatusText(const char* szText);
    // Toolbar buttons: command ids in order, 0 for a separator; the bitmap holds one 16 x 15 image per button.
    bool CreateToolBar(int idBitmap, const int* pCommands, int cCommands);

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    bool OnCommand(int idItem, int nCode, HWND hControl) override;

private:
    void Layout();
    void OnDde(UINT uMsg, WPARAM wParam, LPARAM lParam);
    CDocApp* m_pApp;
    HWND m_hClient = nullptr;
    HWND m_hToolBar = nullptr;
    HWND m_hStatusBar = nullptr;
    HMENU m_hFrameMenu = nullptr;
    std::vector<int> m_toolCommands;
};

// The application: templates, documents, the main frame, the recent-file list.
class CDocApp : public CCommandTarget {
public:
    CDocApp(HINSTANCE hInstance, const char* szAppName);
    ~CDocApp() override;
    CDocApp(const CDocApp&) = delete;
    CDocApp& operator=(const CDocApp&) = delete;

    static CDocApp* Get() { return s_pApp; }
    HINSTANCE GetInstance() const { return m_hInstance; }
    const std::string& GetAppName() const { return m_appName; }
    CMDIFrame* GetMainFrame() const { return m_pFrame; }
    // The main window's title, which also shows the active document's.
    const std::string& GetTitle() const { return m_title; }

    void AddTemplate(CDocTemplate* pTemplate);  // owned from now on
    const std::vector<CDocTemplate*>& GetTemplates() const { return m_templates; }
    const std::vector<CDocument*>& GetDocuments() const { return m_documents; }

    // Creates the main window from the menu, accelerators and icon of idResource, with the title; false when it
    // fails.
    bool CreateMainFrame(int idResource, const char* szTitle);
    // Opens a file as a document (activating it when it is open already); null when it cannot.
    CDocument* OpenDocumentFile(const char* szPath);
    // A new document of the first template with a new-file name; null when there is none.
    CDocument* NewDocument();
    CDocument* GetActiveDocument() const;
    CView* GetActiveView() const;

    // Routes a command to the active view, its document, then the application; true when someone knows it.
    bool RouteCommand(int idCommand, CCommandState* pState);
    bool IsCommandEnabled(int idCommand);

    // The recent-file list, most recent first, kept in the profile file "<app name>.INI".
    void AddToRecentFileList(const char* szPath);
    const std::vector<std::string>& GetRecentFiles() const { return m_recent; }
    void LoadRecentFileList();

    // Registers each template's file type in the registry: extension, type id and name, open command through
    // DDE ("[open(\"%1\")]") and the program icon.
    bool RegisterShellFileTypes();
    // Accepts dropped files on the main window.
    void DragAcceptFiles();
    // The DDE execute command from the shell; true when it was understood.
    bool OnDdeCommand(const char* szCommand);

    // The message loop; returns the exit code.
    int Run();
    // Asks every modified document in turn (SaveModified); false as soon as one must stay open.
    bool SaveAllModified();
    // Closes every document without a question; the main window closes then.
    void CloseAllDocuments();

    // The open dialog's filter: each template's filter name and extension, then all files.
    std::string GetOpenFilter() const;

    bool OnCmdMsg(int idCommand, CCommandState* pState) override;

protected:
    // The File Open command: asks for a file and opens it.
    virtual void OnFileOpen();

private:
    friend class CDocument;
    friend class CMDIFrame;
    CDocument* CreateDocumentWindow(CDocTemplate* pTemplate, CDocument* pDocument);
    void RemoveDocument(CDocument* pDocument);
    void SaveRecentFileList() const;
    void UpdateRecentMenu(HMENU hMenu) const;

    static CDocApp* s_pApp;
    HINSTANCE m_hInstance;
    std::string m_appName;
    std::string m_title;
    CMDIFrame* m_pFrame = nullptr;
    HACCEL m_hAccel = nullptr;
    bool m_fRunning = false;  // inside Run: the main window's end quits the message loop
    std::vector<CDocTemplate*> m_templates;
    std::vector<CDocument*> m_documents;
    std::vector<std::string> m_recent;
};

// Opens the platform's file dialog; szFilter uses '|' between its parts. True with the chosen name in path.
struct DOCVIEW_FILEDIALOG {
    HWND hOwner = nullptr;
    const char* szFilter = "";
    const char* szDefaultExtension = nullptr;
    const char* szInitialFolder = nullptr;
    DWORD dwFlags = 0;
    LPOFNHOOKPROC pfnHook = nullptr;  // with OFN_ENABLEHOOK
};
bool DOCVIEW_GetFileName(const DOCVIEW_FILEDIALOG& dialog, bool fSave, std::string& path);

// Dialogs and message boxes of this thread get this background and text colour from now on.
void DOCVIEW_SetDialogColors(COLORREF crBackground, COLORREF crText);
// Dialogs made from now on keep the system's colours.
void DOCVIEW_ResetDialogColors();
