// Test helpers that run KVOStart.exe as a real process: a temporary directory holding a copy of
// the launcher (and of LauncherProbe.exe as KVOmail.exe), the start of the launcher with its own
// environment, and a watch over its windows that reads and closes its message boxes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The directory of the running test program, where every binary of the build lies.
std::wstring BinDir();

// A temporary folder, removed with everything in it at the end. The launcher's directory is a
// subfolder whose name has blanks; the probe's record file lies outside it.
class CLaunchDir {
public:
    explicit CLaunchDir(const std::wstring& strSubfolder = L"Quillet launcher");
    ~CLaunchDir();
    CLaunchDir(const CLaunchDir&) = delete;
    CLaunchDir& operator=(const CLaunchDir&) = delete;

    const std::wstring& Base() const { return m_strBase; }
    const std::wstring& Dir() const { return m_strDir; }
    std::wstring Record() const { return m_strBase + L"\\record.txt"; }

    // Copies the stand-in beside the launcher as KVOmail.exe.
    void AddProgram() const;
    // Copies the real KVOmail.exe, the libraries it loads and the virtual tablet beside the
    // launcher.
    bool AddRealProgram() const;
    // Writes the settings file beside the launcher with this text.
    void WriteSettings(const std::string& strText) const;
    // The file names in the launcher's directory, sorted.
    std::vector<std::wstring> Files() const;

private:
    std::wstring m_strBase;
    std::wstring m_strDir;
};

// One line of the stand-in's record file.
struct ProbeRecord {
    DWORD nPid = 0;
    std::wstring strModule;
    std::wstring strCommandLine;
    std::wstring strEvent;
};
std::vector<ProbeRecord> ReadRecords(const std::wstring& strFile);

// A message box seen while the launcher ran.
struct SeenBox {
    std::wstring strCaption;
    std::wstring strText;
};

// What a launcher process showed from its start to its end.
struct LauncherRun {
    bool bEnded = false;
    std::vector<SeenBox> boxes;
    std::vector<std::wstring> otherWindows; // class names of any other visible window
};

// A started process, with its handles closed at the end.
class CStartedProcess {
public:
    CStartedProcess() = default;
    CStartedProcess(CStartedProcess&& o) noexcept;
    ~CStartedProcess();
    CStartedProcess& operator=(CStartedProcess&&) = delete;
    CStartedProcess(const CStartedProcess&) = delete;

    bool Start(const std::wstring& strProgram, const std::wstring& strArgs,
               const std::vector<std::wstring>& environment);
    HANDLE Process() const { return m_pi.hProcess; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    bool HasEnded() const { return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }
    // Watches the process's windows until it ends (at most dwTimeout ms, then ends it); every
    // message box is read and answered with OK.
    LauncherRun Watch(DWORD dwTimeout = 20000);

private:
    PROCESS_INFORMATION m_pi{};
};

// The environment of a launcher: the test's own, with the stand-in's record file.
std::vector<std::wstring> LaunchEnvironment(const CLaunchDir& dir);

// Starts "<dir>\KVOStart.exe" with strArgs after the quoted program path. With bNoDriver the
// launcher runs from a copy beside it under a name for which Wine cannot load "wintab32.dll".
bool StartLauncher(CStartedProcess& process, const CLaunchDir& dir, const std::wstring& strArgs,
                   bool bNoDriver);

// Waits for every process started by one of these processes to end.
void WaitForChildren(const std::vector<DWORD>& parents, DWORD dwTimeout = 10000);

// The ids of the running processes whose program file has this name.
std::vector<DWORD> ProcessesNamed(const wchar_t* pszExe);

// The full path of a running process's program file.
std::wstring ProcessImage(DWORD nPid);

// Whether an event of this name exists.
bool EventExists(const wchar_t* pszName);
