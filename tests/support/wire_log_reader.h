#pragma once
// Reads the HID wire log back: one entry per line
//   <ms> <OP> <path> <result> [<hex bytes>]
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct WireLogEntry {
    double ms = 0;
    QString op;
    QString path;
    int result = 0;
    QByteArray bytes;
};

// nullopt when the line is not a well-formed log line.
std::optional<WireLogEntry> parseWireLogLine(const QString& line);
// Every well-formed line of the file (empty when it is absent).
QList<WireLogEntry> readWireLog(const QString& filePath);
// Only the entries with this OP.
QList<WireLogEntry> entriesWithOp(const QList<WireLogEntry>& log, const QString& op);
// "00 3a 4f" -> bytes.
QByteArray bytesFromHex(const char* spacedHex);
