// The thin window layer: one C++ object per window, virtual message handlers, dialogs from resource
// templates, message boxes, timers and control access.
//
// Binding. Every window made through this layer is bound to its object from its first message to
// WM_NCDESTROY; CWindow::FromHandle finds the object of a window through one process-wide lookup.
//
// Ownership. An object owns the window it created (Create, CDialog::Create, CDialog::DoModal) and destroys it in
// its destructor when it still exists. A window can also die first (the user closes it, its parent is
// destroyed, a modal dialog ends): the object is then unbound at WM_NCDESTROY and OnFinalMessage runs, where an
// object made with new that lives exactly as long as its window deletes itself. A window taken over with
// Subclass is borrowed: the destructor gives it back its own procedure and leaves it alive.
//
// Threads. Objects are used on the thread that made their window; FromHandle may be called from any thread.
#pragma once

#include <windows.h>

#include <string>

class CWindow {
public:
    CWindow() = default;
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND GetHandle() const { return m_hWnd; }
    // The object bound to a window; null for a window of no object (or no window).
    static CWindow* FromHandle(HWND hWnd);

    // Registers a window class whose windows are objects of this layer: sets cbSize and lpfnWndProc of wc and
    // registers it. True on success.
    static bool RegisterWindowClass(WNDCLASSEXA wc);
    // Creates a window of a class registered with RegisterWindowClass, owned by this object. hMenuOrId is the menu of
    // a top-level window or the id of a child.
    bool Create(DWORD dwExStyle, const char* szClass, const char* szTitle, DWORD dwStyle, const RECT& rc,
                HWND hParent, HMENU hMenuOrId, HINSTANCE hInstance);
    // Takes over an existing window (a control, say) so that its messages reach this object first; messages
    // left unhandled go on to its own procedure.
    bool Subclass(HWND hWnd);
    // Gives a window taken over with Subclass back its own procedure and forgets it; the window lives on. False
    // when another procedure has replaced this layer's since (it is then left in place, the window forgotten).
    bool Unsubclass();
    // Destroys the window now (nothing when there is none).
    void Destroy();

    // Control access: the children of this window by id.
    HWND GetItem(int idItem) const;
    std::string GetItemText(int idItem) const;
    bool SetItemText(int idItem, const char* szText);
    void EnableItem(int idItem, bool fEnable);
    bool IsItemEnabled(int idItem) const;
    LRESULT SendItemMessage(int idItem, UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // A timer of this window; OnTimer receives it.
    bool SetTimer(UINT_PTR idTimer, UINT msElapse);
    void KillTimer(UINT_PTR idTimer);
    // A message box owned by this window; returns the button pressed (IDYES, IDNO, ...).
    int MessageBox(const char* szText, const char* szCaption, UINT uType);
    // Moves this window so that its centre is over the centre of hOther (of the screen when hOther is null),
    // kept inside the screen's work area.
    void CenterOver(HWND hOther);

protected:
    // Every message comes here first. Return true with lResult set when it is handled; the default dispatches
    // to the handlers below and leaves the rest to the window's default processing.
    virtual bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    // WM_COMMAND from a control, menu or accelerator; true when handled.
    virtual bool OnCommand(int idItem, int nCode, HWND hControl);
    virtual void OnTimer(UINT_PTR idTimer);
    // WM_DESTROY: the window and its children still exist.
    virtual void OnDestroy();
    // After WM_NCDESTROY: the object is no longer bound and GetHandle() is null.
    virtual void OnFinalMessage();
    // The default processing of a message of a window made by Create or taken over by Subclass (a dialog's
    // default processing runs by itself after its handlers).
    LRESULT DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

private:
    friend class CDialog;
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // The object of a message's window: the bound one, or the one whose window is being made on this thread,
    // which this first message binds.
    static CWindow* ObjectOf(HWND hWnd);
    static void SetPending(CWindow* pWindow);
    void Bind(HWND hWnd);
    void Unbind();
    WNDPROC m_pfnSuper = nullptr;  // the own procedure of a subclassed window
};

// A dialog made from a resource template of a module.
class CDialog : public CWindow {
public:
    CDialog(HINSTANCE hInstance, int idTemplate, HWND hParent);

    // Runs the dialog modally; returns the result given to EndDialog, or -1 when the dialog could not start.
    INT_PTR DoModal();
    // Creates the dialog modeless and shows it as its template says. True on success.
    bool Create();
    // Ends a modal dialog with nResult; destroys a modeless one.
    void EndDialog(INT_PTR nResult);

protected:
    // WM_INITDIALOG; return true to let the system set the focus.
    virtual bool OnInitDialog();
    // OK (id 1) and Cancel (id 2, also the close box and the Escape key); the defaults end the dialog.
    virtual void OnOK();
    virtual void OnCancel();
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    bool OnCommand(int idItem, int nCode, HWND hControl) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    HINSTANCE m_hInstance;
    int m_idTemplate;
    HWND m_hParent;
    bool m_fModal = false;
};

// Moves the window so that its centre lies over the centre of hOther (of the work area when hOther is null),
// or at a point in screen coordinates; either way kept inside the work area.
void WINDOW_CenterOver(HWND hWnd, HWND hOther);
void WINDOW_CenterAt(HWND hWnd, int x, int y);

// The module this code is linked into (the program, or the library that holds it).
HINSTANCE WINDOW_GetInstance();
// The application's title, the caption of its message boxes; the module's file name without extension until
// a program sets its own.
void WINDOW_SetAppTitle(const char* szTitle);
const char* WINDOW_GetAppTitle();

// Removes every message waiting in this thread's queue, translating and dispatching each. Returns false when
// it met WM_QUIT, which it posts again for the message loop that will end.
bool WINDOW_PumpMessages();
// For a program's message loop: gives a message to the modeless dialog it belongs to; true when the dialog
// took it (the loop then neither translates nor dispatches it).
bool WINDOW_TranslateDialogMessage(MSG* pMsg);
