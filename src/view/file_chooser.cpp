#include "view/file_chooser.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace {
QString desktop() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }
}

QString DialogFileChooser::openFile(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, desktop(), filter);
}

QString DialogFileChooser::saveFile(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, desktop(), filter);
}
