#include "PointerApi.h"

#include <vector>

namespace {
// More devices than any machine has: a count above it is taken as a driver's mistake.
constexpr UINT32 kMaxPointerDevices = 64;
} // namespace

bool CPointerApi::HasPenDevice() const {
    if (!IsBound())
        return false;
    UINT32 nCount = 0;
    if (!GetPointerDevices(&nCount, nullptr) || nCount == 0 || nCount > kMaxPointerDevices)
        return false;
    std::vector<PointerDeviceInfo> devices(nCount);
    if (!GetPointerDevices(&nCount, devices.data()))
        return false;
    for (UINT32 i = 0; i < nCount && i < devices.size(); ++i) {
        const DWORD nType = devices[i].pointerDeviceType;
        if (nType == kPointerDeviceIntegratedPen || nType == kPointerDeviceExternalPen)
            return true;
    }
    return false;
}

CPointerApi& PointerApi() {
    static CPointerApi api;
    return api;
}
