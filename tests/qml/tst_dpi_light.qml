import QtQuick
import QtTest
import "../../qml/js/dpi.js" as Dpi
import "../../qml/js/light.js" as Light

TestCase {
    name: "DpiLightLogic"

    // Knob position <-> value over 200...6000 in steps of 50; the knob stays on its track.
    function test_knob_data() {
        return [ { tag: "bottom", x: 3, value: 200 }, { tag: "top", x: 161, value: 6000 },
                 { tag: "middle", x: 82, value: 3100 }, { tag: "rounds down", x: 12, value: 500 },
                 { tag: "beyond the track", x: 170, value: 6000 } ]
    }
    function test_knob(d) {
        compare(Dpi.sliderToValue(d.x, 200, 6000, 50), d.value)
    }
    function test_inverse() {
        compare([200, 3100, 6000, 100].map(function (v) { return Dpi.valueToSlider(v, 200, 6000) }), [4, 83, 161, 3])
        for (var v = 200; v <= 6000; v += 50)
            compare(Dpi.sliderToValue(Dpi.valueToSlider(v, 200, 6000), 200, 6000, 50), v, "value " + v)
    }

    function test_paletteIndex() {
        var colors = ["#ff0000", "#00ff00", "#0000ff", "#FF00FF", "#00ffff", "#ff7f00", "#6000ff", "#ffff00"]
        compare(Dpi.stageColorIndices(colors), [0, 1, 2, 3, 4, 7, 0, 5].concat(new Array(16).fill(0)))
        compare([Dpi.paletteIndex("#ffffff"), Dpi.paletteIndex("")], [6, 0])
    }

    // A stored list too short keeps the page's own entries in the missing places.
    function test_shortStoredLists() {
        compare(Dpi.colorsFromList(["0", "255", "0", "9"], ["#111111", "#222222"]), ["#00ff00", "#222222"])
        compare(Dpi.valuesFromList(["800", ""], [500, 1000, 1500]), [800, 1000, 1500])
    }

    // Blocks 1...7 on a full-colour mouse; on a single-colour one up to the stage count.
    function test_blocksShown() {
        function shown(isColorful, count) {
            return [1, 2, 3, 4, 5, 6, 7, 8].filter(function (k) { return Light.blockShown(k, isColorful, count) })
        }
        compare(shown(true, 4), [1, 2, 3, 4, 5, 6, 7])
        compare(shown(false, 4), [1, 2, 3, 4])
        compare(shown(false, 8), [1, 2, 3, 4, 5, 6, 7])
    }

    // A bar of 240 px: parts of 40 px; 10 px into a part is f = 63.
    function test_hueColor() {
        var got = [10, 50, 90, 130, 170, 210, 0, 240, -5].map(function (p) { return String(Light.hueColor(p, 240)) })
        compare(got, ["255,63,0", "192,255,0", "0,255,63", "0,192,255", "63,0,255", "255,0,192",
                      "255,0,0", "255,255,255", "255,0,0"])
    }

    // Selecting a block puts the knob where the bar gives that block's hue back.
    function test_huePosition() {
        var colors = [[255, 0, 0], [255, 127, 0], [0, 255, 0], [0, 0, 255], [96, 0, 255], [255, 0, 255], [255, 255, 255]]
        for (var i = 0; i < colors.length; ++i) {
            var back = Light.hueColor(Light.huePosition(colors[i], 240), 240)
            for (var c = 0; c < 3; ++c)
                verify(Math.abs(back[c] - colors[i][c]) <= 7, colors[i] + " gave " + back)
        }
    }
}
