import QtQuick
import QtTest
import "../../qml/js/dpi.js" as Dpi
import "../../qml/js/light.js" as Light

TestCase {
    name: "DpiLightLogic"

    function test_sliderToValue_data() {
        return [
            { tag: "bottom", x: 3, value: 200 }, { tag: "top", x: 161, value: 6000 },
            { tag: "middle", x: 82, value: 3100 }, { tag: "rounds down to a step", x: 12, value: 500 },
            { tag: "below the track", x: 0, value: 200 }, { tag: "above the track", x: 170, value: 6000 }
        ]
    }
    function test_sliderToValue(d) {
        compare(Dpi.sliderToValue(d.x, 200, 6000, 50), d.value)
    }

    function test_valueToSlider_data() {
        return [
            { tag: "min", value: 200, x: 4 }, { tag: "middle", value: 3100, x: 83 },
            { tag: "max stays on the track", value: 6000, x: 161 }, { tag: "below min", value: 100, x: 3 }
        ]
    }
    function test_valueToSlider(d) {
        compare(Dpi.valueToSlider(d.value, 200, 6000), d.x)
    }

    // Every stage value of the range survives a load followed by a save.
    function test_valueRoundTrip() {
        for (var v = 200; v <= 6000; v += 50)
            compare(Dpi.sliderToValue(Dpi.valueToSlider(v, 200, 6000), 200, 6000, 50), v, "value " + v)
    }

    function test_paletteIndex_data() {
        return [
            { tag: "red", c: "#ff0000", i: 0 }, { tag: "green", c: "#00ff00", i: 1 },
            { tag: "blue", c: "#0000ff", i: 2 }, { tag: "magenta", c: "#FF00FF", i: 3 },
            { tag: "cyan", c: "#00ffff", i: 4 }, { tag: "yellow", c: "#ffff00", i: 5 },
            { tag: "white", c: "#ffffff", i: 6 }, { tag: "orange", c: "#ff7f00", i: 7 },
            { tag: "off the palette", c: "#6000ff", i: 0 }, { tag: "empty", c: "", i: 0 }
        ]
    }
    function test_paletteIndex(d) {
        compare(Dpi.paletteIndex(d.c), d.i)
    }

    function test_stageColorIndices() {
        var colors = ["#ff0000", "#00ff00", "#0000ff", "#ff00ff", "#00ffff", "#ff7f00", "#123456", "#ffffff"]
        compare(Dpi.stageColorIndices(colors),
                [0, 1, 2, 3, 4, 7, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0])
    }

    // A stored list too short keeps the page's own entries in the missing places.
    function test_shortStoredLists() {
        compare(Dpi.colorsFromList(["0", "255", "0", "9"], ["#111111", "#222222"]), ["#00ff00", "#222222"])
        compare(Dpi.valuesFromList(["800", ""], [500, 1000, 1500]), [800, 1000, 1500])
        compare(Dpi.colorsToList(["#ff7f00", "#6000ff"]), [255, 127, 0, 96, 0, 255])
    }

    function test_rateCode() {
        compare([0, 1, 2, 3, 4, -1].map(Dpi.rateCode), [8, 4, 2, 1, 0, 0])
    }

    function test_modeSliders_data() {
        var k = Light.keep
        return [
            { tag: "Static", m: 0, row: [false, k, true, 4] }, { tag: "Breath", m: 1, row: [true, 0, false, k] },
            { tag: "Neon", m: 2, row: [true, 0, false, k] }, { tag: "OFF", m: 3, row: [false, k, false, 0] },
            { tag: "Wave", m: 4, row: [true, 0, true, 4] }, { tag: "Gliding", m: 5, row: [false, 0, false, 4] },
            { tag: "Finger Moving", m: 6, row: [false, k, true, 4] }, { tag: "Vertical Flipping", m: 7, row: [true, 0, true, 4] },
            { tag: "YO-YO", m: 8, row: [true, 0, true, 4] }, { tag: "Spotlight", m: 9, row: [true, 0, true, 4] },
            { tag: "unknown", m: 10, row: [false, k, false, k] }
        ]
    }
    function test_modeSliders(d) {
        var s = Light.sliders(d.m)
        compare([s.speedShown, s.speedStep, s.brightShown, s.brightStep], d.row)
    }

    function test_modeNames() {
        compare(Light.modeNames(Light.defaultTexts, false), ["Static", "Breath", "Neon", "OFF"])
        compare(Light.modeNames(Light.defaultTexts, true).slice(4),
                ["Wave", "Gliding", "Finger Moving", "Vertical Flipping", "YO-YO", "Spotlight"])
    }

    function test_colorAreaAndBlocks() {
        compare([0, 1, 2, 3, 4, 5, 6, 7, 8, 9].filter(Light.colorAreaActive), [0, 1, 9])
        var shown = []
        for (var k = 1; k <= 8; ++k)
            shown.push([Light.blockShown(k, true, 4), Light.blockShown(k, false, 4), Light.blockShown(k, false, 8)])
        compare(shown.map(function (r) { return r.join() }), ["true,true,true", "true,true,true", "true,true,true",
                "true,true,true", "true,false,true", "true,false,true", "true,false,true", "false,false,false"])
    }

    // A bar of 240 px: parts of 40 px; 10 px into a part is f = 63.
    function test_hueColor_data() {
        return [
            { tag: "part 0", p: 10, rgb: [255, 63, 0] }, { tag: "part 1", p: 50, rgb: [192, 255, 0] },
            { tag: "part 2", p: 90, rgb: [0, 255, 63] }, { tag: "part 3", p: 130, rgb: [0, 192, 255] },
            { tag: "part 4", p: 170, rgb: [63, 0, 255] }, { tag: "part 5", p: 210, rgb: [255, 0, 192] },
            { tag: "left end", p: 0, rgb: [255, 0, 0] }, { tag: "right end", p: 240, rgb: [255, 255, 255] },
            { tag: "before the bar", p: -5, rgb: [255, 0, 0] }
        ]
    }
    function test_hueColor(d) {
        compare(Light.hueColor(d.p, 240), d.rgb)
    }

    // Selecting a block puts the knob where the bar gives that block's hue back.
    function test_huePosition() {
        var colors = [[255, 0, 0], [255, 127, 0], [0, 255, 0], [0, 0, 255], [96, 0, 255], [255, 0, 255]]
        for (var i = 0; i < colors.length; ++i) {
            var back = Light.hueColor(Light.huePosition(colors[i], 240), 240)
            for (var c = 0; c < 3; ++c)
                verify(Math.abs(back[c] - colors[i][c]) <= 7, colors[i] + " gave " + back)
        }
        compare(Light.hueColor(Light.huePosition([255, 255, 255], 240), 240), [255, 255, 255])
    }
}
