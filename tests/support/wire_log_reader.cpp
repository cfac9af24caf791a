#include "wire_log_reader.h"

#include <QFile>
#include <QStringList>

std::optional<WireLogEntry> parseWireLogLine(const QString& line)
{
    const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 4)
        return std::nullopt;
    WireLogEntry e;
    bool ok = false;
    e.ms = parts[0].toDouble(&ok);
    if (!ok)
        return std::nullopt;
    e.op = parts[1];
    e.path = parts[2];
    e.result = parts[3].toInt(&ok);
    if (!ok)
        return std::nullopt;
    for (int i = 4; i < parts.size(); ++i) {
        if (parts[i].size() != 2)
            return std::nullopt;
        const uint v = parts[i].toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        e.bytes.append(static_cast<char>(v));
    }
    return e;
}

QList<WireLogEntry> readWireLog(const QString& filePath)
{
    QList<WireLogEntry> out;
    QFile f(filePath);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (auto e = parseWireLogLine(line))
            out.append(*e);
    }
    return out;
}

QList<WireLogEntry> entriesWithOp(const QList<WireLogEntry>& log, const QString& op)
{
    QList<WireLogEntry> out;
    for (const WireLogEntry& e : log)
        if (e.op == op)
            out.append(e);
    return out;
}

QByteArray bytesFromHex(const char* spacedHex)
{
    return QByteArray::fromHex(QByteArray(spacedHex).replace(' ', ""));
}
