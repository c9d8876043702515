// The binding to QuickTime for Windows: QTIM32.DLL (movie toolbox) and CMGR32.DLL (component manager and movie
// controller), loaded at run time and never linked. The interface of the libraries is portable (the stand-in
// libraries of the tests implement it); the calls that load them are Windows code (qtbinding_win.h).
//
// Entry-point calling convention (both libraries, default C calling convention):
//
//     intptr_t _EntryPoint(unsigned short wSelector, unsigned short wComponentSet, const intptr_t* pArgs, int cArgs)
//
// wSelector picks the operation; wComponentSet is 0 for movie toolbox calls (QTIM32.DLL) and 1 for movie
// controller calls (CMGR32.DLL). pArgs holds cArgs pointer-sized arguments in the order the operation lists
// them below; pointers and handles are passed as their value. The result is the operation's error code (0 is
// noErr) or, for an operation that makes or reads something, that value (0 for none). Rectangles are QTRECT.
// CMGR32.DLL also exports "_CMgrInitialize" (int (void), 0 = started) and "_CMgrTerminate" (void (void)).
#pragma once

#include <cstdint>

typedef std::intptr_t (*QTENTRYPOINT)(unsigned short wSelector,
                                      unsigned short wComponentSet,
                                      const std::intptr_t* pArgs,
                                      int cArgs);
typedef int (*QTCMGRINITIALIZE)();
typedef void (*QTCMGRTERMINATE)();

extern const char QTIM_LIBRARY[];       // "QTIM32.DLL"
extern const char CMGR_LIBRARY[];       // "CMGR32.DLL"
extern const char QT_ENTRYPOINT[];      // "_EntryPoint"
extern const char QT_CMGRINITIALIZE[];  // "_CMgrInitialize"
extern const char QT_CMGRTERMINATE[];   // "_CMgrTerminate"

const unsigned short QT_COMPONENTSET_MOVIES = 0;
const unsigned short QT_COMPONENTSET_CONTROLLER = 1;

// Movie toolbox selectors.
enum QTSELECTOR : unsigned short {
    QTSEL_CLOSEMOVIEFILE = 2,           // reference
    QTSEL_DISPOSEMOVIE = 7,             // movie
    QTSEL_KILLPICTURE = 8,              // picture
    QTSEL_ENTERMOVIES = 11,             // -
    QTSEL_EXITMOVIES = 12,              // -
    QTSEL_GETMOVIEBOX = 15,             // movie, QTRECT* out
    QTSEL_GETMOVIEDURATION = 18,        // movie -> duration
    QTSEL_GETMOVIEPICT = 20,            // movie, time -> picture
    QTSEL_GETMOVIEPREFERREDRATE = 23,   // movie -> rate (16.16 fixed)
    QTSEL_GETMOVIETIMESCALE = 28,       // movie -> time scale
    QTSEL_NEWMOVIEFROMFILE = 42,        // Movie* out, reference, 0, 0, 0, 0
    QTSEL_OPENMOVIEFILE = 44,           // name, short* reference out, permission
    QTSEL_PICTURETODIB = 46,            // picture -> global memory holding a packed DIB
    QTSEL_SETMOVIEACTIVE = 49,          // movie, active
    QTSEL_GETMOVIETIME = 54,            // movie, 0 -> current time
    QTSEL_DISPOSEMOVIECONTROLLER = 55,  // controller
    QTSEL_NEWMOVIECONTROLLER = 56,      // movie, const QTRECT*, flags, window -> controller
    QTSEL_INITIALIZE = 57,              // - (first start of the library)
    QTSEL_TERMINATE = 58,               // - (last stop of the library)
};

// Movie controller selectors (component set 1).
enum QTMCSELECTOR : unsigned short {
    QTMC_DOACTION = 1,                  // controller, action, parameter
    QTMC_GETCONTROLLERBOUNDSRECT = 4,   // controller, QTRECT* out
    QTMC_ISPLAYERMESSAGE = 11,          // controller, window, message, wParam, lParam -> non-zero when handled
    QTMC_SETCONTROLLERBOUNDSRECT = 18,  // controller, const QTRECT*
    QTMC_SETMOVIE = 19,                 // controller, movie, window, x, y
    QTMC_SETACTIVE = 20,                // controller, shown: the controller shows itself, or only its movie
};

// Movie controller actions.
enum QTMCACTION : short {
    mcActionPlay = 8,
    mcActionGoToTime = 12,
    mcActionSetVolume = 14,
    mcActionSetLooping = 21,
    mcActionSetLoopIsPalindrome = 23,
    mcActionSetGrowBoxBounds = 25,
    mcActionSetUseBadge = 36,
    mcActionSetFlags = 38,
    mcActionGetFlags = 39,
    mcActionSetPlayEveryFrame = 40,
    mcActionGetPlayRate = 42,
};

// Movie controller flags (mcActionGetFlags, mcActionSetFlags).
const long mcFlagSuppressStepButtons = 2;
const long mcFlagSuppressSpeakerButton = 4;
const long mcFlagsUseWindowPalette = 8;

const short noErr = 0;
const short qtErrNotStarted = -1;  // the binding could not start QuickTime for the call
const long mcTopLeftMovie = 1;     // NewMovieController flag: the movie at the rectangle's top left
const long mcScaleMovieToFit = 2;  // NewMovieController flag: the movie stretched to the rectangle

struct QTRECT {
    std::int32_t left, top, right, bottom;
};
struct QTTIMERECORD {
    std::int64_t value;
    std::int32_t scale;
    void* base;
};

typedef struct QTMovieRecord* Movie;
typedef struct QTControllerRecord* MovieController;
typedef struct QTPictureRecord* PicHandle;

// The QuickTime version number made from a library's product version a.b.c.d.
unsigned long QTBINDING_VersionNumber(unsigned a, unsigned b, unsigned c, unsigned d);
