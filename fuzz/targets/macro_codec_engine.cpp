#include "macro_codec_engine.h"

#include <QFile>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace fuzz {
namespace {

constexpr int kMacroBlockSize = 128;
constexpr int kLastSlot = 11;
constexpr int kRepeatBytes = 2;
constexpr int kByteMax = 255;

QString codecSource()
{
    QFile file(QStringLiteral(CORVANE_SOURCE_DIR "/qml/js/macro_codec.js"));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read the macro codec\n");
        std::abort();
    }
    // ".pragma library" is a directive of the scene's loader, not script.
    QString source = QString::fromUtf8(file.readAll());
    if (source.startsWith(QLatin1String(".pragma")))
        source = QStringLiteral("//") + source;
    return source;
}

QJSValue function(QJSEngine& engine, const char* name)
{
    QJSValue f = engine.globalObject().property(QString::fromLatin1(name));
    if (!f.isCallable()) {
        std::fprintf(stderr, "the macro codec has no function %s\n", name);
        std::abort();
    }
    return f;
}

} // namespace

MacroCodecEngine& MacroCodecEngine::instance()
{
    // Destroyed at exit, so the script engine gives back what it allocated and the
    // leak check of the sanitizer builds sees nothing left.
    static MacroCodecEngine codec;
    return codec;
}

MacroCodecEngine::MacroCodecEngine()
{
    engine.installExtensions(QJSEngine::ConsoleExtension);
    const QJSValue result = engine.evaluate(codecSource(), QStringLiteral("macro_codec.js"));
    if (result.isError()) {
        std::fprintf(stderr, "the macro codec does not load: %s\n", qPrintable(result.toString()));
        std::abort();
    }
    deCode = function(engine, "deCode");
    recordCount = function(engine, "recordCount");
    parseAction = function(engine, "parseAction");
    lookups[0] = engine.evaluate(QStringLiteral("(function (n) { return n.length ? n.charCodeAt(0) : 0; })"));
    lookups[1] = engine.evaluate(QStringLiteral("(function (n) { return n; })"));
    lookups[2] = engine.evaluate(QStringLiteral("(function (n) { return n.length * 97.5 - 300; })"));
    lookups[3] = QJSValue(QJSValue::NullValue);
}

const char* encodedMacroProblem(const QJSValue& encoded, int recordCount, QVariantList& bytes)
{
    if (!encoded.isArray())
        return "deCode gives no array";
    const int length = encoded.property(QStringLiteral("length")).toInt();
    if (length != recordCount)
        return "recordCount differs from the length deCode gives";
    if (length < kRepeatBytes)
        return "the encoded macro lacks the repeat count";
    bytes.clear();
    bytes.reserve(length);
    for (int i = 0; i < length; ++i) {
        const QJSValue v = encoded.property(static_cast<quint32>(i));
        if (!v.isNumber())
            return "an encoded byte is not a number";
        const double d = v.toNumber();
        if (!(d >= 0 && d <= kByteMax) || std::floor(d) != d)
            return "an encoded byte is not a whole number 0..255";
    }
    bytes = encoded.toVariant().toList();
    if (bytes.size() != length)
        return "the scene's list differs in length from the encoded array";
    return nullptr;
}

const char* macroUploadProblem(const std::vector<ScriptedBackend::Transfer>& log, const QVariantList& bytes,
                               int slot, uint8_t opcode)
{
    using Op = ScriptedBackend::Op;
    const bool refused = bytes.size() > kMacroBlockSize || slot < 0 || slot > kLastSlot;
    int blocks = 0;
    QByteArray payload;
    for (const ScriptedBackend::Transfer& t : log) {
        if (t.op == Op::SendFeature) {
            ++blocks;
            if (t.bytes.size() < 3 || uint8_t(t.bytes[1]) != opcode || uint8_t(t.bytes[2]) != slot + 1)
                return "the upload is not the macro command for the slot";
        } else if (t.op == Op::Write) {
            payload += t.bytes.mid(1);
        }
    }
    if (refused)
        return blocks == 0 && payload.isEmpty() ? nullptr : "a macro the block cannot hold, or for no slot, was sent";
    if (blocks != 1)
        return "the macro did not go out as one command";
    if (payload.size() < kMacroBlockSize)
        return "the macro block went out short";
    for (int i = 0; i < kMacroBlockSize; ++i) {
        const int expected = i < bytes.size() ? bytes[i].toInt() : 0;
        if (uint8_t(payload[i]) != expected)
            return "the macro block differs from the encoded bytes";
    }
    return nullptr;
}

} // namespace fuzz
