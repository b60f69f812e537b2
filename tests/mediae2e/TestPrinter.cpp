#include "TestPrinter.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "Input.h"
#include "ProgramRunner.h"

namespace {

constexpr wchar_t kDriver[] = L"Wine PostScript Driver";

std::wstring TestDataFile(const wchar_t* pszName) {
    std::wstring str = L"" QUILLET_TEST_DATA;
    for (wchar_t& ch : str)
        if (ch == L'/')
            ch = L'\\';
    return str + L"\\printing\\" + pszName;
}

bool InstallDriver() {
    wchar_t szDir[MAX_PATH] = {};
    DWORD n = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(szDir),
                                    sizeof(szDir), &n))
        return false;
    const std::wstring strPpd = std::wstring(szDir) + L"\\quillet-test.ppd";
    if (!CopyFileW(TestDataFile(L"quillet-test.ppd").c_str(), strPpd.c_str(), FALSE))
        return false;
    DRIVER_INFO_3W di{};
    di.cVersion = 3;
    di.pName = const_cast<LPWSTR>(kDriver);
    di.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
    di.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
    di.pDataFile = const_cast<LPWSTR>(strPpd.c_str());
    return AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&di)) ||
           GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
}

// The next number of a greymap's header, past blanks and "#" comment lines.
int PgmNumber(FILE* f) {
    int ch = fgetc(f);
    while (ch == '#' || ch == ' ' || ch == '\n' || ch == '\r' || ch == '\t') {
        if (ch == '#')
            while (ch != '\n' && ch != EOF)
                ch = fgetc(f);
        ch = fgetc(f);
    }
    int n = 0;
    for (; ch >= '0' && ch <= '9'; ch = fgetc(f))
        n = n * 10 + (ch - '0');
    return n; // the one blank after the number has been read
}

// A binary greymap (P5) as Ghostscript's pgmraw device writes it.
bool ReadPgm(const std::wstring& strPath, CPrintedPage& page) {
    FILE* f = _wfopen(strPath.c_str(), L"rb");
    if (!f)
        return false;
    const bool bMagic = fgetc(f) == 'P' && fgetc(f) == '5';
    page.nWidth = PgmNumber(f);
    page.nHeight = PgmNumber(f);
    const bool bOk = bMagic && page.nWidth > 0 && page.nHeight > 0 && PgmNumber(f) == 255;
    if (bOk) {
        page.grey.resize(static_cast<size_t>(page.nWidth) * page.nHeight);
        page.grey.resize(fread(page.grey.data(), 1, page.grey.size(), f));
    }
    fclose(f);
    return bOk && page.grey.size() == static_cast<size_t>(page.nWidth) * page.nHeight;
}

} // namespace

std::wstring TestPrinterName(const std::wstring& strName) {
    return L"Quillet Test " + strName;
}

bool InstallTestPrinter(const std::wstring& strName, const std::wstring& strOutput, bool bDefault) {
    if (!InstallDriver())
        return false;
    const std::wstring strPrinter = TestPrinterName(strName);
    HANDLE hOld = nullptr;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterW(const_cast<LPWSTR>(strPrinter.c_str()), &hOld, &defaults)) {
        DeletePrinter(hOld);
        ClosePrinter(hOld);
    }
    PRINTER_INFO_2W pi{};
    pi.pPrinterName = const_cast<LPWSTR>(strPrinter.c_str());
    pi.pPortName = const_cast<LPWSTR>(strOutput.c_str());
    pi.pDriverName = const_cast<LPWSTR>(kDriver);
    pi.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
    pi.pDatatype = const_cast<LPWSTR>(L"RAW");
    pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE h = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
    if (!h)
        return false;
    ClosePrinter(h);
    return !bDefault || SetDefaultPrinterW(strPrinter.c_str());
}

bool WaitForPrintout(const std::wstring& strFile, DWORD nTimeoutMs) {
    return WaitUntil(
        [&] {
            const std::vector<std::uint8_t> bytes = CTestFolder::ReadBytes(strFile);
            const std::string strTail(bytes.end() - std::min<size_t>(bytes.size(), 64),
                                      bytes.end());
            return strTail.find("%%EOF") != std::string::npos;
        },
        nTimeoutMs);
}

bool PrintThroughDialog(const CProgram& program, HWND hwndFrame, const std::wstring& strOutput) {
    constexpr DWORD kTimeout = 30000;
    BringToFront(hwndFrame);
    PressCtrlKey('P');
    HWND hwndDialog = program.WaitForWindow(L"#32770", kTimeout);
    if (!hwndDialog)
        return false;
    PostMessageW(hwndDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwndDialog, IDOK)));
    return WaitForPrintout(strOutput, kTimeout);
}

std::vector<CPrintedPage> RenderPrintout(const std::wstring& strFile, int nDpi) {
    std::vector<CPrintedPage> pages;
    const std::wstring strFolder = strFile.substr(0, strFile.find_last_of(L'\\'));
    const std::string strIn = UnixPath(strFile), strOut = UnixPath(strFolder + L"\\page");
    if (strIn.empty() || strOut.empty())
        return pages;
    RunUnix("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pgmraw -r" + std::to_string(nDpi) +
            " -sOutputFile=" + strOut + "%d.pgm " + strIn);
    for (int n = 1;; ++n) {
        CPrintedPage page;
        const std::wstring strPage = strFolder + L"\\page" + std::to_wstring(n) + L".pgm";
        if (!ReadPgm(strPage, page))
            break;
        DeleteFileW(strPage.c_str());
        pages.push_back(std::move(page));
    }
    return pages;
}

double CPrintedPage::Mean(double x0, double y0, double x1, double y1) const {
    const int l = static_cast<int>(x0 * nWidth), t = static_cast<int>(y0 * nHeight);
    const int r = static_cast<int>(x1 * nWidth), b = static_cast<int>(y1 * nHeight);
    double dSum = 0;
    int n = 0;
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x, ++n)
            dSum += At(x, y);
    return n ? dSum / n : 0;
}

RECT CPrintedPage::DarkerThan(unsigned char nGrey) const {
    RECT rc{nWidth, nHeight, 0, 0};
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            if (At(x, y) < nGrey)
                rc = {std::min<LONG>(rc.left, x), std::min<LONG>(rc.top, y),
                      std::max<LONG>(rc.right, x + 1), std::max<LONG>(rc.bottom, y + 1)};
    return rc.left < rc.right ? rc : RECT{0, 0, 0, 0};
}
