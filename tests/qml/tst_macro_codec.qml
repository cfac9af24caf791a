import QtQuick
import QtTest
import "../../qml/js/macro_codec.js" as Codec

TestCase {
    id: testCase
    name: "MacroCodec"

    // A small key table of our own, so the encoding is tested apart from the scene's names.
    readonly property var codes: ({ "A": 0x04, "B": 0x05, "Back": 0x2A, "LCtrl": 0xE0, "MS-L": 0xF0, "MS-R": 0xF1 })
    function lookup(name) { return codes.hasOwnProperty(name) ? codes[name] : 0 }

    function press(name) { return { type: 1, info: name } }
    function release(name) { return { type: 2, info: name } }
    function mousePress(name) { return { type: 3, info: name } }
    function mouseRelease(name) { return { type: 4, info: name } }
    function delay(ms) { return { type: 0, info: String(ms) } }
    // A gap of totalMs split into entries of at most 65535 ms, as the editor allows per entry.
    function delays(totalMs) {
        var out = []
        for (; totalMs > 0; totalMs -= 60000)
            out.push(delay(Math.min(totalMs, 60000)))
        return out
    }
    function around(gap) { return [press("A")].concat(gap).concat([release("A")]) }
    // press A, long gap, release A: A's pair carries 0 then the unit pair and value pair.
    function tapA(units) { return [0x00, 0x01, units, 0x04, 0x81, 0x04, 0x00, 0x00] }
    function longGap(unit, value) {
        return [0, 1, 0x00, 0x04, 0x00, unit, value >> 8, value & 0xFF, 0x81, 0x04, 0, 0]
    }

    function test_deCode_data() {
        return [
            { tag: "example", actions: [press("A"), delay(50), release("A")], expected: tapA(5) },
            { tag: "leading and trailing delays dropped",
              actions: [delay(30), delay(20), press("A"), delay(50), release("A"), delay(100)], expected: tapA(5) },
            { tag: "no delay gives 1", actions: [press("A"), release("A")], expected: tapA(1) },
            { tag: "zero delay gives 1", actions: [press("A"), delay(0), release("A")], expected: tapA(1) },
            { tag: "1270 ms long", actions: around([delay(1270)]), expected: longGap(1, 63) },
            { tag: "1269 ms rounds down to 126", actions: around([delay(1269)]), expected: tapA(126) },
            { tag: "split delays summed", actions: around([delay(600), delay(670)]), expected: longGap(1, 63) },
            { tag: "15 ms rounds down", actions: [press("A"), delay(15), press("B"), delay(25), release("B")],
              expected: [0x00, 0x01, 0x01, 0x04, 0x02, 0x05, 0x81, 0x05, 0x00, 0x00] },
            { tag: "fractions summed before rounding", actions: around([delay(15), delay(15)]), expected: tapA(3) },
            { tag: "release before long delay", actions: [press("A"), release("A"), delay(2000), press("B"), release("B")],
              expected: [0x00, 0x01, 0x01, 0x04, 0x80, 0x04, 0x00, 0x01, 0x00, 100, 0x01, 0x05, 0x81, 0x05, 0x00, 0x00] },
            { tag: "repeat 300", actions: [press("A")], repeat: 300, expected: [0x01, 0x2C, 0x01, 0x04, 0x00, 0x00] },
            { tag: "repeat as text", actions: [press("A")], repeat: "258", expected: [0x01, 0x02, 0x01, 0x04, 0x00, 0x00] },
            { tag: "repeat above 16 bits clamped", actions: [press("A")], repeat: 70000, expected: [0xFF, 0xFF, 0x01, 0x04, 0x00, 0x00] },
            { tag: "repeat not a number", actions: [press("A")], repeat: "x", expected: [0x00, 0x00, 0x01, 0x04, 0x00, 0x00] },
            { tag: "unknown name gives 0", actions: [press("a"), release("Nope")],
              expected: [0x00, 0x01, 0x01, 0x00, 0x81, 0x00, 0x00, 0x00] },
            { tag: "delay only", actions: [delay(50), delay(60)], repeat: 7, expected: [0x00, 0x07] },
            { tag: "empty list", actions: [], expected: [0x00, 0x01] },
            { tag: "lone final action", actions: [delay(100), press("LCtrl")], expected: [0x00, 0x01, 0x01, 0xE0, 0x00, 0x00] },
            { tag: "lone final release", actions: [delay(100), release("A")], expected: [0x00, 0x01, 0x81, 0x04, 0x00, 0x00] },
            { tag: "mouse buttons", actions: [mousePress("MS-L"), delay(30), mouseRelease("MS-L"), mousePress("MS-R")], repeat: 2,
              expected: [0x00, 0x02, 0x03, 0xF0, 0x81, 0xF0, 0x01, 0xF1, 0x00, 0x00] },
            { tag: "unknown type skipped", actions: [press("A"), { type: 9, info: "B" }, release("A")], expected: tapA(1) },
            { tag: "delay text not a number", actions: around([delay("abc"), delay(-40)]), expected: tapA(1) },
            { tag: "largest 20 ms gap", actions: around(delays(999990)), expected: longGap(1, 49999) },
            { tag: "first 50 ms gap", actions: around(delays(1000000)), expected: longGap(2, 20000) },
            { tag: "first 100 ms gap", actions: around(delays(3000000)), expected: longGap(3, 30000) },
            { tag: "two long gaps and an unknown type", repeat: 3,
              actions: [press("A"), delay(1300), { type: 8, info: "A" }, release("A"), delay(1300), press("B")],
              expected: [0x00, 0x03, 0x00, 0x04, 0x00, 0x01, 0x00, 65, 0x80, 0x04, 0x00, 0x01, 0x00, 65, 0x01, 0x05, 0x00, 0x00] },
            { tag: "beyond 16 bits clamped", actions: around(delays(7000000)), expected: longGap(3, 0xFFFF) }
        ]
    }

    function test_deCode(data) {
        var bytes = Codec.deCode(data.actions, data.repeat === undefined ? 1 : data.repeat, lookup)
        compare(JSON.stringify(bytes), JSON.stringify(data.expected))
        compare(Codec.recordCount(data.actions), data.expected.length)
    }

    function test_parseAction_data() {
        return [
            { tag: "delay", text: "0,50", type: 0, info: "50" },
            { tag: "mouse release", text: "4,MS-L", type: 4, info: "MS-L" },
            { tag: "comma key", text: "2,,", type: 2, info: "," },
            { tag: "empty name", text: "1,", type: 1, info: "" },
            { tag: "not a type", text: "x,A", type: -1, info: "A" },
            { tag: "type out of range", text: "7,A", type: -1, info: "A" },
            { tag: "empty", text: "", type: -1, info: "" }
        ]
    }

    function test_parseAction(data) {
        var a = Codec.parseAction(data.text)
        compare(a.type, data.type)
        compare(a.info, data.info)
        if (data.type >= 0)
            compare(Codec.actionString(a), data.text)
    }

    // An unknown macro sends nothing (a stored one reaching the mouse: tst_macros).
    function test_sendMacroOfAnUnknownName() {
        var view = { sent: 0, loadMacroIni: function () { return [] }, mouseSendMacroData: function () { ++this.sent } }
        verify(!Codec.sendMacro(view, 1, "Missing", lookup))
        compare(view.sent, 0)
    }
}
