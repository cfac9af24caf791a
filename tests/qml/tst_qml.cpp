// Runs every tests/qml/tst_*.qml (Qt Quick Test).
#include <QtQuickTest>

QUICK_TEST_MAIN(corvane)
