#pragma once
// Shared by the fuzz targets: structured values read off the fuzzer's bytes, the
// one application, scratch installation tree, view and device link of the process,
// and the way a target reports a broken property.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

class myQQuickView;
class Hid_Thread;

namespace fuzz {

class ScriptedBackend;

// Reads values off the input front to back. Past the end every value is 0 or
// empty: nothing is ever read beyond the last byte.
class Input
{
public:
    Input(const uint8_t* data, size_t size) : data(data), size(data ? size : 0) {}
    bool empty() const { return pos >= size; }
    size_t remaining() const { return size - pos; }
    uint8_t byte();
    uint16_t u16();
    uint32_t u32();
    bool flag() { return (byte() & 1) != 0; }
    // Up to n bytes (fewer at the end).
    QByteArray bytes(size_t n);
    // Everything not read yet.
    QByteArray rest();
    // A text of at most maxBytes UTF-8 bytes, its length taken from the input.
    QString text(size_t maxBytes);

private:
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

// A broken property: names the target and the property on stderr and aborts, so
// that the fuzzer keeps the input and the replay test fails on it.
[[noreturn]] void fail(const char* target, const char* what);

// Once per process: an application object (offscreen; an existing one is used),
// debug output silenced, protocol pauses off, and a scratch copy of the shipped
// installation tree made the current directory.
void setUpProcess();

// The one view of the process, linked to link(). Created on first use.
myQQuickView& view();
// The device link of the view; its one device record points at the scripted backend.
Hid_Thread& link();
// The scripted backend, installed as the process's HID backend by setUpProcess.
ScriptedBackend& backend();
// Puts link() back to its standard device record (report length 32, not scrambled).
void resetLink();

// Writes bytes to path (relative to the scratch tree) and gives the file a
// modification time that no earlier write had, so a settings handle never takes
// it for the unchanged previous file. False when the file cannot be written.
bool writeFresh(const QString& path, const QByteArray& bytes);

} // namespace fuzz

#define FUZZ_CHECK(target, condition) \
    do { \
        if (!(condition)) \
            ::fuzz::fail(target, #condition); \
    } while (0)
