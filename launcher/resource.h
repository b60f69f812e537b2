// Ids of the launcher's string table.
#pragma once

#define IDS_NO_TABLET_DRIVER 102
#define IDS_NO_APPLICATION 104
