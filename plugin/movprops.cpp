#include "plugin/movprops.h"

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("MOVPROPS");

const char MOVPROPS_LOOP_VALUES[] = "FALSE,F,NONE,NO|TRUE,T,YES,Y,L|PALINDROME,P";
const char MOVPROPS_CONTROLLER_VALUES[] = "FALSE,F,NONE,NO|TRUE,T,YES,Y|BADGE";
const char MOVPROPS_POSITION_VALUES[] = "TOPLEFT,TL|CENTER,C";

bool MOVPROPS_Read(MOVPROPS* pMovProps, const CNPProps& props, bool fFullPage) {
    MFX_PRE(pMovProps);
    MOVPROPS& m = *pMovProps;
    m = MOVPROPS();
    m.nLoop = props.GetEnumValue("LOOP,REPEAT", MOVPROPS_LOOP_VALUES, MOVPROPS_LOOP_ONCE);
    m.fAutoStart = props.GetBoolValue("AUTOSTART,AUTOPLAY", 0);
    m.nController = props.GetEnumValue("CONTROL,CONTROLS,CONTROLLER", MOVPROPS_CONTROLLER_VALUES,
                                       MOVPROPS_CONTROLLER_BAR);
    if (!fFullPage) {
        // Stretching to fit gives up the aspect ratio, unless the page asks to keep it as well.
        m.fKeepAspect = !props.GetBoolValue("STRETCH,STRETCHTOFIT", 0);
        if (props.HasProp("KEEPASPECTRATIO"))
            m.fKeepAspect = props.GetBoolValue("KEEPASPECTRATIO", 1);
        m.nPosition = props.GetEnumValue("POSITION,POS", MOVPROPS_POSITION_VALUES, MOVPROPS_POSITION_TOPLEFT);
    }
    m.fHidden = props.GetBoolValue("HIDDEN", 0);
    m.fPlayEveryFrame = props.GetBoolValue("PLAYEVERYFRAME", 0);
    m.fUseWindowsPalette = props.GetBoolValue("USEWINDOWSPALETTE,UWP", 0);
    m.fStepButtons = props.GetBoolValue("STEPBUTTONS,STEP,STEPBTN", 1);
    m.fSpeakerButtons = props.GetBoolValue("SPEAKERBUTTONS,SPEAKER,SPKR", 1);
    m.nVolume = props.GetIntValue("VOLUME,VOL,V", 100);
    m.sHref = props.GetStringValue("HREF,HREFABS");
    m.sTarget = props.GetStringValue("HREFTARGET,TARGET");
    m.fIsMap = props.GetBoolValue("ISMAP", 0);
    return true;
}
