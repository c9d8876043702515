// The poses of a show program, which puts windows on screen for screenshots: at each moment worth a picture it
// creates FOLDER\NAME.ready and waits for FOLDER\NAME.taken, which the screenshot script (./go screenshots)
// creates once it has captured the display.
#pragma once

#include <windows.h>

#include <string>

const DWORD SHOWPOSE_TIMEOUT = 60000;  // how long a pose waits for its picture

// Announces the moment szName in the folder (with its trailing separator) and waits until its picture is taken.
void SHOWPOSE_Pose(const std::string& folder, const char* szName);
