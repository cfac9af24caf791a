import QtQuick
import QtTest
import "../../qml/J2"
import "../../qml/basic"
import "../../qml/js/keys.js" as Keys

// The button list, the key dialog, the macro editor and the profile pages on the view of the rig.
Item {
    id: root
    width: 1024
    height: 640

    KeyCodeString { id: names }
    KeyList { id: keyList; keyNames: names; entryLabels: dialog.labels }
    KeyAssignment { id: dialog; x: 352; keyNames: names; keyPage: keyList }
    ProfileRows { id: profileRows }
    ProfileDialog { id: profiles; x: 20; y: 300; activeProfile: 0; profiles: profileRows }
    ProfileSelector { id: selector; x: 700; y: 460; rows: profileRows.rows }
    Component { id: editorComponent; MacroEditor { keyNames: names; visible: true; x: 192; y: 96 } }
    SignalSpy { id: openSpy; target: keyList; signalName: "openKeyDialog" }
    SignalSpy { id: switchSpy; target: selector; signalName: "profileChange" }

    TestCase {
        name: "KeyPages"
        when: windowShown

        function click(parentItem, objectName, button) {
            tryVerify(function () { return findChild(parentItem, objectName) !== null }, 2000, objectName)
            var item = findChild(parentItem, objectName)
            waitForItemPolished(item.parent)    // a menu's column places its entries
            mouseClick(item, 5, 5, button || Qt.LeftButton)
        }
        function openDialog(button, section) {
            dialog.open(button)
            dialog.openSection = section
            waitForRendering(dialog)
        }
        function init() {
            ui_View.setCurrentProfile(0)
            ui_View.resetProfile(0)
            keyList.init(false, false)
            keyList.isSave = false
            keyList.keyCount = 8
            openSpy.clear()
            switchSpy.clear()
        }
        function cleanupTestCase() {
            ui_View.resetProfile(0)
            ui_View.updataNameList(Keys.NAME_LIST_PROFILES, ["Standard0"])
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

        // A row for each button of the mouse only, showing what the page holds as it changes.
        function test_rowsFollowTheMouseAndThePage() {
            keyList.keyCount = 6
            compare(findChild(keyList, "keyRow6"), null, "no row beyond the buttons of the mouse")
            keyList.keyCount = 8
            var text = findChild(findChild(keyList, "keyRow7"), "keyRowText")
            verify(text.visible)
            compare(text.text, "Double Fire")
            keyList.assign(7, [0, 0, 0xF0, 0], "Left Key")
            compare(text.text, "Left Key")
            keyList.restoreFactory()
            compare(text.text, "Double Fire")
        }

        // Button 6 as the sniper key: stored, shown and in the key matrix a save sends (opcode 0x12).
        function test_sniperStored() {
            openDialog(5, Keys.TYPE_DPI)
            click(dialog, "choice56")
            compare(findChild(dialog, "keyTitle").text, "Key 6 : Sniper Key")
            click(dialog, "closeButton")
            verify(keyList.isSave)
            compare(keyList.textAt(5), "Sniper Key")
            rigProbe.mark()
            keyList.saveData()
            compare(ui_View.mouseGetKeydefine(5, false).map(Number), [5, 0, 4, 0])
            var matrix = rigProbe.commands().filter(function (c) { return c.opcode === 0x12 })
            compare(matrix[0].payload.split(" ").slice(20, 24).join(" "), "0b 00 01 01")
        }

        // A macro chosen in the open dialog follows a rename in the editor, then a deletion
        // gives the button its factory entry, saved at once.
        function test_macroRenamedDeleted() {
            ui_View.createMacroIni("Tap", 0)
            ui_View.saveMacroIni("Tap", ["1,A", "0,50", "2,A"], 1)
            dialog.setMacroNames(["Tap", "loaderquorin"])
            openDialog(4, Keys.TYPE_MACRO)
            click(dialog, "macroMode2")
            click(dialog, "macroBox")
            click(dialog, "macroName0")
            keyList.macroRenamed("Tap", "Tip")
            compare(findChild(dialog, "keyTitle").text, "Key 5 : Tip")
            click(dialog, "closeButton")
            compare(keyList.entryAt(4), [4, 2, 4, 0])
            keyList.macroRenamed("Tip", "Top")
            compare(keyList.textAt(4), "Top")
            compare(String(ui_View.getData("mouseMacroKey/4", false)), "Top")
            keyList.macroDeleted("Top")
            compare(keyList.entryAt(4), keyList.factoryEntryAt(4))
            compare(ui_View.mouseGetKeydefine(4, false).map(Number), keyList.factoryEntryAt(4))
            ui_View.deleteMacroIni("Top")
        }

        // A button using the macro gets the changed block at once (button 3: device macro 4).
        function test_macroChangeUploadsToTheButtonsUsingIt() {
            ui_View.createMacroIni("Up", 0)
            ui_View.saveMacroIni("Up", ["1,A", "2,A"], 1)
            ui_View.updataNameList(0, ["Up"])
            ui_View.setDataList("mouseKeyMatrix/3", [4, 0, 3, 0])
            ui_View.setData("mouseMacroKey/3", "Up")
            keyList.init(false, false)
            var editor = createTemporaryObject(editorComponent, root)
            editor.init()
            editor.modifyMacroData.connect(keyList.macroDataChanged)
            click(editor, "macroRow0")
            rigProbe.mark()
            click(editor, "actionRow1", Qt.RightButton)
            click(editor, "actionMenu3")
            var sent = rigProbe.commands().filter(function (c) { return c.opcode === 0x13 })
            compare(sent.length, 1)
            compare(sent[0].block.substring(0, 5), "13 04")
            compare(sent[0].payload, "00 01 01 04 81 04 01 f0 81 f0" + new Array(119).join(" 00"))
            ui_View.deleteMacroIni("Up")
            ui_View.updataNameList(0, [])
        }

        function test_profileRows() {
            ui_View.updataNameList(Keys.NAME_LIST_PROFILES, ["Standard0", "p_11", "p_22", "p_33"])
            profiles.activeProfile = 2
            profileRows.load("Standard")
            compare(profiles.rows.map(function (r) { return r.name }), ["Standard", "p_1", "p_2", "p_3"])
            verify(!profiles.deleteRow(0), "row 0 stays")
            verify(!profiles.deleteRow(2), "the active row stays")
            verify(!profiles.rename(1, "p_3"), "a name another row carries is not taken")
            verify(profiles.rename(1, "Fresh"))
            compare(ui_View.getNameList(Keys.NAME_LIST_PROFILES), ["Standard0", "Fresh1", "p_22", "p_33"])

            // A middle row deleted: the selector still reports each row's own profile.
            verify(profiles.deleteRow(1))
            selector.selectProfile(2)
            mouseClick(findChild(selector, "selectorBox"))
            mouseClick(findChild(selector, "selectorRow2"))
            compare(Array.from(switchSpy.signalArguments, a => a[0]), [3], "p_3 is profile 3 (p4.bin)")

            // New takes the freed number; six rows are the limit for New and Import.
            verify(profiles.newProfile())
            compare(profiles.rows[3], { name: "profile_0", number: 1 })
            verify(profiles.newProfile())
            verify(profiles.newProfile())
            verify(!profiles.newProfile())
            verify(!profiles.importProfile())
            compare(profiles.rows.length, 6)
        }
    }
}
