import QtQuick
import QtTest
import "../../qml/J2"
import "../../qml/basic"
import "../../qml/js/keys.js" as Keys

// The button list, the key dialog and the profile pages on the view of the rig.
Item {
    id: root
    width: 1024
    height: 640

    KeyCodeString { id: names }
    KeyList { id: keyList; keyNames: names; entryLabels: dialog.labels }
    KeyAssignment { id: dialog; x: 352; keyNames: names; keyPage: keyList }
    ProfileDialog { id: profiles; x: 20; y: 300; activeProfile: 0 }
    ProfileSelector { id: selector; x: 700; y: 460; rows: profiles.rows }
    SignalSpy { id: openSpy; target: keyList; signalName: "openKeyDialog" }
    SignalSpy { id: switchSpy; target: selector; signalName: "profileChange" }

    TestCase {
        name: "KeyPages"
        when: windowShown

        function numbers(list) { return list.map(Number) }
        function click(parentItem, objectName) {
            var item = findChild(parentItem, objectName)
            verify(item, objectName)
            mouseClick(item)
        }
        function openSection(kind) {
            dialog.openSection = kind
            waitForRendering(dialog)
        }
        // The key matrix the last save sent (553 family: opcode 0x12, 64 payload bytes).
        function sentMatrixEntry(slot) {
            var cmds = rigProbe.commands().filter(function (c) { return c.opcode === 0x12 })
            verify(cmds.length > 0, "a key matrix was sent")
            return cmds[0].payload.split(" ").slice(4 * slot, 4 * slot + 4).join(" ")
        }

        function init() {
            ui_View.setCurrentProfile(0)
            ui_View.resetProfile(0)
            keyList.init(false, false)
            keyList.isSave = false
            openSpy.clear()
            switchSpy.clear()
        }
        function cleanupTestCase() {
            ui_View.resetProfile(0)
            ui_View.updataNameList(Keys.NAME_LIST_PROFILES, ["Standard0"])
        }

        function test_displayText_data() {
            return [
                { tag: "group R Win and two keys", entry: [2, 0x80, 0x05, 0x06], text: "RWin+B+C" },
                { tag: "fire", entry: [1, 0x05, 10, 0], text: "B" },
                { tag: "right", entry: [0, 0, 0xF1, 0], text: "Right Key" },
                { tag: "other mouse code", entry: [0, 0, 0x33, 0], text: "Double Fire" },
                { tag: "windows Min", entry: [6, 4, 0x2C, 0x11], text: "Min" },
                { tag: "media", entry: [3, 0, 0xEA, 0], text: "Volumn-" },
                { tag: "unknown media", entry: [3, 0, 0x12, 0], text: "" },
                { tag: "shortcut", entry: [7, 0, 0xE0, 0x04], text: "Select All" },
                { tag: "DPI 5", entry: [5, 0, 5, 0], text: "" },
                { tag: "gun", entry: [8, 0, 3, 0], text: "Three Gun" },
                { tag: "reserved", entry: [0xFF, 0, 1, 0], text: "" }
            ]
        }
        function test_displayText(data) {
            compare(Keys.displayText(data.entry, Keys.DIALOG_LABELS, names, null), data.text)
        }

        function test_onlyLeftClickOpensFromPictureOnly() {
            mouseClick(findChild(keyList, "keyRow0"))
            compare(openSpy.count, 0, "the list opens nothing for the only left click")
            verify(keyList.requestOpen(0, false), "the picture opens it")
            compare(openSpy.count, 1)
            keyList.dialogClosed()
            keyList.assign(1, [0, 0, 0xF0, 0], "Left Key")
            mouseClick(findChild(keyList, "keyRow0"))
            compare(openSpy.count, 2, "with a second left click the list opens it")
        }

        function test_closeUnchangedKeepsMark_data() {
            return [{ tag: "clear", mark: false }, { tag: "set", mark: true }]
        }
        function test_closeUnchangedKeepsMark(data) {
            keyList.isSave = data.mark
            dialog.open(3)
            openSection(Keys.TYPE_MOUSE)
            click(dialog, "choice5")   // the entry button 3 already has
            click(dialog, "closeButton")
            compare(keyList.isSave, data.mark)
            verify(!dialog.visible)
        }

        function test_sniperStored() {
            dialog.open(5)
            openSection(Keys.TYPE_DPI)
            click(dialog, "choice56")
            compare(findChild(dialog, "keyTitle").text, "Key 6 : Sniper Key")
            click(dialog, "closeButton")
            verify(keyList.isSave)
            compare(keyList.textAt(5), "Sniper Key")
            rigProbe.mark()
            keyList.saveData()
            compare(numbers(ui_View.mouseGetKeydefine(5, false)), [5, 0, 4, 0])
            compare(sentMatrixEntry(5), "0b 00 01 01")
        }

        // A cancelled capture keeps the entry; a confirmed one keeps the first three keys
        // pressed (releases and repeats skipped); exactly L Ctrl + L Shift + A is stored.
        function test_groupCapturedStoredAndReloaded() {
            dialog.open(2)
            openSection(Keys.TYPE_GROUP)
            click(dialog, "groupField")
            dialog.keyEvent(true, 0xE0)
            click(dialog, "groupCancel")
            compare(dialog.entry, keyList.entryAt(2))
            compare(findChild(dialog, "groupField").text, "Click Input")
            click(dialog, "groupField")
            verify(dialog.captureActive)
            var keys = [[true, 0xE0], [true, 0xE1], [false, 0xE1], [true, 0x04], [true, 0xE0], [true, 0x05], [true, 0x06]]
            keys.forEach(function (k) { dialog.keyEvent(k[0], k[1]) })
            click(dialog, "groupConfirm")
            verify(!dialog.captureActive)
            compare(dialog.entry, [2, 0x03, 0x04, 0x05])
            click(dialog, "groupField")
            dialog.keyEvent(true, 0xE0)
            dialog.keyEvent(true, 0xE1)
            dialog.keyEvent(true, 0x04)
            click(dialog, "groupConfirm")
            compare(findChild(dialog, "keyTitle").text, "Key 3 : LCtrl + LShift + A")
            click(dialog, "closeButton")
            keyList.saveData()
            keyList.init(false, false)
            compare(numbers(ui_View.mouseGetKeydefine(2, false)), [2, 0x03, 0x04, 0])
            compare(keyList.textAt(2), "LCtrl+LShift+A")
        }

        function test_macroAssignedRenamedDeleted() {
            ui_View.createMacroIni("Tap", 0)
            ui_View.saveMacroIni("Tap", ["1,A", "0,50", "2,A"], 1)
            dialog.setMacroNames(["Tap", "loaderquorin"])
            dialog.open(4)
            openSection(Keys.TYPE_MACRO)
            click(dialog, "macroMode2")
            click(dialog, "macroBox")
            click(dialog, "macroName0")
            keyList.macroRenamed("Tap", "Tip")   // renamed in the editor before the dialog closes
            compare(findChild(dialog, "keyTitle").text, "Key 5 : Tip")
            rigProbe.mark()
            click(dialog, "closeButton")
            compare(keyList.entryAt(4), [4, 2, 4, 0])
            compare(String(ui_View.getData("mouseMacroKey/4", false)), "Tip")
            var uploads = rigProbe.commands().filter(function (c) { return c.opcode === 0x13 })
            compare(uploads.length, 1, "the macro went to its slot")
            compare(uploads[0].payload.split(" ").slice(0, 8).join(" "), "00 01 05 04 81 04 00 00")

            keyList.macroRenamed("Tip", "Top")
            compare(keyList.textAt(4), "Top")
            compare(String(ui_View.getData("mouseMacroKey/4", false)), "Top")
            keyList.macroDeleted("Top")
            compare(keyList.entryAt(4), keyList.factoryEntryAt(4))
            compare(numbers(ui_View.mouseGetKeydefine(4, false)), keyList.factoryEntryAt(4), "saved at once")
            ui_View.deleteMacroIni("Top")
        }

        function test_profileRows() {
            ui_View.updataNameList(Keys.NAME_LIST_PROFILES, ["Standard0", "p_11", "p_22", "p_33"])
            profiles.activeProfile = 2
            profiles.init()
            compare(profiles.rows.map(function (r) { return r.name }), ["Standard", "p_1", "p_2", "p_3"])
            verify(!profiles.deleteRow(0), "row 0 stays")
            verify(!profiles.deleteRow(2), "the active row stays")
            verify(!profiles.rename(1, "p_3"), "a name another row carries is not taken")
            compare(profiles.rows[1].name, "p_1")
            verify(profiles.rename(1, "Fresh"))
            compare(ui_View.getNameList(Keys.NAME_LIST_PROFILES), ["Standard0", "Fresh1", "p_22", "p_33"])

            // A middle row deleted: the selector still reports each row's own profile.
            verify(profiles.deleteRow(1))
            selector.selectProfile(2)
            mouseClick(findChild(selector, "selectorBox"))
            mouseClick(findChild(selector, "selectorRow2"))
            compare(switchSpy.count, 1)
            compare(switchSpy.signalArguments[0][0], 3, "p_3 is profile 3 (p4.bin)")

            // New takes the freed number; six rows are the limit for New and Import.
            verify(profiles.newProfile())
            compare(profiles.rows[3], { name: "profile_0", number: 1 })
            verify(profiles.newProfile())
            verify(profiles.newProfile())
            compare(profiles.rows.length, 6)
            verify(!profiles.newProfile())
            verify(!profiles.importProfile())
            compare(profiles.rows.length, 6)
        }
    }
}
