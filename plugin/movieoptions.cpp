#include "plugin/movieoptions.h"

CMovieOptions& MOVIEOPTIONS_Get() {
    static CMovieOptions s_options;
    return s_options;
}
