// The application object: templates, documents, the main frame and the message loop, the command routing, the
// recent-file list and the registration of document file types with the shell.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/docframe/docview_win.h"
#include "toolkit/docframe/mdiframe_win.h"

const int DOCAPP_MRU_SIZE = 4;
const char DOCAPP_MRU_SECTION[] = "Recent File List";

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
