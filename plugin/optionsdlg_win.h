// The options dialog and the dialogs it opens: the background page of full-page clips, the about box and
// its picture window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "plugin/movieoptions.h"
#include "toolkit/pathname_win.h"
#include "toolkit/window_win.h"

extern const char OPTIONSDLG_CAPTION[];  // "Orvanta Flarion for Netscape Navigator Gold"

// The free bytes of the drive that holds a folder; 0 when they cannot be read.
typedef int (*OPTIONSDLG_FREESPACE)(const char* szFolder, uint64_t* pqwFree);

class COptionsDlg : public CDialog {
public:
    // Edits the options; pfnFreeSpace answers how much the cache folder's drive can take.
    COptionsDlg(HWND hParent, CMovieOptions& options, OPTIONSDLG_FREESPACE pfnFreeSpace = PATHNAME_GetFreeSpace64);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int idItem, int nCode, HWND hControl) override;

private:
    bool ReadNumber(int idControl, int nMin, int nMax, int* pnValue);
    void ChooseFolder(int idEdit);
    void ClearCache();
    CMovieOptions& m_options;
    CMovieOptions m_original;
    OPTIONSDLG_FREESPACE m_pfnFreeSpace;
};

// The background page; true on OK, with the options changed.
bool OPTIONSDLG_Background(HWND hParent, CMovieOptions& options);

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND hParent);
    ~CAboutDlg() override;

protected:
    bool OnInitDialog() override;
    void OnDestroy() override;

private:
    HFONT m_hTitleFont = nullptr;
    HWND m_hPicture = nullptr;
};

// The borderless picture of the about box: the bitmap in a 1-pixel frame, centred on the screen, in its own
// colours when the display has a palette. A click takes it away; the object deletes itself with its window.
class CPictureWnd : public CDialog {
public:
    explicit CPictureWnd(HWND hParent);
    ~CPictureWnd() override;

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    void OnFinalMessage() override;

private:
    bool Realize();
    HBITMAP m_hBitmap = nullptr;
    HPALETTE m_hPalette = nullptr;
};
