// The application object: its InitInstance is the whole life of the program.
#pragma once

#include "framework/framework.h"

class CAccumApp : public CWinApp {
public:
    // Runs the launcher modally and answers FALSE, which ends the program.
    BOOL InitInstance() override;
};
