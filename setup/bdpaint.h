// Where the engine's backdrop picture and text go on the backdrop window: the design's position codes 1 to 9
// (rows top, middle, bottom of three columns left, centre, right; 1 top-left, 5 centre, 9 bottom-right).
// Portable code.
#pragma once

enum BDPAINT_PLACE { BDPAINT_START = 0, BDPAINT_CENTRE = 1, BDPAINT_END = 2 };

// The picture's top-left corner in a window of cxWindow by cyWindow: 3 pixels in from the left or top, centred,
// or 6 pixels short of the right or bottom edge. Any other code, or a picture larger than the window on either
// axis, is at the corner (0, 0).
void BDPAINT_PictureOrigin(int nPos, int cxWindow, int cyWindow, int cxPicture, int cyPicture, int* px, int* py);
// The text's column and row (BDPAINT_PLACE) for its code; the top-left for a code outside 1 to 9.
void BDPAINT_TextPlace(int nPos, int* pnColumn, int* pnRow);
