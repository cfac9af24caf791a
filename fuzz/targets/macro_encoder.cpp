// The scene's macro encoder with action lists of every shape: unknown and textual
// types, delays that are not numbers or do not fit, holes in the list, repeat
// counts of any kind and key-name lookups that answer anything.
#include "fuzz_support.h"
#include "macro_codec_engine.h"
#include "scripted_backend.h"
#include "targets.h"

#include "view/myqquickview.h"

namespace fuzz_macro_encoder {
namespace {
constexpr const char* kTarget = "macro_encoder";
constexpr int kMaxActions = 96;     // enough to pass the 128-byte block
constexpr int kSlots = 14;          // the twelve slots and two beyond
constexpr uint8_t kHole = 0xFF;     // an action byte that leaves the element undefined
constexpr size_t kMaxText = 12;

QJSValue typeValue(fuzz::Input& in, uint8_t c)
{
    switch (c % 8) {
    case 5: return QJSValue(-1);
    case 6: return QJSValue(QString::number((c >> 3) % 6));   // a type given as text
    case 7: return QJSValue(in.text(3));                       // anything at all
    default: return QJSValue(c % 8 > 4 ? 0 : c % 8);
    }
}

QJSValue infoValue(fuzz::Input& in, uint8_t c)
{
    if (c % 8 != 0)
        return QJSValue(in.text(6));   // a key name
    switch ((c >> 3) & 3) {
    case 0: return QJSValue(QString::number(in.u16()));
    case 1: return QJSValue(QString::number(quint64(in.u32()) * 99991u));
    case 2: return QJSValue(in.text(kMaxText));
    default: return QJSValue(QStringLiteral("-") + QString::number(in.u16()));
    }
}

QJSValue repeatValue(fuzz::Input& in)
{
    switch (in.byte() % 5) {
    case 0: return QJSValue(int(in.u16()) - 1000);
    case 1: return QJSValue(in.u32() / 7.0);
    case 2: return QJSValue(in.text(kMaxText));
    case 3: return QJSValue(QJSValue::UndefinedValue);
    default: return QJSValue(-double(in.u32()) * 1e6);
    }
}
} // namespace

int fuzzOne(const uint8_t* data, size_t size)
{
    fuzz::setUpProcess();
    myQQuickView& view = fuzz::view();
    fuzz::resetLink();
    fuzz::MacroCodecEngine& codec = fuzz::MacroCodecEngine::instance();
    QJSEngine& engine = codec.engine;
    fuzz::Input in(data, size);

    const int count = in.byte() % (kMaxActions + 1);
    QJSValue actions = engine.newArray(static_cast<uint>(count));
    for (int i = 0; i < count; ++i) {
        const uint8_t c = in.byte();
        if (c == kHole)
            continue;
        QJSValue action = engine.newObject();
        action.setProperty(QStringLiteral("type"), typeValue(in, c));
        action.setProperty(QStringLiteral("info"), infoValue(in, c));
        actions.setProperty(static_cast<quint32>(i), action);
    }
    const QJSValue repeat = repeatValue(in);
    const QJSValue lookup = codec.lookups[in.byte() % fuzz::MacroCodecEngine::kLookupCount];
    const int slot = in.byte() % kSlots;

    const QJSValue encoded = codec.deCode.call({actions, repeat, lookup});
    FUZZ_CHECK(kTarget, !encoded.isError());
    const QJSValue records = codec.recordCount.call({actions});
    FUZZ_CHECK(kTarget, records.isNumber());
    QVariantList bytes;
    if (const char* problem = fuzz::encodedMacroProblem(encoded, records.toInt(), bytes))
        fuzz::fail(kTarget, problem);

    fuzz::backend().script(nullptr, false);
    view.mouseSendMacroData(bytes, slot);
    const uint8_t opcode = view.icType == QLatin1String("560") ? 0x0F : 0x13;
    if (const char* problem = fuzz::macroUploadProblem(fuzz::backend().log, bytes, slot, opcode))
        fuzz::fail(kTarget, problem);
    return 0;
}

} // namespace fuzz_macro_encoder
