// The calls into QuickTime for Windows through its run-time loaded libraries (Windows).
#pragma once

#include <cstdint>

#include "toolkit/qtbinding.h"

// Starts the binding: 0 on success, 1 when a library is missing, 2 when an entry point is missing or the
// component manager refuses to start. pdwVersion, when given, receives the version number on success.
int QTBINDING_Start(unsigned long* pdwVersion);
// Undoes one successful start.
void QTBINDING_Stop();

// A program's use of the movie toolbox, for the life of its players: the first Enter starts the binding and
// enters movies; Leave leaves movies and stops the binding as far as Enter did either, so every successful
// start is undone, and the next Enter tries again.
class CQTMovies {
public:
    // True when movies are entered; only the first call after construction or Leave tries.
    bool Enter();
    void Leave();
    bool IsTried() const { return m_fTried; }
    bool IsEntered() const { return m_fEntered; }

private:
    bool m_fTried = false;
    bool m_fStarted = false;
    bool m_fEntered = false;
};

// The operations. Each call made before a successful start first tries to start, and fails (qtErrNotStarted,
// or none) when that fails.
short EnterMovies();
void ExitMovies();
short OpenMovieFile(const char* szName, short* pnRefNum, int nPermission);
short NewMovieFromFile(Movie* pMovie, short nRefNum);
short CloseMovieFile(short nRefNum);
void GetMovieBox(Movie movie, QTRECT* pRect);
MovieController NewMovieController(Movie movie, const QTRECT* pRect, long lFlags, void* hWnd);
void SetMovieActive(Movie movie, int fActive);
void DisposeMovieController(MovieController mc);
void DisposeMovie(Movie movie);
long GetMovieTime(Movie movie);
long GetMovieDuration(Movie movie);
long GetMoviePreferredRate(Movie movie);
long GetMovieTimeScale(Movie movie);
PicHandle GetMoviePict(Movie movie, long lTime);
void* PictureToDIB(PicHandle pict);  // global memory with a packed DIB, owned by the caller; none on failure
void KillPicture(PicHandle pict);
short MCDoAction(MovieController mc, short nAction, void* pParam);
void MCGetControllerBoundsRect(MovieController mc, QTRECT* pRect);
long MCIsPlayerMessage(MovieController mc, void* hWnd, unsigned uMsg, std::uintptr_t wParam, std::intptr_t lParam);
short MCSetControllerBoundsRect(MovieController mc, const QTRECT* pRect);
short MCSetMovie(MovieController mc, Movie movie, void* hWnd, int x, int y);
void MCSetActive(MovieController mc, int fActive);
