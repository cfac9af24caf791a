#include "fixtures.h"

#include <QFile>
#include <QTest>

namespace fixtures {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

QVariantList ints(std::initializer_list<int> values)
{
    QVariantList out;
    for (int v : values)
        out.append(v);
    return out;
}

QStringList texts(const QVariantList& list)
{
    QStringList out;
    for (const QVariant& v : list)
        out << v.toString();
    return out;
}

QString ScriptedChooser::ask(int& counter, const QString& title, const QString& filter)
{
    ++counter;
    log->title = title;
    log->filter = filter;
    return answer;
}

QString ScriptedChooser::openFile(QWidget*, const QString& title, const QString& filter)
{
    return ask(log->opens, title, filter);
}

QString ScriptedChooser::saveFile(QWidget*, const QString& title, const QString& filter)
{
    return ask(log->saves, title, filter);
}

} // namespace fixtures
