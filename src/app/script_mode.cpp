// Not built yet.
#include "app/script_mode.h"
int runScriptMode(QApplication&, const QString&, bool) { return 1; }
