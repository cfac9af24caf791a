// Not built yet: the entry point.
#include "app/widget.h"
#include <QApplication>
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Widget w;
    w.showNormal();
    return app.exec();
}
