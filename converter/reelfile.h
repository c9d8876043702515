// The movie document's file rules: file types by extension, each type's counterpart for Save As, the save
// dialog's filter lists, the movie name handed to the preview, and what saving from one name to another does.
#pragma once

enum REELTYPE {
    REELTYPE_NONE = 0,  // unrecognised
    REELTYPE_AVI = 1,   // video file
    REELTYPE_AVX = 2,   // video stream
    REELTYPE_MOV = 3,   // QuickTime movie (.mov, .qt)
    REELTYPE_QTX = 4,   // movie stream
    REELTYPE_GIF = 5,   // GIF animation
};

// The type of a file name, from the extension after the last dot, compared without regard to case.
REELTYPE REELFILE_GetType(const char* szName);
// The type a document of this type is saved as by default; REELTYPE_NONE (reported) for an unrecognised type.
REELTYPE REELFILE_GetCounterpart(REELTYPE nType);
// "AVI", "AVX", "MOV", "QTX", "GIF"; empty (reported) for an unrecognised type.
const char* REELFILE_GetExtensionText(REELTYPE nType);
// The save dialog's filter list, the counterpart's filter first; "All Files (*.*)|*.*|" (reported) for an
// unrecognised type.
const char* REELFILE_GetSaveFilter(REELTYPE nType);

// The name the preview opens for a document's path: the path itself for files, and for streams the path, "+"
// and the path's name part with the counterpart's extension (C:\m\clip.qtx gives C:\m\clip.qtx+clip.MOV).
// Empty (reported) for an unrecognised type or a name that does not fit. szOut holds a PATHNAME. 1 or 0.
int REELFILE_GetMovieName(const char* szPath, char* szOut);

// The default name for Save As: the path's name part with its extension replaced by the counterpart's text.
int REELFILE_GetSaveAsName(const char* szPath, char* szOut);

enum REELSAVE {
    REELSAVE_COPY,            // same type, another name: copy the file
    REELSAVE_SAMENAME,        // same type, same name: refused with a message
    REELSAVE_NOCONVERSION,    // file to stream: no conversion exists, fails without a message
    REELSAVE_NOTIMPLEMENTED,  // stream to file: refused with a message
    REELSAVE_UNSUPPORTED,     // any other pair: refused with a message
};

// What saving the movie source under the name destination does.
REELSAVE REELFILE_GetSaveAction(const char* szSource, const char* szDestination);
// The message that a refused save shows; null for an action that shows none.
const char* REELFILE_GetSaveMessage(REELSAVE nAction);
