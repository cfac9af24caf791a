import QtQuick
import QtTest
import "../../qml/J2"
import "../../qml/common"

// The performance pages (report rate, DPI, lighting), the gun editor and the system page
// on the host's real view over the virtual mouse (553 family with recoil functions,
// full-colour lighting, profile 1).
TestCase {
    id: testCase
    name: "Pages"
    when: windowShown
    visible: true
    width: 1024
    height: 640

    ReportRate { id: rate }
    DpiSetting { id: dpi; x: 280; lightPage: light }
    LightControl { id: light; x: 280; y: 300; isColorful: true }
    GunControl { id: gun; visible: false }
    SystemSetting { id: system; visible: false }
    EditorBox { id: editorBox; visible: false }

    function initTestCase() {
        rate.init(false, false)
        dpi.init(false, false)
        light.init(false, false)
        gun.init()
        system.init(false, false)
    }
    // The gun editor, the system page or (null) the performance pages alone.
    function show(panel) {
        gun.visible = panel === gun
        system.visible = panel === system
        for (const page of [rate, dpi, light])
            page.visible = !panel
    }
    function init() { show(null) }
    // [opcode, block, payload without the reports' zero padding] of each command since the mark.
    function sent() {
        return rigProbe.commands().map(function (c) { return [c.opcode, c.block, c.payload.replace(/( 00)+$/, "")] })
    }
    function byCaption(item, caption) {
        return item.caption === caption ? item
                                        : Array.from(item.children).reduce((found, c) => found || byCaption(c, caption), null)
    }
    function mouseKey(text, key) {
        return text.split("\n").filter(function (l) { return l.indexOf(key + "=") === 0 }).join()
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

    // "500Hz" is the third row of the list; it goes out at once as rate code 2.
    function test_reportRate500() {
        var list = findChild(rate, "rateList")
        rigProbe.mark()
        mouseClick(list)
        tryCompare(list, "sliding", false)
        mouseClick(list, list.width / 2, list.height * 3 + 12)
        tryVerify(function () { return rigProbe.commands().length > 0 })
        compare(Number(ui_View.getData("mouse/reportRate", false)), 2)
        compare(sent(), [[1, "01 02 00 00 00 00 00 fc", ""]])
        compare(rigProbe.mouseState().reportRate, 2)
    }

    // What a mode chosen on the lighting page does to the speed and brightness sliders:
    // [speed shown, speed step, brightness shown, brightness step], both steps 2 before.
    function test_lightModeSliders_data() {
        return [ { tag: "Static", m: 0, row: [false, 2, true, 4] }, { tag: "Breath", m: 1, row: [true, 0, false, 2] },
                 { tag: "Neon", m: 2, row: [true, 0, false, 2] }, { tag: "OFF", m: 3, row: [false, 2, false, 0] },
                 { tag: "Wave", m: 4, row: [true, 0, true, 4] }, { tag: "Gliding", m: 5, row: [false, 0, false, 4] },
                 { tag: "Finger Moving", m: 6, row: [false, 2, true, 4] }, { tag: "Flipping", m: 7, row: [true, 0, true, 4] },
                 { tag: "YO-YO", m: 8, row: [true, 0, true, 4] }, { tag: "Spotlight", m: 9, row: [true, 0, true, 4] } ]
    }
    function test_lightModeSliders(d) {
        var speed = byCaption(light, "Speed"), bright = byCaption(light, "Brightness")
        speed.slider.setIndexValue(2, false)
        bright.slider.setIndexValue(2, false)
        light.speedStep = 2
        light.brightStep = 2
        light.chooseMode(d.m)
        compare([speed.visible, speed.slider.segmentValue, bright.visible, bright.slider.segmentValue], d.row)
        light.init(false, false)
    }

    // A save sends the DPI set, then the stage colours (palette indices; orange is 7),
    // then the whole lighting: colour set and effect. The 553 family sends colours twice.
    function test_dpiSave_sendsDpiThenStageColoursThenLighting() {
        mouseClick(findChild(dpi, "stageBlock0"))
        mouseClick(findChild(dpi, "paletteColor7"))
        verify(dpi.isSave)
        rigProbe.mark()
        dpi.saveData(true)
        verify(!dpi.isSave)
        var lightColors = "ff 00 00 00 ff 00 00 00 ff ff 00 ff 00 ff ff ff 7f 00 60 00 ff ff ff ff"
        var stages = ["10 02 04 00 00 00 00 e9", "07 01 02 03"]
        var colorSet = ["10 00 18 00 00 00 00 d7", lightColors]
        compare(sent(), [[0x11, "11 04 08 00 00 00 00 e2", "04 09 0e 13 80 80 80 80"],
                         [0x10].concat(stages), [0x10].concat(stages),
                         [0x10].concat(colorSet), [0x10].concat(colorSet),
                         [0x0d, "0d 01 ff 00 00 00 00 f2", ""]])
    }

    // After edits saved to the profile, a reset and a reload with sending restore the
    // factory values on the wire and in the profile file.
    function test_reset_restoresFactoryValues() {
        dpi.setStageValue(0, 161)
        light.chooseMode(3)
        dpi.saveData(false)
        light.saveData(false, 0)
        var edited = rigProbe.fileText("modules/setting/p1.bin")
        compare(mouseKey(edited, "dpiValueArray"), "dpiValueArray=6000, 1000, 1500, 2000, 3000, 4000, 5000, 6000")
        compare(mouseKey(edited, "lightValue"), "lightValue=3, 0, 0")

        ui_View.resetProfile(0)
        rigProbe.mark()
        rate.init(true, false)
        dpi.init(true, false)
        light.init(true, false)
        var wire = sent()
        compare(wire[0], [1, "01 02 00 00 00 00 00 fc", ""])
        compare(wire[1], [0x11, "11 04 08 00 00 00 00 e2", "04 09 0e 13 80 80 80 80"])
        compare(wire[2][2], "00 01 02 03")
        compare(wire[wire.length - 1], [0x0d, "0d 01 ff 00 00 00 00 f2", ""])
        var file = rigProbe.fileText("modules/setting/p1.bin")
        var factory = rigProbe.fileText("modules/setting/pD.bin")
        var keys = ["reportRate", "currentDpiCount", "dpiValueArray", "dpiColorValue", "lightValue", "colorValue"]
        keys.forEach(function (k) { compare(mouseKey(file, k), mouseKey(factory, k), k) })
        verify(mouseKey(file, "lightValue") !== "")
    }

    // Closed unchanged it uploads nothing. The dot only shows the pull-down; the Y field's
    // end of editing stores it.
    function test_dotDragShowsYAndStoresOnEditEnd() {
        show(gun)
        gun.open()
        rigProbe.mark()
        gun.close()
        compare(rigProbe.commands(), [])
        show(gun)
        gun.open()
        var before = ui_View.getGunData(gun.shownGun)
        var y = findChild(gun, "yInput")
        mouseDrag(findChild(gun, "dot"), 4, 4, 0, 200)
        compare(y.textValue, "64")
        compare(ui_View.getGunData(gun.shownGun), before)
        endEditing(y, "64")
        compare(ui_View.getGunData(gun.shownGun)[4], "64")
        gun.close()
    }

    // After a profile reset: slots 1, 2, 3 hold guns 0, 1, 2 with Y 5, 7, 8 and period 9,
    // stored and on the mouse.
    function test_profileReset() {
        gun.resetProfile()
        verify(rigProbe.fileText("modules/setting/apConfig.bin").indexOf("selectGun=0, 1, 2") >= 0)
        var expectedY = [5, 7, 8]
        for (var i = 0; i < 3; ++i) {
            compare([ui_View.getGunData(i)[2], ui_View.getGunData(i)[4]], ["9", String(expectedY[i])])
            compare(rigProbe.mouseState().gunSlots[i][2], expectedY[i])
        }
    }

    function test_scrollChoice_data() {
        return [ { tag: "lines 0 stores 1", screen: false, lines: "0", stored: 1 },
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
