// The pen's whole road through the running program: the real KVOmail.exe in the display with the
// virtual tablet, which moves the cursor as a driver does, waits until the program has answered
// (it has handled what came before, the move included), posts the packet's message and notes when
// the program fetched the packet and when it was back in its message loop; then the next. The
// pencil, brush, marker and eraser write wavy strokes at zoom 1 and 4 in letter mode and at zoom 1
// in desktop and inking mode (over the fake Word). Before each case, in the same run, the floor:
// road_floor.exe, a window that opens the same tablet context and only fetches the packets. With
// the folder of another build's KVOmail.exe, Brevix.dll and kvofunc.dll as argument, that program
// writes the letter-mode strokes too, after this one's (the virtual tablet stays this build's).
// Prints per case the median and the 99th percentile of a packet's whole time (the answer after
// the cursor move, post -> fetched -> back) in microseconds and the ratio of the medians to the
// floor's.
// Run inside a display: scripts/road-bench.sh <build> [old-bin-folder|commit] [strokes] [rounds]
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ModesSession.h"
#include "OfficeFixture.h"

namespace {

constexpr int kSamples = 100;
// Where the strokes go, from the top-left of the window the tablet's origin names.
constexpr RECT kArea{60, 60, 860, 460};
constexpr RECT kFloorRect{100, 150, 1000, 650};
const char* const kToolNames[] = {"pencil", "brush", "marker", "eraser"};
const POINT kLetterTools[] = {LetterPanel::kPencil, LetterPanel::kBrush, LetterPanel::kMarker,
                              LetterPanel::kEraser};
// The commands of those buttons and of Zoom In.
const UINT kToolCommands[] = {1040, 1039, 1041, 1093};
constexpr UINT kZoomInCommand = 1081;
// The strip's eraser reaches above the panel: it is clicked below its top-left corner.
const POINT kStripTools[] = {
    StripPanel::kPencil, StripPanel::kBrush, StripPanel::kMarker, {StripPanel::kEraser.x, 0}};

std::string Narrow(const std::wstring& str) {
    return std::string(str.begin(), str.end());
}

// nStrokes wavy strokes of kSamples moves across the area, the pressure swelling and thinning.
std::string WavyStrokes(int nStrokes) {
    std::string str;
    const int cx = kArea.right - kArea.left, cy = kArea.bottom - kArea.top;
    for (int s = 0; s < nStrokes; ++s) {
        const int y0 = kArea.top + cy * (2 * s + 1) / (2 * nStrokes);
        auto at = [&](int i) {
            const int x = kArea.left + cx * i / kSamples;
            const int y = y0 + int(12 * std::sin(i * 0.3 + s));
            return std::to_string(x) + " " + std::to_string(y);
        };
        str += "down " + at(0) + " 600\n";
        for (int i = 1; i <= kSamples; ++i)
            str += "move " + at(i) + " " + std::to_string(400 + 300 * ((i / 10) % 2)) + "\n";
        str += "up " + at(kSamples) + "\n";
    }
    return str;
}

// A chapter that notes the times of its packets in strFile.
std::string TimedChapter(const std::wstring& strFile, const std::string& strStrokes) {
    return "times " + Narrow(strFile) + "\n" + strStrokes + "times off\n";
}

// One packet's road in microseconds: the answer after its cursor move, post -> fetched, fetched ->
// back.
struct CRoad {
    double fSync, fFetch, fBack;
    double Total() const { return fSync + fFetch + fBack; }
};

std::vector<CRoad> ReadTimes(const std::wstring& strFile, int& nLost) {
    std::vector<CRoad> times;
    std::ifstream in(Narrow(strFile));
    int nEvent = 0;
    CRoad road{};
    while (in >> nEvent >> road.fSync >> road.fFetch >> road.fBack) {
        if (road.fFetch < 0)
            ++nLost;
        else
            times.push_back(road);
    }
    return times;
}

struct CStats {
    double fMedian = 0;
    double f99 = 0;
    size_t nCount = 0;
};

CStats StatsOf(const std::vector<CRoad>& roads, double (*pfnPart)(const CRoad&)) {
    std::vector<double> v;
    for (const CRoad& road : roads)
        v.push_back(pfnPart(road));
    CStats st;
    st.nCount = v.size();
    if (v.empty())
        return st;
    std::sort(v.begin(), v.end());
    st.fMedian = v[v.size() / 2];
    st.f99 = v[std::min(v.size() - 1, v.size() * 99 / 100)];
    return st;
}

// Times of every case of a run, by case name.
struct CResults {
    std::map<std::string, std::vector<CRoad>> cases;
    int nLost = 0;
    bool bFailed = false;
};

void Take(CResults& res, const std::string& strCase, const std::wstring& strFile) {
    std::vector<CRoad> times = ReadTimes(strFile, res.nLost);
    if (times.empty()) {
        std::fprintf(stderr, "%s: no packet times\n", strCase.c_str());
        res.bFailed = true;
    }
    auto& all = res.cases[strCase];
    all.insert(all.end(), times.begin(), times.end());
}

// Starts road_floor.exe with the tablet script strScriptPath, lets it write once the event
// strGo is set, and ends it once strDone is.
void PlayFloor(const std::wstring& strScriptPath, const std::string& strGo,
               const std::string& strDone) {
    HANDLE hGo = CreateEventA(nullptr, TRUE, FALSE, strGo.c_str());
    HANDLE hDone = CreateEventA(nullptr, TRUE, FALSE, strDone.c_str());
    SetEnvironmentVariableW(L"QUILLET_TABLET_SCRIPT", strScriptPath.c_str());
    SetDllOrderOf(L"road_floor.exe", L"wintab32", kVirtualTabletOrder);
    std::wstring strLine = L"\"" + BinaryFolder() + L"\\road_floor.exe\" ";
    for (LONG n : {kFloorRect.left, kFloorRect.top, kFloorRect.right - kFloorRect.left,
                   kFloorRect.bottom - kFloorRect.top})
        strLine += std::to_wstring(n) + L" ";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(nullptr, strLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
        // The floor's window settles before the first packet, as the program's does.
        WaitForInputIdle(pi.hProcess, 10000);
        Sleep(1000);
        SetEvent(hGo);
        WaitForSingleObject(hDone, 300000);
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    SetEnvironmentVariableW(L"QUILLET_TABLET_SCRIPT", nullptr);
    CloseHandle(hGo);
    CloseHandle(hDone);
}

// The floor window writes the strokes once; its times go under each of the cases, with those of
// any floor run of the same case before.
void RunFloor(CResults& res, const std::vector<std::string>& cases, const std::string& strStrokes) {
    CTestFolder folder;
    const std::wstring strTimes = folder / L"floor.txt";
    const std::string strEvent = "road_floor_" + std::to_string(GetTickCount64());
    const std::string strScript = "origin client\nwaitfor " + strEvent + "_go 30000\n" +
                                  TimedChapter(strTimes, strStrokes) + "signal " + strEvent +
                                  "_done\n";
    const std::wstring strScriptPath = folder / L"floor-script.txt";
    CTestFolder::WriteBytes(strScriptPath,
                            std::vector<std::uint8_t>(strScript.begin(), strScript.end()));
    PlayFloor(strScriptPath, strEvent + "_go", strEvent + "_done");
    for (const std::string& strCase : cases)
        Take(res, strCase, strTimes);
}

std::string CaseName(const char* pszMode, int nTool, int nZoom) {
    return std::string(pszMode) + " " + kToolNames[nTool] + " " + std::to_string(nZoom);
}

// A letter-mode button: clicked on the panel, or, with an old build that has no panel yet, its
// command sent to the frame.
void Choose(const CPenSession& session, POINT ptPlace, UINT nCommand, bool bPanel) {
    if (bPanel) {
        session.ClickPanel(ptPlace);
        return;
    }
    DWORD_PTR nResult = 0;
    SendMessageTimeoutW(session.m_hFrame, WM_COMMAND, nCommand, 0, SMTO_NORMAL, 10000, &nResult);
}

// The program's cases of one run. In letter mode each case follows the floor's writing of the
// same strokes (the program waits meanwhile, its window under the floor's), so that a change of
// the machine's load meets both alike. The overlay of the other modes holds the mouse: the
// program would handle every move of the floor's cursor, so there the floor writes before the
// program starts and after it has ended, for all the mode's cases.
class CCaseRunner {
public:
    CCaseRunner(CResults& res, CResults& floors, const std::string& strStrokes)
        : m_res(res), m_floors(floors), m_strStrokes(strStrokes) {}
    // Chapter n of the session: the strokes, timed into the session's file n.
    std::string Chapter(const CPenSession& session, int n, const char* pszOrigin) const {
        return std::string(pszOrigin) + "\n" + TimedChapter(TimesFile(session, n), m_strStrokes);
    }
    void RunFloor(const std::vector<std::string>& cases) {
        ::RunFloor(m_floors, cases, m_strStrokes);
    }
    void Run(CPenSession& session, int n, const std::string& strCase, bool bFloor) {
        if (bFloor) {
            RunFloor({strCase});
            // The program repaints what the floor's window covered before its first packet.
            Sleep(300);
        }
        session.RunChapter(size_t(n));
        Take(m_res, strCase, TimesFile(session, n));
    }
    void Fail() { m_res.bFailed = true; }

private:
    static std::wstring TimesFile(const CPenSession& session, int n) {
        return session.m_folder / (L"times" + std::to_wstring(n) + L".txt");
    }
    CResults& m_res;
    CResults& m_floors;
    const std::string& m_strStrokes;
};

// The cases of an overlay mode, one a tool at zoom 1.
std::vector<std::string> OverlayCases(const char* pszMode) {
    std::vector<std::string> cases;
    for (int n = 0; n < 4; ++n)
        cases.push_back(CaseName(pszMode, n, 1));
    return cases;
}

// Letter mode: each tool at zoom 1, then at zoom 4.
void RunLetter(CCaseRunner& runner, bool bPanel) {
    CPenSession session;
    for (int n = 0; n < 8; ++n)
        session.AddChapter(runner.Chapter(session, n, "origin client ScrivoView"));
    if (!session.Start(kVirtualTabletOrder))
        return runner.Fail();
    for (int n = 0; n < 8; ++n) {
        for (int i = 0; i < (n == 4 ? 2 : 0); ++i)
            Choose(session, LetterPanel::kZoomIn, kZoomInCommand, bPanel);
        Choose(session, kLetterTools[n % 4], kToolCommands[n % 4], bPanel);
        runner.Run(session, n, CaseName("letter", n % 4, n < 4 ? 1 : 4), true);
    }
}

// Desktop mode: each tool over the frozen screen.
void RunDesktop(CCaseRunner& runner) {
    CModesSession session;
    for (int n = 0; n < 4; ++n)
        session.AddChapter(runner.Chapter(session, n, "origin client"));
    if (!session.Start(kVirtualTabletOrder))
        return runner.Fail();
    session.ClickToolBar(LetterToolBar::kDesktop);
    if (!session.WaitForOverlay(L"Plovexa-L", true))
        return runner.Fail();
    for (int n = 0; n < 4; ++n) {
        session.ClickStripPanel(kStripTools[n]);
        runner.Run(session, n, CaseName("desktop", n, 1), false);
    }
}

// Inking mode: each tool over the fake Word, in one writing run.
void RunInking(CCaseRunner& runner) {
    CClassRegistration registration;
    CFakeOffice word("word", "/version 11.0 /rect 100 100 600 400");
    CModesSession session;
    for (int n = 0; n < 4; ++n)
        session.AddChapter(runner.Chapter(session, n, "origin client"));
    if (!word.IsReady() || !session.StartProgram(L"Inking", L"INKING", L"Scribola"))
        return runner.Fail();
    session.ClickStripPanel(kStripTools[0]);
    session.ClickToolBar(InkingToolBar::kStartWriting);
    if (!session.WaitForOverlay(L"Plovexa-I", true))
        return runner.Fail();
    for (int n = 0; n < 4; ++n) {
        session.ClickStripPanel(kStripTools[n]);
        runner.Run(session, n, CaseName("inking", n, 1), false);
    }
    session.m_program.Kill();
}

double TotalOf(const CRoad& road) {
    return road.Total();
}

void PrintTable(const CResults& now, const CResults& floors, const CResults* pOld) {
    std::printf("%-20s %17s %17s %7s", "case", "floor med / p99", "program med / p99", "ratio");
    if (pOld)
        std::printf(" %17s %7s", "old med / p99", "ratio");
    std::printf("\n");
    for (const auto& [strCase, times] : now.cases) {
        const CStats fl = StatsOf(floors.cases.at(strCase), TotalOf);
        const CStats st = StatsOf(times, TotalOf);
        std::printf("%-20s %8.0f / %6.0f %8.0f / %6.0f %6.2fx", strCase.c_str(), fl.fMedian, fl.f99,
                    st.fMedian, st.f99, st.fMedian / fl.fMedian);
        if (pOld && pOld->cases.count(strCase)) {
            const CStats old = StatsOf(pOld->cases.at(strCase), TotalOf);
            std::printf(" %8.0f / %6.0f %6.2fx", old.fMedian, old.f99, old.fMedian / fl.fMedian);
        }
        std::printf("\n");
    }
}

// The medians of the three parts of the road, for each case of a run.
void PrintParts(const char* pszWhat, const CResults& res) {
    for (const auto& [strCase, times] : res.cases) {
        const double fSync = StatsOf(times, [](const CRoad& r) { return r.fSync; }).fMedian;
        const double fFetch = StatsOf(times, [](const CRoad& r) { return r.fFetch; }).fMedian;
        const double fBack = StatsOf(times, [](const CRoad& r) { return r.fBack; }).fMedian;
        std::printf("%-8s %-20s %8.0f %8.0f %8.0f\n", pszWhat, strCase.c_str(), fSync, fFetch,
                    fBack);
    }
}

// One round: every case of this build, and the letter-mode cases of the old build in strOld
// (none when empty).
void RunRound(CResults& now, CResults& old, CResults& floors, const std::string& strStrokes,
              const std::wstring& strOld) {
    CCaseRunner runner(now, floors, strStrokes);
    RunLetter(runner, true);
    // The old build writes in letter mode only: the overlay of the other modes came later.
    if (!strOld.empty()) {
        CCaseRunner oldRunner(old, floors, strStrokes);
        SetProgramFolder(strOld);
        RunLetter(oldRunner, false);
        SetProgramFolder(std::wstring());
    }
    using ModeRun = void (*)(CCaseRunner&);
    const std::pair<const char*, ModeRun> modes[] = {{"desktop", RunDesktop},
                                                     {"inking", RunInking}};
    for (const auto& [pszMode, pfnRun] : modes) {
        runner.RunFloor(OverlayCases(pszMode));
        pfnRun(runner);
        runner.RunFloor(OverlayCases(pszMode));
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::wstring strOld = argc > 1 && std::string(argv[1]) != "-"
                                    ? std::wstring(argv[1], argv[1] + std::strlen(argv[1]))
                                    : std::wstring();
    const int nStrokes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    const std::string strStrokes = WavyStrokes(nStrokes);
    const int nRounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
    CResults now, old, floors;
    for (int nRound = 0; nRound < nRounds; ++nRound)
        RunRound(now, old, floors, strStrokes, strOld);
    std::printf("Microseconds per packet: the answer after its cursor move, post -> fetched -> "
                "back in the message loop; %d rounds of %d strokes of %d samples per case\n",
                nRounds, nStrokes, kSamples);
    PrintTable(now, floors, strOld.empty() ? nullptr : &old);
    std::printf("\nMedians of the parts: answer after the cursor move, post -> fetched, fetched -> "
                "back\n");
    PrintParts("floor", floors);
    PrintParts("program", now);
    PrintParts("old", old);
    const int nLost = now.nLost + old.nLost + floors.nLost;
    if (nLost)
        std::printf("%d packets were not fetched\n", nLost);
    return now.bFailed || old.bFailed || floors.bFailed ? 1 : 0;
}
