// The application object: runs the comparison dialog once, then ends.
#pragma once

#include "../framework/WinApp.h"

class CLauncherApp : public CWinApp
{
    DECLARE_MESSAGE_MAP()

public:
    CLauncherApp();
    virtual BOOL InitInstance();
};

extern CLauncherApp theApp;
