// The choice of pen input and the intake of a Windows Ink pen's pointer messages.
#include "TabletClient.h"

#include "PenRules.h"
#include "Settings.h"

#include <algorithm>
#include <array>

namespace {
// The most samples taken from one pointer message: as many as a tablet batch.
constexpr UINT32 kPointerHistoryMax = kPacketBatchMax;
} // namespace

bool CTabletClient::ChoosePenInput() {
    const settings::PenInput input = settings::ReadPenInput();
    const bool bInkAvailable =
        input != settings::PenInput::Mouse && m_pPointer && m_pPointer->HasPenDevice();
    m_bInkPen = input == settings::PenInput::Ink && bInkAvailable;
    // A context opened meanwhile (by a resize that the driver let through while it closed the
    // old one) is kept: opening another would leave that one open with nothing to close it.
    if (!m_hCtx && !m_bInkPen && input != settings::PenInput::Mouse) {
        m_hCtxOwner = ContextOwner();
        m_hCtx = OpenTabletContext(m_hCtxOwner, TRUE);
    }
    if (!m_hCtx)
        m_bInkPen = bInkAvailable;
    return input != settings::PenInput::Mouse;
}

bool CTabletClient::OnPointerMessage(UINT uMsg, WPARAM wParam) {
    if (!m_bInkPen || (uMsg != kWmPointerDown && uMsg != kWmPointerUpdate && uMsg != kWmPointerUp))
        return false;
    const CPointerApi& api = *m_pPointer;
    const UINT32 nId = LOWORD(wParam);
    DWORD nType = 0;
    PointerPenInfo info{};
    if (!api.GetPointerType(nId, &nType) || nType != kPointerTypePen ||
        !api.GetPointerPenInfo(nId, &info))
        return false;
    // The system hands the updates it coalesced into this message to whoever asks, newest first;
    // they are taken oldest first, as they were written.
    std::array<PointerPenInfo, kPointerHistoryMax> history{};
    UINT32 nCount = std::min(info.pointerInfo.historyCount, kPointerHistoryMax);
    if (nCount <= 1 || !api.GetPointerPenInfoHistory(nId, &nCount, history.data())) {
        history[0] = info;
        nCount = 1;
    }
    nCount = std::min(nCount, kPointerHistoryMax);
    // The packets form one batch: none of a tablet can be in progress on this thread.
    g_nPacketBatch = int(nCount);
    for (UINT32 i = nCount; i-- > 0;)
        HandlePenSample(history[i]);
    g_nPacketBatch = 0;
    return true;
}

void CTabletClient::HandlePenSample(const PointerPenInfo& info) {
    const PointerInfo& pointer = info.pointerInfo;
    UINT nPressure = 0;
    // A pen that reports no pressure writes at the mouse pen's middle pressure.
    if (pointer.pointerFlags & kPointerFlagInContact)
        nPressure = (info.penMask & kPenMaskPressure)
                        ? std::min<UINT>(info.pressure, kInkPressureMax - 1)
                        : MousePenPressure(m_nPressureMax, m_nPressureScale);
    const PenPacket packet{
        pointer.dwTime, 0, 0, pointer.ptPixelLocation.x, pointer.ptPixelLocation.y, nPressure};
    const bool bEraserEnd = (info.penFlags & (kPenFlagInverted | kPenFlagEraser)) != 0;
    HandlePacket(packet, pointer.ptPixelLocation, bEraserEnd);
}
