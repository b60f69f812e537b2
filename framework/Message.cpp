#include "Message.h"

namespace {
MessageHook& Hook() {
    static MessageHook hook;
    return hook;
}
} // namespace

int ShowMessage(HWND hwndOwner, const std::wstring& strText, const std::wstring& strCaption,
                UINT uType) {
    if (Hook())
        return Hook()(strText, strCaption, uType);
    // An empty caption stays empty: only a null caption would make the box say "Error".
    return MessageBoxW(hwndOwner, strText.c_str(), strCaption.c_str(), uType);
}

void SetMessageHook(MessageHook hook) {
    Hook() = std::move(hook);
}
