import QtQuick
import QtTest
import "../../qml/js/macro_editor.js" as Ed

TestCase {
    name: "MacroEditorLogic"

    function keys(n) {
        var out = []
        for (var i = 0; i < n; ++i)
            out.push({ type: 1 + (i % 2), info: "A" })
        return out
    }
    function texts(actions) { return Ed.actionStrings(actions).join(" ") }

    function test_nextMacroName_data() {
        var hundred = []
        for (var i = 0; i < 100; ++i)
            hundred.push("Macro_" + (99 - i))
        return [
            { tag: "exact comparison", names: ["macro_0", "Macro_0 ", "Macro_00"], expected: "Macro_0" },
            { tag: "full list", names: hundred, expected: "" }
        ]
    }
    function test_nextMacroName(data) { compare(Ed.nextMacroName(data.names), data.expected) }

    // Encoded lengths around the limits: 61 actions encode to 126 bytes, 60 to 124.
    function test_limits_data() {
        var nearlyFull = keys(60)
        return [
            { tag: "record at 126", edit: Ed.recordEdit(keys(61), true, 4, "A", false, 0), expected: null },
            { tag: "insert delay at 126", edit: Ed.insertDelayEdit(keys(61), 3), expected: null },
            { tag: "insert key at 126", edit: Ed.insertKeyEdit(keys(61), 3, ""), expected: null },
            { tag: "insert button at 126", edit: Ed.insertButtonEdit(keys(61), 3, "MS-L"), expected: null },
            { tag: "record at 124", edit: Ed.recordEdit(nearlyFull, true, 4, "A", true, 5),
              expected: "0,50 1,A" },
            { tag: "long pause would pass the block", edit: Ed.recordEdit(nearlyFull, true, 4, "A", true, 200),
              expected: null },
            { tag: "button pair splitting a long pause", expected: null,
              edit: Ed.insertButtonEdit(keys(57).concat([Ed.delayAction(1300), Ed.delayAction(1300), keys(1)[0]]), 57, "MS-L") },
            { tag: "delay edited into a long pause", edit: Ed.delayEdit(keys(30).concat([Ed.delayAction(5)]).concat(keys(31)), 30, "2000"),
              expected: null }
        ]
    }
    function test_limits(data) {
        compare(data.edit === null ? null : texts(data.edit.insert), data.expected)
    }

    // Where each command puts its actions in [press A, delay 10, release A].
    function test_positions_data() {
        return [
            { tag: "button after selected", edit: Ed.insertButtonEdit(base(), 0, "MS-L"),
              expected: "1,A 3,MS-L 4,MS-L 0,10 2,A" },
            { tag: "button after last", edit: Ed.insertButtonEdit(base(), 2, "MS-M"),
              expected: "1,A 0,10 2,A 3,MS-M 4,MS-M" },
            { tag: "key before selected", edit: Ed.insertKeyEdit(base(), 1, "B"),
              expected: "1,A 1,B 2,B 0,10 2,A" },
            { tag: "key with last selected", edit: Ed.insertKeyEdit(base(), 2, ""),
              expected: "1,A 0,10 2,A 1, 2," },
            { tag: "delay before selected", edit: Ed.insertDelayEdit(base(), 2), expected: "1,A 0,10 0,50 2,A" },
            { tag: "delete", edit: Ed.deleteEdit(base(), 1), expected: "1,A 2,A" },
            { tag: "delay edited", edit: Ed.delayEdit(base(), 1, "65535"), expected: "1,A 0,65535 2,A" },
            { tag: "delay not a number", edit: Ed.delayEdit(base(), 1, "12a"), expected: "" },
            { tag: "delay too large", edit: Ed.delayEdit(base(), 1, "65536"), expected: "" },
            { tag: "key row is no delay", edit: Ed.delayEdit(base(), 0, "20"), expected: "" }
        ]
    }
    function base() { return [{ type: 1, info: "A" }, Ed.delayAction(10), { type: 2, info: "A" }] }
    function test_positions(data) {
        compare(data.edit === null ? "" : texts(Ed.applyEdit(base(), data.edit)), data.expected)
    }

    function test_recordedTypes() {
        compare(JSON.stringify([Ed.keyAction(true, 0xEF, "x"), Ed.keyAction(false, 0xEF, "x"),
                                Ed.keyAction(true, 0xF0, "MS-L"), Ed.keyAction(false, 0xF4, "MS-B5")].map(function (a) { return a.type })),
                "[1,2,3,4]")
        compare(Ed.ticksBetween(1000, 1129), 12)
        compare(Ed.ticksBetween(1000, 990), 0)
    }
}
