// The application object: runs the comparison dialog once, then ends.
#pragma once

#include "../framework/WinApp.h"

class CLauncherApp : public CWinApp
{
public:
    CLauncherApp();
    virtual BOOL InitInstance();

    virtual const MsgMap* GetMessageMap() const { return &messageMap; }
    static const MsgMap messageMap;
};

extern CLauncherApp theApp;
