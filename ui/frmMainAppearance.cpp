// The main window's menu commands for the pane colour and font, the person's name and the on-screen keyboard.
#include "frmMain.h"

void frmMain::connectAppearanceMenus() {}
