import QtQuick
import QtTest
import "../../qml/js/macro_editor.js" as Ed

TestCase {
    name: "MacroEditorLogic"

    function keys(n) { return Array.from({ length: n }, (_, i) => ({ type: 1 + (i % 2), info: "A" })) }
    function texts(actions) { return Ed.actionStrings(actions).join(" ") }

    function test_nextMacroName() {
        compare(Ed.nextMacroName(["macro_0", "Macro_0 ", "Macro_00"]), "Macro_0")    // exact comparison
        compare(Ed.nextMacroName(keys(100).map(function (a, i) { return "x" + i })), "")  // 100 macros
    }

    // Near the limit (60 actions encode to 124 bytes) an edit that would pass the block is refused.
    function test_limits_data() {
        var nearlyFull = keys(60)
        return [
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
            { tag: "delay before selected", edit: Ed.insertDelayEdit(base(), 2), expected: "1,A 0,10 0,50 2,A" },
            { tag: "delay edited", edit: Ed.delayEdit(base(), 1, "65535"), expected: "1,A 0,65535 2,A" },
            { tag: "delay not a number", edit: Ed.delayEdit(base(), 1, "12a"), expected: "" },
            { tag: "delay too large", edit: Ed.delayEdit(base(), 1, "65536"), expected: "" }
        ]
    }
    function base() { return [{ type: 1, info: "A" }, Ed.delayAction(10), { type: 2, info: "A" }] }
    function test_positions(data) {
        compare(data.edit === null ? "" : texts(Ed.applyEdit(base(), data.edit)), data.expected)
    }
}
