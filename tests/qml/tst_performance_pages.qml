import QtQuick
import QtTest
import "../../qml/J2"

// The report-rate box, the DPI page and the lighting page on the host's real view
// over the virtual mouse (553 family, full-colour lighting, profile 1).
TestCase {
    id: testCase
    name: "PerformancePages"
    when: windowShown
    visible: true
    width: 520
    height: 600

    ReportRate { id: rate }
    DpiSetting { id: dpi; x: 280; lightPage: light }
    LightControl { id: light; x: 280; y: 300; isColorful: true }

    // [opcode, block, payload without the reports' zero padding] of each command since the mark.
    function sent() {
        return rigProbe.commands().map(function (c) { return [c.opcode, c.block, c.payload.replace(/( 00)+$/, "")] })
    }
    function mouseKey(text, key) {
        return text.split("\n").filter(function (l) { return l.indexOf(key + "=") === 0 }).join()
    }

    function initTestCase() {
        rate.init(false, false)
        dpi.init(false, false)
        light.init(false, false)
    }

    function test_reportRate_data() {
        return [ { tag: "125Hz", row: 0, code: 8, block: "01 08 00 00 00 00 00 f6" },
                 { tag: "500Hz", row: 2, code: 2, block: "01 02 00 00 00 00 00 fc" } ]
    }
    function test_reportRate(d) {
        var list = findChild(rate, "rateList")
        rigProbe.mark()
        mouseClick(list)
        tryCompare(list, "sliding", false)
        mouseClick(list, list.width / 2, list.height * (d.row + 1) + 12)
        tryVerify(function () { return rigProbe.commands().length > 0 })
        compare(Number(ui_View.getData("mouse/reportRate", false)), d.row)
        compare(sent(), [[1, d.block, ""]])
        compare(rigProbe.mouseState().reportRate, d.code)
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
        for (var i = 0; i < keys.length; ++i)
            compare(mouseKey(file, keys[i]), mouseKey(factory, keys[i]))
        verify(mouseKey(file, "lightValue") !== "")
    }
}
