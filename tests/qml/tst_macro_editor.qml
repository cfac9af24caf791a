import QtQuick
import QtTest
import "../../qml/J2"
import "../../qml/basic"

// The macro editor on the real view: what it stores, shows, signals and uploads.
Item {
    id: root
    width: 1024
    height: 640

    KeyCodeString { id: keyTable }
    Component { id: editorComponent; MacroEditor { keyNames: keyTable; visible: true; x: 192; y: 96 } }
    Component { id: keyListComponent; KeyList { keyNames: keyTable; visible: false } }
    SignalSpy { id: renameSpy; signalName: "modifyMacroName" }

    TestCase {
        name: "MacroEditor"
        when: windowShown

        property var editor: null

        // Macros {name: [action strings]} in this order, the editor started on them.
        function start(macros) {
            var names = Object.keys(macros)
            ui_View.getNameList(0).forEach(function (n) { ui_View.deleteMacroIni(n) })
            names.forEach(function (n) { ui_View.createMacroIni(n, 0); ui_View.saveMacroIni(n, macros[n], 1) })
            ui_View.updataNameList(0, names)
            editor = createTemporaryObject(editorComponent, root)
            editor.init()
            renameSpy.target = editor
            renameSpy.clear()
        }
        function item(name) {
            tryVerify(function () { return findChild(editor, name) !== null }, 2000, name)
            var found = findChild(editor, name)
            waitForItemPolished(found.parent)    // a menu's column places its entries
            return found
        }
        function click(name, button) { mouseClick(item(name), 5, 5, button || Qt.LeftButton) }
        function stored(name) { return ui_View.loadMacroIni(name).slice(0, -1).join(" ") }
        function storedNames() { return ui_View.getNameList(0).join(" ") }
        function pairs(n) { return new Array(n + 1).join("1,A 2,A ").split(" ").slice(0, n).join(" ") }

        function test_newTakesTheFirstFreeNumber() {
            start({ "Macro_0": [], "Macro_2": [] })
            click("newButton")
            compare(storedNames(), "Macro_0 Macro_2 Macro_1")
            compare(editor.selectedMacro, 2)
            compare(ui_View.loadMacroIni("Macro_1").join(" "), "1")
        }

        function test_recording_data() { return [{ tag: "with Delay", delay: true }, { tag: "without Delay", delay: false }] }
        function test_recording(data) {
            start({ "Rec": ["1,B"] })
            click("macroRow0")
            if (data.delay)
                mouseClick(item("delayBox"), item("delayBox").width - 4, 10)
            click("recordButton")
            verify(editor.acceptsKeys)
            editor.keyEvent(true, 0x04)
            wait(120)
            editor.keyEvent(false, 0x04)
            click("recordButton")
            verify(!editor.acceptsKeys)
            var actions = ui_View.loadMacroIni("Rec").slice(0, -1)
            compare([actions[0], actions[actions.length - 1], actions.length].join(" "), "1,A 2,A " + (data.delay ? 3 : 2))
            if (data.delay) {
                var ms = Number(actions[1].substring(2))
                verify(actions[1].charAt(0) === "0" && ms >= 120 && ms % 10 === 0, actions[1])
                compare(findChild(item("actionRow1"), "actionText").text, ms + " ms")
            }
        }

        // 61 actions encode to 126 bytes: recording keeps no more, the inserts add nothing.
        function test_fullMacroTakesNoMore() {
            start({ "Full": [] })
            click("macroRow0")
            click("recordButton")
            for (var i = 0; i < 70; ++i)
                editor.keyEvent(i % 2 === 0, 0x04)
            click("recordButton")
            compare(stored("Full"), pairs(61))
            for (var entry = 1; entry <= 5; ++entry) {
                click("actionRow60", Qt.RightButton)
                click("actionMenu" + entry)
                verify(!editor.isInserting)
            }
            compare(stored("Full"), pairs(61))
        }

        function test_insertKey_data() {
            return [
                { tag: "no key", codes: [], expected: "1,A 2,A 1, 2," },
                { tag: "last keyboard key, buttons ignored", codes: [0x05, 0xF0], expected: "1,A 2,A 1,B 2,B" }
            ]
        }
        function test_insertKey(data) {
            start({ "Ins": ["1,A", "2,A"] })
            click("macroRow0")
            click("actionRow1", Qt.RightButton)
            click("actionMenu2")
            verify(editor.acceptsKeys)
            for (var i = 0; i < data.codes.length; ++i)
                editor.keyEvent(true, data.codes[i])
            click("insertKeyOk")
            compare(stored("Ins"), data.expected)
        }

        function test_rename_data() {
            return [
                { tag: "existing name", text: "Other", names: "Mine Other", signals: 0 },
                { tag: "unchanged", text: "Mine", names: "Mine Other", signals: 0 },
                { tag: "empty", text: "", names: " Other", signals: 1 }
            ]
        }
        function test_rename(data) {
            start({ "Mine": [], "Other": [] })
            mouseDoubleClickSequence(item("macroRow0"), 5, 5)
            item("renameField").text = data.text
            keyClick(Qt.Key_Return)
            compare(renameSpy.count, data.signals)
            compare(storedNames(), data.names)
        }

        function test_deleteSelectsTheNeighbour_data() {
            return [
                { tag: "middle", row: 1, names: "a c", selected: 1, shown: "1,C" },
                { tag: "last", row: 2, names: "a b", selected: 1, shown: "1,B" },
                { tag: "only", row: 0, only: true, names: "", selected: -1, shown: "" }
            ]
        }
        function test_deleteSelectsTheNeighbour(data) {
            start(data.only ? { "a": ["1,A"] } : { "a": ["1,A"], "b": ["1,B"], "c": ["1,C"] })
            click("macroRow" + data.row)
            click("deleteButton")
            compare(storedNames(), data.names)
            compare(editor.selectedMacro, data.selected)
            var shown = editor.actionArray().map(function (a) { return a.type + "," + a.info })
            compare(shown.join(" "), data.shown)
        }

        function test_cancelledImportAddsAnEmptyMacro() {
            start({ "Macro_0": ["1,A"], "x": [] })
            click("macroRow1")
            click("macroRow1", Qt.RightButton)
            click("macroMenu1")    // the view's chooser in this rig cancels
            compare(storedNames(), "Macro_0 Macro_1 x")
            compare(editor.selectedMacro, 1)
            compare(ui_View.loadMacroIni("Macro_1").join(" "), "1")
        }

        // A button using the macro gets the changed block at once (button 3: device macro 4).
        function test_changeUploadsToTheButtonsUsingIt() {
            start({ "Up": ["1,A", "2,A"] })
            var before = ui_View.getDataList("mouseKeyMatrix/3", false)
            ui_View.setDataList("mouseKeyMatrix/3", [4, 0, 3, 0])
            ui_View.setData("mouseMacroKey/3", "Up")
            var keyList = createTemporaryObject(keyListComponent, root)
            keyList.init(false, false)
            editor.modifyMacroData.connect(keyList.macroDataChanged)
            click("macroRow0")
            rigProbe.mark()
            click("actionRow1", Qt.RightButton)
            click("actionMenu3")
            var sent = rigProbe.commands().filter(function (c) { return c.opcode === 0x13 })
            compare(sent.length, 1)
            compare(sent[0].block.substring(0, 5), "13 04")
            var block = "00 01 01 04 81 04 01 f0 81 f0" + new Array(119).join(" 00")
            compare(sent[0].payload, block)
            ui_View.setDataList("mouseKeyMatrix/3", before)
        }
        function cleanupTestCase() { start({}) }
    }
}
