#pragma once
// The scene's macro codec (qml/js/macro_codec.js) in a script engine of its own,
// and the checks every encoded macro and its upload must pass.

#include "scripted_backend.h"

#include <QJSEngine>
#include <QJSValue>
#include <QVariantList>
#include <vector>

namespace fuzz {

class MacroCodecEngine
{
public:
    static constexpr int kLookupCount = 4;
    static MacroCodecEngine& instance();

    QJSEngine engine;
    QJSValue deCode;
    QJSValue recordCount;
    QJSValue parseAction;
    // Key-name lookups of every kind the codec may be handed: char codes, the name
    // itself as the code, fractions and numbers outside a byte, and no function.
    QJSValue lookups[kLookupCount];

private:
    MacroCodecEngine();
};

// What is wrong with an encoded macro (nullptr when nothing): it must be an array
// of at least the two repeat bytes, every element a whole number 0..255, as long
// as recordCount said. bytes receives the list as the scene hands it to the view.
const char* encodedMacroProblem(const QJSValue& encoded, int recordCount, QVariantList& bytes);

// What is wrong with the upload of bytes to macro slot `slot` (nullptr when nothing),
// judged from the backend's log of it: a list the macro block cannot hold, or a slot
// beyond the last, sends nothing; otherwise one macro command (opcode, slot + 1) goes
// out followed by the bytes, zero-filled to the 128-byte block.
const char* macroUploadProblem(const std::vector<ScriptedBackend::Transfer>& log, const QVariantList& bytes,
                               int slot, uint8_t opcode);

} // namespace fuzz
