// CCanvasTestAccess: the tests' one way into the private state of the canvas classes, which
// name it their friend. Only what a test reads or sets and the classes do not offer goes here.
#pragma once
#include "ScreenRun.h"

class CCanvasTestAccess {
public:
    // The capture area selected so far, and whether a selection is under way.
    static const RECT& SelectRect(const CScreenRun& run) { return run.m_rcSelect; }
    static bool IsSelecting(const CScreenRun& run) { return run.m_bSelecting; }
    // The packets the capture has ignored since it started.
    static short CaptureSkip(const CScreenRun& run) { return run.m_nCaptureSkip; }
};
