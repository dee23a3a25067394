// The main window's menu commands for dialogue files, export, printing and the journal.
#include "frmMain.h"

void frmMain::connectDocumentMenus() {}
