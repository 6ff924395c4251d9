// The about box, opened from the launcher's system menu.
#pragma once

#include "framework/framework.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
