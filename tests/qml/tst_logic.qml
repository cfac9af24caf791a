import QtQuick
import QtTest
import "../../qml/basic"
import "../../qml/js/dpi.js" as Dpi
import "../../qml/js/light.js" as Light
import "../../qml/js/macro_codec.js" as Codec
import "../../qml/js/macro_editor.js" as Ed

// The scene's pure logic: DPI knob and palette, hue bar, key names, macro encoding and edit limits.
TestCase {
    id: testCase
    name: "SceneLogic"

    KeyCodeString { id: keyTable }

    // Knob position <-> value over 200...6000 in steps of 50; the knob stays on its track.
    function test_dpiKnob_data() {
        return [ { tag: "bottom", x: 3, value: 200 }, { tag: "top", x: 161, value: 6000 },
                 { tag: "middle", x: 82, value: 3100 }, { tag: "rounds down", x: 12, value: 500 },
                 { tag: "beyond the track", x: 170, value: 6000 } ]
    }
    function test_dpiKnob(d) {
        compare(Dpi.sliderToValue(d.x, 200, 6000, 50), d.value)
    }
    function test_dpiInverse() {
        compare([200, 3100, 6000, 100].map(function (v) { return Dpi.valueToSlider(v, 200, 6000) }), [4, 83, 161, 3])
        for (var v = 200; v <= 6000; v += 50)
            compare(Dpi.sliderToValue(Dpi.valueToSlider(v, 200, 6000), 200, 6000, 50), v, "value " + v)
    }

    function test_stagePaletteIndex() {
        var colors = ["#ff0000", "#00ff00", "#0000ff", "#FF00FF", "#00ffff", "#ff7f00", "#6000ff", "#ffff00"]
        compare(Dpi.stageColorIndices(colors), [0, 1, 2, 3, 4, 7, 0, 5].concat(new Array(16).fill(0)))
        compare([Dpi.paletteIndex("#ffffff"), Dpi.paletteIndex("")], [6, 0])
    }

    // A stored list too short keeps the page's own entries in the missing places.
    function test_shortStoredLists() {
        compare(Dpi.colorsFromList(["0", "255", "0", "9"], ["#111111", "#222222"]), ["#00ff00", "#222222"])
        compare(Dpi.valuesFromList(["800", ""], [500, 1000, 1500]), [800, 1000, 1500])
    }

    // A bar of 240 px: parts of 40 px; 10 px into a part is f = 63.
    function test_hueColor() {
        var got = [10, 50, 90, 130, 170, 210, 0, 240, -5].map(function (p) { return String(Light.hueColor(p, 240)) })
        compare(got, ["255,63,0", "192,255,0", "0,255,63", "0,192,255", "63,0,255", "255,0,192",
                      "255,0,0", "255,255,255", "255,0,0"])
    }

    // Gaps and ends of the code ranges, the doubled names, the arrows; a code as settings text.
    // Names are matched exactly; an unknown one is 0.
    function test_keyNames() {
        var pairs = [[0x04, "A"], [0x2A, "Back"], ["42", "Back"], [0x73, "F24"], [0x74, ""], [0x00, ""],
                     [0x31, "\\"], [0x32, "\\"], [0x35, "`"], [0x4F, "\u25BA"], [0x50, "\u25C4"], [0x51, "\u25BC"],
                     [0x52, "\u25B2"], [0x89, "Intl2"], [0x8A, "Intl4"], [0xE7, "RWin"], [0xE8, ""], [0xF2, "MS-M"],
                     [0xF4, "MS-B5"]]
        pairs.forEach(function (p) { compare(keyTable.keycodeTostr(p[0]), p[1], "code " + p[0]) })
        compare(["a", " A", ""].map(function (n) { return keyTable.strTokeycode(n) }), [0, 0, 0])
    }

    // Macro actions as the editor stores them, encoded with a small key table of our own.
    readonly property var codes: ({ "A": 0x04, "B": 0x05, "MS-L": 0xF0, "MS-R": 0xF1 })
    function lookup(name) { return codes.hasOwnProperty(name) ? codes[name] : 0 }
    function press(name) { return { type: 1, info: name } }
    function release(name) { return { type: 2, info: name } }
    function delay(ms) { return { type: 0, info: String(ms) } }
    // A gap of totalMs split into entries of at most 60000 ms (the editor allows 65535 per entry).
    function delays(totalMs) {
        return Array.from({ length: Math.ceil(totalMs / 60000) }, (_, i) => delay(Math.min(60000, totalMs - 60000 * i)))
    }
    function around(gap) { return [press("A")].concat(gap).concat([release("A")]) }
    // Press A, a gap of units x 10 ms, release A; with a long gap the press carries 0 and the gap
    // follows as a unit (1: 20 ms, 2: 50 ms, 3: 100 ms) and a 16-bit count.
    function tapA(units) { return [0x00, 0x01, units, 0x04, 0x81, 0x04, 0x00, 0x00] }
    function longGap(unit, value) {
        return [0, 1, 0x00, 0x04, 0x00, unit, value >> 8, value & 0xFF, 0x81, 0x04, 0, 0]
    }

    function test_macroEncoding_data() {
        return [
            { tag: "example", actions: [press("A"), delay(50), release("A")], expected: tapA(5) },
            { tag: "leading and trailing delays dropped",
              actions: [delay(30), delay(20), press("A"), delay(50), release("A"), delay(100)], expected: tapA(5) },
            { tag: "1270 ms long", actions: around([delay(1270)]), expected: longGap(1, 63) },
            { tag: "1269 ms rounds down to 126", actions: around([delay(1269)]), expected: tapA(126) },
            { tag: "fractions summed before rounding", actions: around([delay(15), delay(15)]), expected: tapA(3) },
            { tag: "delay text not a number", actions: around([delay("abc"), delay(-40)]), expected: tapA(1) },
            { tag: "release before long delay", actions: [press("A"), release("A"), delay(2000), press("B"), release("B")],
              expected: [0x00, 0x01, 0x01, 0x04, 0x80, 0x04, 0x00, 0x01, 0x00, 100, 0x01, 0x05, 0x81, 0x05, 0x00, 0x00] },
            { tag: "repeat 300", actions: [press("A")], repeat: 300, expected: [0x01, 0x2C, 0x01, 0x04, 0x00, 0x00] },
            { tag: "repeat above 16 bits clamped", actions: [press("A")], repeat: 70000, expected: [0xFF, 0xFF, 0x01, 0x04, 0x00, 0x00] },
            { tag: "mouse buttons", actions: [{ type: 3, info: "MS-L" }, delay(30), { type: 4, info: "MS-L" }, { type: 3, info: "MS-R" }],
              repeat: 2, expected: [0x00, 0x02, 0x03, 0xF0, 0x81, 0xF0, 0x01, 0xF1, 0x00, 0x00] },
            { tag: "largest 20 ms gap", actions: around(delays(999990)), expected: longGap(1, 49999) },
            { tag: "first 50 ms gap", actions: around(delays(1000000)), expected: longGap(2, 20000) },
            { tag: "beyond 16 bits clamped", actions: around(delays(7000000)), expected: longGap(3, 0xFFFF) },
            { tag: "two long gaps and an unknown type", repeat: 3,
              actions: [press("A"), delay(1300), { type: 8, info: "A" }, release("A"), delay(1300), press("B")],
              expected: [0x00, 0x03, 0x00, 0x04, 0x00, 0x01, 0x00, 65, 0x80, 0x04, 0x00, 0x01, 0x00, 65, 0x01, 0x05, 0x00, 0x00] }
        ]
    }
    function test_macroEncoding(data) {
        var bytes = Codec.deCode(data.actions, data.repeat === undefined ? 1 : data.repeat, lookup)
        compare(JSON.stringify(bytes), JSON.stringify(data.expected))
        compare(Codec.recordCount(data.actions), data.expected.length)
    }

    // A macro name without a stored macro sends nothing.
    function test_sendMacroOfAnUnknownName() {
        var view = { sent: 0, loadMacroIni: function () { return [] }, mouseSendMacroData: function () { ++this.sent } }
        verify(!Codec.sendMacro(view, 1, "Missing", lookup))
        compare(view.sent, 0)
    }

    function keys(n) { return Array.from({ length: n }, (_, i) => ({ type: 1 + (i % 2), info: "A" })) }
    function texts(actions) { return Ed.actionStrings(actions).join(" ") }

    // Near the limit (60 actions encode to 124 bytes) an edit that would pass the block is refused.
    function test_macroEditLimits_data() {
        var nearlyFull = keys(60)
        return [
            { tag: "record at 124", edit: Ed.recordEdit(nearlyFull, true, 4, "A", true, 5), expected: "0,50 1,A" },
            { tag: "long pause would pass the block", edit: Ed.recordEdit(nearlyFull, true, 4, "A", true, 200),
              expected: null },
            { tag: "button pair splitting a long pause", expected: null,
              edit: Ed.insertButtonEdit(keys(57).concat([Ed.delayAction(1300), Ed.delayAction(1300), keys(1)[0]]), 57, "MS-L") },
            { tag: "delay edited into a long pause", edit: Ed.delayEdit(keys(30).concat([Ed.delayAction(5)]).concat(keys(31)), 30, "2000"),
              expected: null }
        ]
    }
    function test_macroEditLimits(data) {
        compare(data.edit === null ? null : texts(data.edit.insert), data.expected)
    }
}
