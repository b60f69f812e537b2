// Process-wide state of the Office insertion and the presenter: the application recognised by
// the latest Brevix_Office_Begin and the live automation connection of each application.
#pragma once

class CWordConnection;
class CExcelConnection;
class CPowerPointConnection;

enum OfficeTarget { kTargetNone = 0, kTargetWord = 1, kTargetExcel = 2, kTargetPowerPoint = 3 };

extern OfficeTarget g_nTarget;
extern CWordConnection* g_pWord;
extern CExcelConnection* g_pExcel;
extern CPowerPointConnection* g_pPowerPoint;

// Deletes the PowerPoint connection (releasing its references) and clears g_pPowerPoint.
void DeletePowerPointConnection();
// Deletes every connection, releasing its references; the library calls it when it is freed.
void DeleteOfficeConnections();
