#pragma once
// Small fixtures shared by the view, application and scene-host tests.
#include "view/file_chooser.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <initializer_list>

namespace fixtures {

// Writes bytes to a file, replacing it; the test fails when it cannot.
void writeFile(const QString& path, const QByteArray& bytes);

QVariantList ints(std::initializer_list<int> values);

// Every element as its text.
QStringList texts(const QVariantList& list);

// What the view asked of its file chooser.
struct DialogLog {
    int opens = 0;
    int saves = 0;
    QString title;
    QString filter;
};

// Answers every dialog with a fixed path (empty = cancelled) and records the question.
class ScriptedChooser : public FileChooser
{
public:
    ScriptedChooser(QString answer, DialogLog* log) : answer(std::move(answer)), log(log) {}
    QString openFile(QWidget*, const QString& title, const QString& filter) override;
    QString saveFile(QWidget*, const QString& title, const QString& filter) override;
private:
    QString ask(int& counter, const QString& title, const QString& filter);
    QString answer;
    DialogLog* log;
};

} // namespace fixtures
