// Macro files as the user may leave them in modules/macro/: loaded by the view,
// every action text parsed and the list encoded by the scene's codec, and the
// result uploaded to a macro slot.
#include "fuzz_support.h"
#include "macro_codec_engine.h"
#include "scripted_backend.h"
#include "targets.h"

#include "view/myqquickview.h"

namespace fuzz_macro_file {
namespace {
constexpr const char* kTarget = "macro_file";
constexpr const char* kMacroName = "fuzzed";
constexpr int kMaxLoaded = 10000 + 1;   // the most actions a load takes, and the repeat count
constexpr int kSlots = 14;               // the twelve slots and two beyond
// Far more actions than a 128-byte block holds: what lies beyond only lengthens a
// list that is refused anyway, so the codec is not run over it.
constexpr int kMaxEncoded = 256;
constexpr int kLowestType = -1;          // parseAction's "not an action"
constexpr int kHighestType = 4;
} // namespace

int fuzzOne(const uint8_t* data, size_t size)
{
    fuzz::setUpProcess();
    myQQuickView& view = fuzz::view();
    fuzz::resetLink();
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!fuzz::writeFresh(QStringLiteral("./modules/macro/%1.bin").arg(QLatin1String(kMacroName)), file))
        return 0;

    const QVariantList loaded = view.loadMacroIni(QString::fromLatin1(kMacroName));
    FUZZ_CHECK(kTarget, !loaded.isEmpty());
    FUZZ_CHECK(kTarget, loaded.size() <= kMaxLoaded);

    // As the scene does it: every entry but the last is an action text, the last the repeat count.
    fuzz::MacroCodecEngine& codec = fuzz::MacroCodecEngine::instance();
    for (const QVariant& entry : loaded)
        FUZZ_CHECK(kTarget, entry.typeId() == QMetaType::QString);
    const qsizetype actionCount = std::min<qsizetype>(loaded.size() - 1, kMaxEncoded);
    QJSValue actions = codec.engine.newArray(static_cast<uint>(actionCount));
    for (qsizetype i = 0; i < actionCount; ++i) {
        const QJSValue action = codec.parseAction.call({QJSValue(loaded[i].toString())});
        FUZZ_CHECK(kTarget, action.isObject());
        const int type = action.property(QStringLiteral("type")).toInt();
        FUZZ_CHECK(kTarget, type >= kLowestType && type <= kHighestType);
        actions.setProperty(static_cast<quint32>(i), action);
    }
    const QJSValue repeat(loaded.last().toString());
    const QJSValue lookup = codec.lookups[size % fuzz::MacroCodecEngine::kLookupCount];
    const QJSValue encoded = codec.deCode.call({actions, repeat, lookup});
    const int count = codec.recordCount.call({actions}).toInt();
    QVariantList bytes;
    if (const char* problem = fuzz::encodedMacroProblem(encoded, count, bytes))
        fuzz::fail(kTarget, problem);

    const int slot = static_cast<int>(size % kSlots);
    fuzz::backend().script(nullptr, false);
    view.mouseSendMacroData(bytes, slot);
    const uint8_t opcode = view.icType == QLatin1String("560") ? 0x0F : 0x13;
    if (const char* problem = fuzz::macroUploadProblem(fuzz::backend().log, bytes, slot, opcode))
        fuzz::fail(kTarget, problem);
    return 0;
}

} // namespace fuzz_macro_file
