// CLauncher does the launcher's whole job: it keeps a second launcher from running at the same
// time, brings back an inking instance of KVOmail that is already running, checks that a tablet
// driver is installed and starts KVOmail from the launcher's directory. It owns the start event
// that tells other launchers that one is at work, for as long as the object lives.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "KernelHandle.h"

class CLauncher {
public:
    // How a run ended.
    enum class Outcome {
        OtherLauncherRunning, // another launcher holds the start event: nothing done
        InkingRestored,       // KVOmail is inking already: its window was restored if found
        NoTabletDriver,       // the tablet driver library did not load: warned
        Started,              // KVOmail was started
        StartFailed,          // KVOmail could not be started: warned
    };

    // hStrings holds the string table of the warnings; strDir is the launcher's directory
    // without a trailing backslash, where KVOmail.exe and the settings file lie.
    CLauncher(HMODULE hStrings, std::wstring strDir);

    // The library whose loading shows that a tablet driver is installed.
    void SetDriverLibrary(std::wstring strName) { m_strDriverLibrary = std::move(strName); }
    // How the launcher waits its pauses of 500 ms, before the driver check and after the start
    // (also a failed one): Sleep unless replaced.
    void SetSleep(std::function<void(DWORD)> sleep) { m_sleep = std::move(sleep); }

    // Runs the launcher once; strArgs is the launcher's own command line without its program
    // name, passed on to KVOmail instead of "Inking" when it is not empty.
    Outcome Run(const std::wstring& strArgs);

    // The caption of the warnings, read from the settings file by Run.
    const std::wstring& GetCaption() const { return m_strCaption; }

private:
    bool StartProgram(const std::wstring& strArgs) const;
    void Warn(UINT nId) const;

    HMODULE m_hStrings;
    std::wstring m_strDir;
    std::wstring m_strDriverLibrary = L"wintab32.dll";
    std::function<void(DWORD)> m_sleep = Sleep;
    std::wstring m_strCaption;
    CKernelHandle m_hStartEvent;
};

// The directory of a module's file (null: the program), without the trailing backslash.
std::wstring GetModuleDir(HMODULE hModule);

// The caption of the launcher's warnings: key "TITLE2" of section "STRING" in the settings file,
// "Scribola" when missing, at most 255 characters.
std::wstring ReadCaption(const std::wstring& strSettingsFile);

// A program's command line without the program name and the blanks after it.
std::wstring GetArguments(const wchar_t* pszCommandLine);

// The command line that starts KVOmail: its path in quotes, one blank and the argument, which is
// "Inking" when strArgs is empty.
std::wstring BuildCommandLine(const std::wstring& strProgram, const std::wstring& strArgs);
