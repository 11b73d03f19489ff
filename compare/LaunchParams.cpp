#include "LaunchParams.h"

CString BuildCompareParameters(const char* dir1, const char* dir2, bool bSubDir)
{
    CString params("\"");
    params += dir1;
    params += "\" \"";
    params += dir2;
    params += "\" ";
    if (!bSubDir)
        params += "-D";
    return params;
}
