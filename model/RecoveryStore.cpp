#include "RecoveryStore.h"
#include <shlobj.h>

#include <algorithm>
#include <cwchar>

#include "AppDataFolder.h"

namespace {
constexpr ULONGLONG kTicksPerDay = 24ULL * 60 * 60 * 10'000'000;
// A temporary file of a copy that is still being written is younger than this.
constexpr ULONGLONG kStrayTempTicks = kTicksPerDay;

constexpr wchar_t kDeclinedPrefix[] = L"Unsaved note ";
constexpr wchar_t kDamagedPrefix[] = L"Damaged copy ";

ULONGLONG Ticks(const FILETIME& ft) {
    return (ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

struct CFoundFile {
    std::wstring strName;
    FILETIME ftWritten;
    ULONGLONG nSize;
};

// The files of a folder matching a pattern such as "letter-*.Qzn".
std::vector<CFoundFile> FindFiles(const std::wstring& strFolder, const std::wstring& strPattern) {
    std::vector<CFoundFile> files;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((strFolder + L"\\" + strPattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return files;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back({fd.cFileName, fd.ftLastWriteTime,
                             (ULONGLONG(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow});
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return files;
}

std::wstring WithoutExtension(const std::wstring& strName) {
    return strName.substr(0, strName.find_last_of(L'.'));
}

// "2026-12-08 15-30-12" in local time: a file name part that sorts by date.
std::wstring DateName(const FILETIME& ft) {
    FILETIME ftLocal{};
    SYSTEMTIME st{};
    FileTimeToLocalFileTime(&ft, &ftLocal);
    FileTimeToSystemTime(&ftLocal, &st);
    wchar_t sz[32];
    std::swprintf(sz, 32, L"%04u-%02u-%02u %02u-%02u-%02u", st.wYear, st.wMonth, st.wDay, st.wHour,
                  st.wMinute, st.wSecond);
    return sz;
}

// The kinds of copies a start of this kind offers: every start with a letter window takes the
// letter copies, also those of the plain and mail starts of earlier versions.
std::vector<std::wstring> OfferedKinds(const std::wstring& strKind) {
    if (strKind == L"letter")
        return {L"letter", L"plain", L"jxm"};
    return {strKind};
}

// Every kind a copy can carry in its name.
const wchar_t* const kAllKinds[] = {L"letter", L"inking", L"plain", L"jxm"};

// What the ledger holds of a file: its size and when it was last written.
std::wstring Identity(ULONGLONG nSize, const FILETIME& ftWritten) {
    return std::to_wstring(nSize) + L" " + std::to_wstring(Ticks(ftWritten));
}

FILETIME LastWritten(const std::wstring& strPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(strPath.c_str(), GetFileExInfoStandard, &data))
        GetSystemTimeAsFileTime(&data.ftLastWriteTime);
    return data.ftLastWriteTime;
}

// Marks a kept file with the time it was kept, from which its seven days count.
void TouchNow(const std::wstring& strPath) {
    HANDLE h = CreateFileW(strPath.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    FILETIME ftNow{};
    GetSystemTimeAsFileTime(&ftNow);
    SetFileTime(h, nullptr, nullptr, &ftNow);
    CloseHandle(h);
}
} // namespace

std::wstring CRecoveryStore::DefaultFolder(const std::wstring& strProgram) {
    const std::wstring strBase = LocalAppDataFolder();
    return strBase.empty() ? strBase : strBase + L"\\" + strProgram + L"\\Recovery";
}

CRecoveryStore::CRecoveryStore(std::wstring strFolder, std::wstring strKind)
    : m_strFolder(std::move(strFolder)), m_strKind(std::move(strKind)) {}

CRecoveryStore::~CRecoveryStore() {
    if (m_hLock != INVALID_HANDLE_VALUE)
        CloseHandle(m_hLock);
}

bool CRecoveryStore::Open() {
    if (IsOpen())
        return true;
    if (m_strFolder.empty())
        return false;
    // With every folder above it that is missing.
    SHCreateDirectoryExW(nullptr, m_strFolder.c_str(), nullptr);
    // A name no copy or lock has yet: an earlier process of the same number may have left its
    // copy behind.
    const std::wstring strBase = m_strFolder + L"\\" + m_strKind + L"-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount64());
    for (int n = 0; n < 100 && !IsOpen(); ++n) {
        const std::wstring strStem = n == 0 ? strBase : strBase + L"-" + std::to_wstring(n);
        if (GetFileAttributesW((strStem + L".Qzn").c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        // No sharing and deleted on close: while this process lives nobody else can remove it,
        // and however the process ends the system closes and removes it.
        m_hLock =
            CreateFileW((strStem + L".lock").c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (IsOpen())
            m_strCopy = strStem + L".Qzn";
        else if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return IsOpen();
}

std::vector<std::wstring> CRecoveryStore::FindLeftOver() const {
    std::vector<CFoundFile> files;
    for (const std::wstring& strKind : OfferedKinds(m_strKind)) {
        std::vector<CFoundFile> kind = FindFiles(m_strFolder, strKind + L"-*.Qzn");
        files.insert(files.end(), kind.begin(), kind.end());
    }
    std::sort(files.begin(), files.end(), [](const CFoundFile& a, const CFoundFile& b) {
        return Ticks(a.ftWritten) > Ticks(b.ftWritten);
    });
    std::vector<std::wstring> paths;
    for (const CFoundFile& file : files) {
        const std::wstring strPath = m_strFolder + L"\\" + file.strName;
        if (lstrcmpiW(strPath.c_str(), m_strCopy.c_str()) == 0)
            continue;
        if (IsLeftOver(file.strName))
            paths.push_back(strPath);
    }
    return paths;
}

bool CRecoveryStore::IsLeftOver(const std::wstring& strName) const {
    // A lock that can be removed, or none, belongs to no running instance.
    const std::wstring strLock = m_strFolder + L"\\" + WithoutExtension(strName) + L".lock";
    return DeleteFileW(strLock.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool CRecoveryStore::Adopt(const std::wstring& strLeftOver) {
    if (!IsOpen() ||
        !MoveFileExW(strLeftOver.c_str(), m_strCopy.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
    // A rename keeps the time and size the ledger knows the copy by.
    const bool bOwn = IsOwn(strLeftOver);
    Forget(strLeftOver);
    if (bOwn)
        MarkWritten();
    return true;
}

std::wstring CRecoveryStore::LedgerPath() const {
    return m_strFolder + L"\\Copies.ini";
}

std::wstring CRecoveryStore::NameOf(const std::wstring& strPath) {
    return strPath.substr(strPath.find_last_of(L'\\') + 1);
}

void CRecoveryStore::Record(const std::wstring& strPath) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(strPath.c_str(), GetFileExInfoStandard, &data))
        return;
    const ULONGLONG nSize = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    WritePrivateProfileStringW(L"Copies", NameOf(strPath).c_str(),
                               Identity(nSize, data.ftLastWriteTime).c_str(), LedgerPath().c_str());
}

void CRecoveryStore::Forget(const std::wstring& strPath) const {
    WritePrivateProfileStringW(L"Copies", NameOf(strPath).c_str(), nullptr, LedgerPath().c_str());
}

std::wstring CRecoveryStore::RecordedIdentity(const std::wstring& strName) const {
    wchar_t sz[64] = {};
    GetPrivateProfileStringW(L"Copies", strName.c_str(), L"", sz, 64, LedgerPath().c_str());
    return sz;
}

bool CRecoveryStore::IsOwn(const std::wstring& strPath) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(strPath.c_str(), GetFileExInfoStandard, &data))
        return false;
    const ULONGLONG nSize = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return RecordedIdentity(NameOf(strPath)) == Identity(nSize, data.ftLastWriteTime);
}

void CRecoveryStore::MarkWritten() {
    Record(m_strCopy);
}

void CRecoveryStore::LetGo() {
    HANDLE hOldLock = m_hLock;
    m_hLock = INVALID_HANDLE_VALUE;
    m_strCopy.clear();
    // The old lock goes only when the new name is taken, so that no other start can adopt the
    // copy while this one still calls it its own.
    Open();
    CloseHandle(hOldLock);
}

std::wstring CRecoveryStore::KeepAs(const wchar_t* pszPrefix) {
    const std::wstring strBase = m_strFolder + L"\\" + pszPrefix + DateName(LastWritten(m_strCopy));
    std::wstring strKept = strBase + L".Qzn";
    for (int n = 2; GetFileAttributesW(strKept.c_str()) != INVALID_FILE_ATTRIBUTES && n < 100; ++n)
        strKept = strBase + L" (" + std::to_wstring(n) + L").Qzn";
    if (!MoveFileExW(m_strCopy.c_str(), strKept.c_str(), 0)) {
        // Left where it is under a name no longer this instance's: never written over or
        // removed by it, offered again by the next start.
        LetGo();
        return std::wstring();
    }
    Forget(m_strCopy);
    TouchNow(strKept);
    Record(strKept);
    return strKept;
}

std::wstring CRecoveryStore::KeepDeclined() {
    return KeepAs(kDeclinedPrefix);
}

std::wstring CRecoveryStore::SetAsideDamaged() {
    return KeepAs(kDamagedPrefix);
}

void CRecoveryStore::RemoveCopy() {
    if (m_strCopy.empty())
        return;
    DeleteFileW(m_strCopy.c_str());
    Forget(m_strCopy);
}

void CRecoveryStore::RemoveExpired(const FILETIME& ftNow) const {
    const ULONGLONG nNow = Ticks(ftNow);
    const auto isOld = [nNow](const CFoundFile& file, ULONGLONG nAge) {
        return nNow > Ticks(file.ftWritten) && nNow - Ticks(file.ftWritten) > nAge;
    };
    // Only what this program wrote, as the ledger knows it: a note the user saved here under a
    // name like a copy's stays.
    const auto removeOwn = [&](const CFoundFile& file) {
        if (RecordedIdentity(file.strName) != Identity(file.nSize, file.ftWritten))
            return;
        const std::wstring strPath = m_strFolder + L"\\" + file.strName;
        if (DeleteFileW(strPath.c_str()))
            Forget(strPath);
    };
    const ULONGLONG nKeep = kKeepDays * kTicksPerDay;
    for (const wchar_t* pszPrefix : {kDeclinedPrefix, kDamagedPrefix})
        for (const CFoundFile& file : FindFiles(m_strFolder, std::wstring(pszPrefix) + L"*.Qzn"))
            if (isOld(file, nKeep))
                removeOwn(file);
    // Copies that no start took within seven days of their last change go as declined ones do;
    // those this start offers are asked about instead.
    const std::vector<std::wstring> offered = OfferedKinds(m_strKind);
    for (const wchar_t* pszKind : kAllKinds) {
        if (std::find(offered.begin(), offered.end(), pszKind) != offered.end())
            continue;
        for (const CFoundFile& file : FindFiles(m_strFolder, std::wstring(pszKind) + L"-*.Qzn"))
            if (isOld(file, nKeep) && IsLeftOver(file.strName))
                removeOwn(file);
    }
    // The temporary files of copies being written ("qzn*.tmp") that were never finished.
    for (const CFoundFile& file : FindFiles(m_strFolder, L"qzn*.tmp"))
        if (isOld(file, kStrayTempTicks))
            DeleteFileW((m_strFolder + L"\\" + file.strName).c_str());
}
