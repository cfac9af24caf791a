import QtQuick
import QtTest
import "../../qml/J2"
import "../../qml/common"

// The gun editor and the system page on the host's real view over the virtual mouse
// (553 family with recoil functions).
TestCase {
    id: testCase
    name: "RecoilSystemPages"
    when: windowShown
    visible: true
    width: 1024
    height: 640

    GunControl { id: gun }
    SystemSetting { id: system }
    EditorBox { id: editorBox; visible: false }

    function initTestCase() {
        gun.init()
        system.init(false, false)
    }
    function show(panel) {
        gun.visible = panel === gun
        system.visible = panel === system
    }
    // Types text into a RectInput and ends its editing as a focus loss does.
    function endEditing(field, text) {
        field.txtInput.forceActiveFocus()
        field.txtInput.text = text
        field.closeFocus()
    }
    function countTexts(item, text) {
        return Array.from(item.children).reduce((n, child) => n + countTexts(child, text), item.text === text ? 1 : 0)
    }

    // Closed unchanged it uploads nothing. The dot only shows the pull-down; the Y field's
    // end of editing stores it, and the close uploads the slots.
    function test_dotDragShowsYAndStoresOnEditEnd() {
        show(gun)
        gun.open()
        rigProbe.mark()
        gun.close()
        compare(rigProbe.opcodes(), [])
        show(gun)
        gun.open()
        var before = ui_View.getGunData(gun.shownGun)
        var dot = findChild(gun, "dot")
        var y = findChild(gun, "yInput")
        mouseDrag(dot, 4, 4, 0, 200)
        compare(y.textValue, "64")
        compare(ui_View.getGunData(gun.shownGun), before)
        endEditing(y, "64")
        compare(ui_View.getGunData(gun.shownGun)[4], "64")
        verify(gun.changed)
        rigProbe.mark()
        gun.close()
        compare(rigProbe.opcodes(), [0x83, 0x04, 0x83, 0x04, 0x83, 0x04])
    }

    // After a profile reset: slots 1, 2, 3 hold guns 0, 1, 2 with Y 5, 7, 8 and period 9,
    // stored and on the mouse.
    function test_profileReset() {
        gun.resetProfile()
        compare(ui_View.getGlobalData("mouse/selectGun").map(Number), [0, 1, 2])
        verify(rigProbe.fileText("modules/setting/apConfig.bin").indexOf("selectGun=0, 1, 2") >= 0)
        var expectedY = [5, 7, 8]
        for (var i = 0; i < 3; ++i) {
            compare(ui_View.getGunData(i)[2], "9")
            compare(ui_View.getGunData(i)[4], String(expectedY[i]))
            compare(rigProbe.mouseState().gunSlots[i][2], expectedY[i])
        }
        compare(gun.periods(), [9, 9, 9])
        compare(gun.shownGun, 0)
    }

    function test_scrollChoice_data() {
        return [ { tag: "lines 0 stores 1", screen: false, lines: "0", stored: 1 },
                 { tag: "lines 37", screen: false, lines: "37", stored: 37 },
                 { tag: "one screen", screen: true, lines: "5", stored: 1000 } ]
    }
    function test_scrollChoice(d) {
        show(system)
        pointerCalls.clear()
        mouseClick(findChild(system, "rowsRadio"))
        endEditing(findChild(system, "linesInput"), d.lines)
        if (d.screen)
            mouseClick(findChild(system, "screenRadio"))
        compare(Number(ui_View.getData("mouse/scrollRate", false)), d.stored)
        compare(pointerCalls.calls().pop(), "lines " + d.stored)
    }

    function test_storedScrollValue_data() {
        return [ { tag: "100", stored: 100, screen: false, lines: "100" },
                 { tag: "101", stored: 101, screen: true } ]
    }
    function test_storedScrollValue(d) {
        show(system)
        ui_View.setData("mouse/scrollRate", d.stored)
        system.init(false, false)
        compare(findChild(system, "screenRadio").isSelect, d.screen)
        compare(findChild(system, "rowsRadio").isSelect, !d.screen)
        if (!d.screen)
            compare(findChild(system, "linesInput").textValue, d.lines)
    }

    // A click on the track stores the knob's position and applies its step (37 → step 2 → speed 4).
    function test_speedSliderAppliesStep() {
        show(system)
        pointerCalls.clear()
        var slider = findChild(system, "speedSlider")
        mouseClick(slider, 37 + 6, slider.height / 2)
        tryVerify(function () { return pointerCalls.calls().length > 0 })
        compare(slider.value, 37)
        compare(Number(ui_View.getData("mouse/mouseRate", false)), 37)
        compare(pointerCalls.calls(), ["speed 4"])
    }

    // The main window offers the gun editor only on a mouse with recoil functions.
    function test_gunEditorEntry_data() {
        return [ { tag: "recoil", isGun: true, entries: 1 }, { tag: "no recoil", isGun: false, entries: 0 } ]
    }
    function test_gunEditorEntry(d) {
        editorBox.isGun = d.isGun
        compare(countTexts(editorBox, "Gun Editor"), d.entries)
        compare(countTexts(editorBox, "Macro Editor"), 1)
    }
}
