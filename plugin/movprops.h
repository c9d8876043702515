// The EMBED attributes that steer the QuickTime player, read once into one record when an instance takes
// over its attributes.
#pragma once

#include <cstdint>
#include <string>

#include "plugin/npprops.h"

enum MOVPROPS_LOOP : int16_t { MOVPROPS_LOOP_ONCE = 0, MOVPROPS_LOOP_LOOP = 1, MOVPROPS_LOOP_PALINDROME = 2 };
enum MOVPROPS_CONTROLLER : int16_t {
    MOVPROPS_CONTROLLER_NONE = 0,
    MOVPROPS_CONTROLLER_BAR = 1,
    MOVPROPS_CONTROLLER_BADGE = 2,
};
enum MOVPROPS_POSITION : int16_t { MOVPROPS_POSITION_TOPLEFT = 0, MOVPROPS_POSITION_CENTER = 1 };

struct MOVPROPS {
    int16_t nLoop = MOVPROPS_LOOP_ONCE;
    int16_t fAutoStart = 0;
    int16_t nController = MOVPROPS_CONTROLLER_BAR;
    int16_t fKeepAspect = 1;
    int16_t nPosition = MOVPROPS_POSITION_TOPLEFT;
    int16_t fHidden = 0;
    int16_t fPlayEveryFrame = 0;
    int16_t fUseWindowsPalette = 0;
    int16_t fStepButtons = 1;
    int16_t fSpeakerButtons = 1;
    int16_t nVolume = 100;
    std::string sHref;
    std::string sTarget;
    int16_t fIsMap = 0;
};

// The value sets of the looping, controller and position attributes.
extern const char MOVPROPS_LOOP_VALUES[];
extern const char MOVPROPS_CONTROLLER_VALUES[];
extern const char MOVPROPS_POSITION_VALUES[];

// Every attribute with its synonyms and default; false for a missing record. In full page the lines for stretching and position are not
// read: the movie keeps its aspect ratio at the top left.
bool MOVPROPS_Read(MOVPROPS* pMovProps, const CNPProps& props, bool fFullPage);
