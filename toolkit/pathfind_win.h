// A recursive folder walk: one level per folder entered, the newest first.
//
// Construct with a pattern (C:\SRC\*.*), then at each position descend while the entry is a folder that can
// be entered, act on the entry, and go on with PATHFIND_Next until it returns 0. Every level is released when
// the walk ends, and by the destructor (or PATHFIND_Destruct) when it is abandoned half-way. Windows code
// (pathfind_win.cpp).
#pragma once

struct PATHFIND_LEVEL;

struct PATHFIND {
    PATHFIND() = default;
    ~PATHFIND();
    PATHFIND(const PATHFIND&) = delete;
    PATHFIND& operator=(const PATHFIND&) = delete;

    PATHFIND_LEVEL* pNewest = nullptr;
};

// Starts a walk at the first entry matching the pattern; 0 when nothing matches.
int PATHFIND_Construct(PATHFIND* pFind, const char* szPattern);
// Moves to the next entry, leaving exhausted folders; 0 when the whole walk is done.
int PATHFIND_Next(PATHFIND* pFind);
// The current entry is a folder; it is a folder other than "." and ".." not yet entered.
int PATHFIND_IsFolder(const PATHFIND* pFind);
int PATHFIND_CanDescend(const PATHFIND* pFind);
// Enters the current folder with the same name pattern; an entry is entered once at most.
int PATHFIND_Descend(PATHFIND* pFind);
int PATHFIND_DescendIfFolder(PATHFIND* pFind);
// Leaves the newest level.
int PATHFIND_Pop(PATHFIND* pFind);
// The current entry's full name and its name part.
int PATHFIND_GetPath(const PATHFIND* pFind, char* szOut);
int PATHFIND_GetJustName(const PATHFIND* pFind, char* szOut);
// Releases every level; the walk is empty afterwards.
void PATHFIND_Destruct(PATHFIND* pFind);
