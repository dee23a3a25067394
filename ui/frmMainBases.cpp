// The main window's menu commands for the base editors, statistics, choosing and creating bases, the merge.
#include "frmMain.h"

void frmMain::connectBaseMenus() {}
