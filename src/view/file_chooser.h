#pragma once
#include <QString>

class QWidget;

// Asks the user for a file. The view uses it for every import and export; tests
// replace it so no test waits on a dialog. An empty result means cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter) = 0;
};

// Where the file dialogs start: the user's desktop folder, or the home folder when the
// user has no desktop folder (a dialog given a folder that does not exist offers its
// name as the file to open).
QString fileDialogStartDirectory();

// The desktop's file dialogs, starting in the user's desktop folder.
class DialogFileChooser : public FileChooser {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter) override;
};
