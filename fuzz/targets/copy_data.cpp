// The copy-data record that another program can send the window: any tag, any
// bytes, and a length that may be smaller than the buffer but never larger.
// The buffer is allocated at exactly its size so that a read past it is seen.
#include "fuzz_support.h"
#include "targets.h"

#include "input/copy_data.h"

#include <cstring>
#include <memory>

namespace fuzz_copy_data {
namespace {
constexpr const char* kTarget = "copy_data";

std::uintptr_t tagFrom(fuzz::Input& in)
{
    const uint8_t c = in.byte();
    switch (c % 4) {
    case 0:
    case 1: return copy_data::kWarningTag;
    case 2: return copy_data::kWarningTag ^ (std::uintptr_t(1) << (c >> 2) % (8 * sizeof(std::uintptr_t)));
    default: return std::uintptr_t(in.u32()) << 32 | in.u32();
    }
}
} // namespace

int fuzzOne(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    CopyDataRecord record;
    record.dwData = tagFrom(in);
    const uint16_t lengthChoice = in.u16();
    const bool noBuffer = in.byte() == 0xFF;
    const QByteArray rest = in.rest();

    std::unique_ptr<uint8_t[]> buffer;
    size_t bufferSize = 0;
    if (!noBuffer) {
        bufferSize = static_cast<size_t>(rest.size());
        buffer = std::make_unique<uint8_t[]>(bufferSize ? bufferSize : 1);
        std::memcpy(buffer.get(), rest.constData(), bufferSize);
        record.lpData = bufferSize ? buffer.get() : nullptr;
    }
    // The length: all of the buffer most of the time, otherwise any part of it.
    record.cbData = static_cast<uint32_t>(lengthChoice & 0x8000 ? lengthChoice % (bufferSize + 1) : bufferSize);

    const copy_data::Decision d = copy_data::decide(record);
    if (record.dwData != copy_data::kWarningTag)
        FUZZ_CHECK(kTarget, !d.show);
    if (d.show) {
        FUZZ_CHECK(kTarget, static_cast<uint64_t>(d.text.toUtf8().size()) == record.cbData);
        FUZZ_CHECK(kTarget, !d.text.contains(QChar(0)));
    } else {
        FUZZ_CHECK(kTarget, d.text.isEmpty());
    }
    // A well-formed text that fills the record exactly is always shown as it is.
    const QByteArray sent(reinterpret_cast<const char*>(record.lpData), record.lpData ? record.cbData : 0);
    const bool wellFormed = !sent.contains('\0') && QString::fromUtf8(sent).toUtf8() == sent;
    if (record.dwData == copy_data::kWarningTag && wellFormed) {
        FUZZ_CHECK(kTarget, d.show);
        FUZZ_CHECK(kTarget, d.text.toUtf8() == sent);
    }
    return 0;
}

} // namespace fuzz_copy_data
