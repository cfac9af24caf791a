.pragma library
// Pure logic of the DPI page: knob position <-> DPI value, the stage palette,
// colour lists as stored in a profile, and the report-rate codes.

// Travel of a stage slider's knob, in pixels from the bottom end of the track.
var knobMin = 3
var knobMax = 161
var knobTravel = knobMax - knobMin

// Stage colours the mouse knows, in the order of the palette window; the
// position is the index sent to the mouse.
var palette = ["#ff0000", "#00ff00", "#0000ff", "#ff00ff", "#00ffff", "#ffff00", "#ffffff", "#ff7f00"]

// Stage colours of a page that has not been loaded yet.
var defaultStageColors = ["#ff0000", "#00ff00", "#0000ff", "#ff00ff", "#00ffff", "#ff7f00", "#ffff00", "#ffffff"]
var defaultStageValues = [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]

// Interval codes the mouse takes for the report-rate entries 125, 250, 500, 1000 Hz.
var rateCodes = [8, 4, 2, 1]

// DPI value of a knob position: the value under the knob, rounded down to a step.
function sliderToValue(x, min, max, step) {
    var pos = Math.max(knobMin, Math.min(knobMax, x))
    return Math.floor((((pos - knobMin) * (max - min) / knobTravel) + min) / step) * step
}

// Knob position of a DPI value (kept on the track for values outside the range).
function valueToSlider(value, min, max) {
    if (max <= min)
        return knobMin
    var pos = Math.floor(knobTravel * (value - min) / (max - min)) + knobMin + 1
    return Math.max(knobMin, Math.min(knobMax, pos))
}

function hex2(n) {
    var s = Math.max(0, Math.min(255, Math.round(n))).toString(16)
    return s.length < 2 ? "0" + s : s
}

function rgbToHex(r, g, b) {
    return "#" + hex2(r) + hex2(g) + hex2(b)
}

// [r, g, b] of "#rrggbb" (or of a QML color, through its text form).
function hexToRgb(color) {
    var s = String(color)
    if (s.length === 9)           // "#aarrggbb"
        s = "#" + s.substring(3)
    var n = parseInt(s.substring(1), 16)
    if (s.charAt(0) !== "#" || s.length !== 7 || isNaN(n))
        return [0, 0, 0]
    return [(n >> 16) & 255, (n >> 8) & 255, n & 255]
}

// Index sent to the mouse for a stage colour; a colour off the palette is 0.
function paletteIndex(color) {
    var i = palette.indexOf(String(color).toLowerCase())
    return i < 0 ? 0 : i
}

// The colour list sent for the stages: eight palette indices, then 16 zeros.
function stageColorIndices(colors) {
    var out = []
    for (var i = 0; i < 24; ++i)
        out.push(i < 8 && i < colors.length ? paletteIndex(colors[i]) : 0)
    return out
}

function isNumber(v) {
    return v !== undefined && v !== null && String(v).trim() !== "" && !isNaN(Number(v))
}

// Integer of a stored value, or fallback when the value is absent or not a number.
function intOr(v, fallback) {
    return isNumber(v) ? Math.floor(Number(v)) : fallback
}

// Colours of a stored list of R, G, B triples; a triple missing from the list
// keeps the colour in previous at that place.
function colorsFromList(list, previous) {
    var out = []
    for (var i = 0; i < previous.length; ++i) {
        var k = 3 * i
        if (list && k + 2 < list.length && isNumber(list[k]) && isNumber(list[k + 1]) && isNumber(list[k + 2]))
            out.push(rgbToHex(Number(list[k]), Number(list[k + 1]), Number(list[k + 2])))
        else
            out.push(previous[i])
    }
    return out
}

// The stored form of colours: R, G, B of each in turn.
function colorsToList(colors) {
    var out = []
    for (var i = 0; i < colors.length; ++i)
        out = out.concat(hexToRgb(colors[i]))
    return out
}

// Stage values of a stored list; a value missing from the list keeps the previous one.
function valuesFromList(list, previous) {
    var out = []
    for (var i = 0; i < previous.length; ++i)
        out.push(list && i < list.length ? intOr(list[i], previous[i]) : previous[i])
    return out
}

// Interval code of a report-rate entry, or 0 for an entry that does not exist.
function rateCode(index) {
    return index >= 0 && index < rateCodes.length ? rateCodes[index] : 0
}
