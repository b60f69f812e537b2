// Binding of the pointer functions of Windows Ink pens. The program looks up GetPointerType,
// GetPointerPenInfo, GetPointerPenInfoHistory and GetPointerDevices in user32 by name, so that it
// starts where they are missing. For tests, "QUILLET_POINTER_STANDIN" may name a library file in
// the program's own folder that is looked in instead; a name with a path in it is refused.
#pragma once
#include "PointerApi.h"

// Looks the four functions up in hModule into api; api stays unbound unless all four exist.
void BindPointerApi(CPointerApi& api, HMODULE hModule);

// Binds the process-wide table (PointerApi()); called at start-up.
void BindPointerApi();
