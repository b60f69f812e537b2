#include "WintabApi.h"

CWintabApi& Wintab() {
    static CWintabApi api;
    return api;
}
