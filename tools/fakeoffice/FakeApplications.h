// The application objects of the fake Word, Excel and PowerPoint, built from the behaviour
// chosen on the command line.
#pragma once
#include "FakeDocument.h"

struct CFakeOptions {
    std::string strVersion = "11.0";
    int nDocuments = 1;
    LONG nViewType = 9;
    bool bShow = false;
    // Word's option 451 as the user has it.
    bool bOption451 = true;
    // Slide show state.
    LONG nShowPosition = 1;
};

extern CFakeOptions g_options;

IDispatch* MakeWordApplication();
IDispatch* MakeExcelApplication();
IDispatch* MakePowerPointApplication();
