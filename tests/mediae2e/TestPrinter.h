// The printers of the printing tests: Wine's PostScript driver with a plain PPD, printing into a
// file named as the printer's port, and Ghostscript to turn that file into page images.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CProgram;

// A printer "Quillet Test <name>" whose output goes to strOutput (replaced if it exists); made
// the default printer when bDefault.
bool InstallTestPrinter(const std::wstring& strName, const std::wstring& strOutput, bool bDefault);
// The printer's full name.
std::wstring TestPrinterName(const std::wstring& strName);

// One printed page rendered in grey at nDpi: 0 black ... 255 white, row by row from the top.
struct CPrintedPage {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<unsigned char> grey;
    unsigned char At(int x, int y) const { return grey[static_cast<size_t>(y) * nWidth + x]; }
    // The mean grey of a rectangle given in fractions of the page (0 to 1).
    double Mean(double x0, double y0, double x1, double y1) const;
    // The smallest rectangle holding every pixel darker than nGrey (empty when there is none).
    RECT DarkerThan(unsigned char nGrey) const;
};

// Brings the program's window hwndFrame forward, presses Ctrl+P and OK in the print dialog, and
// waits until the printout is complete in strOutput.
bool PrintThroughDialog(const CProgram& program, HWND hwndFrame, const std::wstring& strOutput);
// Waits until a print job's file is complete (the driver's trailer is written).
bool WaitForPrintout(const std::wstring& strFile, DWORD nTimeoutMs);
// Renders a PostScript file with Ghostscript; empty on failure.
std::vector<CPrintedPage> RenderPrintout(const std::wstring& strFile, int nDpi);
