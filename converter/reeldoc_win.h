// The movie document: one movie file shown in a preview, converted to fast-start form in place, and copied
// under the Save As rules. Every open movie document is on one process-wide list, so a conversion started
// anywhere can make the preview of its movie let go of the file first.
#pragma once

#include <string>
#include <vector>

#include "toolkit/docframe/mdiframe_win.h"

class CReelDoc : public CDocument {
public:
    CReelDoc();
    ~CReelDoc() override;

    // The live movie documents, in the order they were made.
    static const std::vector<CReelDoc*>& GetOpenDocuments();
    // The open movie document whose path equals the name without regard to case; null when none.
    static CReelDoc* FindOpenDocument(const char* szName);
    // True while the document is alive.
    static bool IsOpen(const CReelDoc* pDocument);

    bool OnOpenDocument(const char* szPath) override;
    std::string GetTitle() const override;
    bool OnCmdMsg(int idCommand, CCommandState* pState) override;

    // The name the preview opens (a PATHNAME): empty while released, the composite name for streams.
    void GetMovieName(char* szOut) const;
    bool IsReleased() const { return m_fReleased; }
    // Sets or clears the released flag; the views are updated either way.
    void SetReleased(bool fReleased);
    // The movie's size, as the view found it.
    void SetMovieSize(int cx, int cy);
    int GetMovieWidth() const { return m_cxMovie; }
    int GetMovieHeight() const { return m_cyMovie; }
    const std::string& GetSourceName() const { return m_source; }

    // Saves the movie szSource under szDestination by the Save As rules; 0 for failure, 1 for a copy. The
    // preview lets go of the movie meanwhile and reopens it after a failure.
    int SaveMovie(const char* szSource, const char* szDestination);
    // Save As to a chosen name: on a copy the document takes that name.
    bool SaveAs(const char* szDestination);
    // Converts the movie to fast-start form in place through the conversion job.
    void MakeFastStart();

private:
    void OnFileSaveAs();
    std::string m_source;  // a movie this document's file is to be made from; empty when opened from a file
    int m_cxMovie = 0;
    int m_cyMovie = 0;
    bool m_fReleased = false;
};

// Runs the conversion job for a movie, with the open document of that movie released meanwhile; true when
// the job ended with OK.
bool RunVroonJob(HWND hParent, const char* szMovie, bool bAutoCommit);
