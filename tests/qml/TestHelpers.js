.pragma library
// Helpers shared by the scene tests.

// How many items under (and including) item show this text.
function countTexts(item, text) {
    var n = item.text === text ? 1 : 0
    for (var i = 0; i < item.children.length; ++i)
        n += countTexts(item.children[i], text)
    return n
}

// Types text into a RectInput and ends its editing as a focus loss does.
function endEditing(field, text) {
    field.txtInput.forceActiveFocus()
    field.txtInput.text = text
    field.closeFocus()
}

// The opcode of each command a wire log (wireLog) saw since its mark.
function opcodes(log) {
    return log.commands().map(function (c) { return c.opcode })
}
