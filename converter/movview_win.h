// The movie preview: the view of a movie document, showing its movie through QuickTime for Windows with a
// standard movie controller, in a child window that takes the controller's size and keeps it.
#pragma once

#include "converter/reeldoc_win.h"
#include "toolkit/docframe/docview_win.h"
#include "toolkit/qtbinding.h"

// The movie child window: no maximise box, no background of its own, and, once its view has sized it to the
// movie, a fixed size the user cannot change. Made with new; deletes itself when its window is gone.
class CZMDIChildWnd : public CMDIChild {
public:
    // Takes the size cx by cy (the whole window) and keeps it as both its smallest and largest size.
    void SetFixedSize(int cx, int cy);
    int GetFixedWidth() const { return m_cxFixed; }
    int GetFixedHeight() const { return m_cyFixed; }

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    DWORD GetStyle() const override;
    bool OnEraseBackground() override { return true; }

private:
    int m_cxFixed = 0;
    int m_cyFixed = 0;
};

// The base of the movie preview, whose document is always a movie document.
class CZMDIView : public CView {
public:
    CReelDoc* GetDocument() const;
    // The view found its movie's size: the document records it and the child window fixes its size to it.
    void SizeToMovie(int cx, int cy);
};

class CMOVView : public CZMDIView {
public:
    // Program exit: leaves movies and stops QuickTime when the previews started it.
    static void ClassTerm();
    bool IsMovieOpen() const { return m_fOpen; }
    bool OnCmdMsg(int idCommand, CCommandState* pState) override;
    void OnUpdate(CView* pSender) override;
    // The movie is opened when the window is made; the first update has nothing to add.
    void OnInitialUpdate() override {}

    Movie m_mMovie = nullptr;
    MovieController m_mcController = nullptr;
    QTRECT m_rcMovie = {};

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

private:
    static bool ClassInit();
    bool OpenTheMovie(const char* szFileName);
    void CloseTheMovie();
    void OpenDocumentMovie();
    void CopyFrame();
    bool m_fOpen = false;
};
