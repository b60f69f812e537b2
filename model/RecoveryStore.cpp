#include "RecoveryStore.h"
#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <optional>

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
            files.push_back({fd.cFileName, fd.ftLastWriteTime});
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

// What the ledger holds of a file: the file itself (volume and file number, which a rename keeps
// and a save by any program, through a new file, does not), its size and when it was last
// written. Empty when the file cannot be asked.
struct CIdentity {
    DWORD nVolume = 0;
    ULONGLONG nFile = 0;
    ULONGLONG nSize = 0;
    ULONGLONG nWritten = 0;
};

std::optional<CIdentity> IdentityOf(const std::wstring& strPath) {
    HANDLE h = CreateFileW(strPath.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL bOk = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (!bOk)
        return std::nullopt;
    return CIdentity{
        info.dwVolumeSerialNumber, (ULONGLONG(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
        (ULONGLONG(info.nFileSizeHigh) << 32) | info.nFileSizeLow, Ticks(info.ftLastWriteTime)};
}

std::wstring IdentityText(const CIdentity& id) {
    return std::to_wstring(id.nVolume) + L" " + std::to_wstring(id.nFile) + L" " +
           std::to_wstring(id.nSize) + L" " + std::to_wstring(id.nWritten);
}

// The same file as recorded, unchanged since: nothing wrote it later.
bool Matches(const CIdentity& id, const std::wstring& strRecorded) {
    CIdentity rec;
    if (std::swscanf(strRecorded.c_str(), L"%lu %llu %llu %llu", &rec.nVolume, &rec.nFile,
                     &rec.nSize, &rec.nWritten) != 4)
        return false;
    return id.nVolume == rec.nVolume && id.nFile == rec.nFile && id.nSize == rec.nSize &&
           id.nWritten <= rec.nWritten;
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
    if (!IsOpen())
        return false;
    // A rename keeps the file the ledger knows, under its new name.
    const bool bOwn = IsOwn(strLeftOver);
    if (!MoveFileExW(strLeftOver.c_str(), m_strCopy.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
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
    if (const std::optional<CIdentity> id = IdentityOf(strPath))
        WritePrivateProfileStringW(L"Copies", NameOf(strPath).c_str(), IdentityText(*id).c_str(),
                                   LedgerPath().c_str());
}

void CRecoveryStore::Forget(const std::wstring& strPath) const {
    const std::wstring strLedger = LedgerPath();
    WritePrivateProfileStringW(L"Copies", NameOf(strPath).c_str(), nullptr, strLedger.c_str());
    // An empty ledger leaves no file behind.
    wchar_t szKeys[4] = {};
    if (GetPrivateProfileSectionW(L"Copies", szKeys, 4, strLedger.c_str()) == 0)
        DeleteFileW(strLedger.c_str());
}

bool CRecoveryStore::IsOwn(const std::wstring& strPath) const {
    const std::optional<CIdentity> id = IdentityOf(strPath);
    if (!id)
        return false;
    wchar_t sz[128] = {};
    GetPrivateProfileStringW(L"Copies", NameOf(strPath).c_str(), L"", sz, 128,
                             LedgerPath().c_str());
    return Matches(*id, sz);
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
    // A left-over file that the ledger does not know stays the user's, under its new name too.
    const bool bOwn = IsOwn(m_strCopy);
    if (!MoveFileExW(m_strCopy.c_str(), strKept.c_str(), 0)) {
        // Left where it is under a name no longer this instance's: never written over or
        // removed by it, offered again by the next start.
        LetGo();
        return std::wstring();
    }
    Forget(m_strCopy);
    TouchNow(strKept);
    if (bOwn)
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
        const std::wstring strPath = m_strFolder + L"\\" + file.strName;
        if (IsOwn(strPath) && DeleteFileW(strPath.c_str()))
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
