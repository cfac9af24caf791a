.pragma library
// Pure logic of the lighting page: modes and what each does to the speed and
// brightness sliders, the colour blocks, and the hue bar.

// Captions before a language list is loaded: 0 title, 1-4 and 9-14 modes,
// 5 speed, 6 colour, 7 brightness, 8 twinkling.
var defaultTexts = ["Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color", "Brightness", "Twinkling",
                    "Wave", "Gliding", "Finger Moving", "Vertical Flipping", "YO-YO", "Spotlight"]
var baseModeTexts = [1, 2, 3, 4]             // Static, Breath, Neon, OFF
var colorfulModeTexts = [9, 10, 11, 12, 13, 14] // Wave ... Spotlight

var defaultColors = ["#ff0000", "#00ff00", "#0000ff", "#ff00ff", "#00ffff", "#ff7f00", "#6000ff", "#ffffff"]
var stepLabels = ["0%", "25%", "50%", "75%", "100%"]
var stepCount = 5
var shownBlockLimit = 7

var keep = -1  // a slider step left as it is

// Speed and brightness sliders for each mode: shown or hidden, and the step the
// slider is set to when the mode is chosen (keep: left as it is).
var sliderTable = [
    { speedShown: false, speedStep: keep, brightShown: true,  brightStep: 4 },    // 0 Static
    { speedShown: true,  speedStep: 0,    brightShown: false, brightStep: keep }, // 1 Breath
    { speedShown: true,  speedStep: 0,    brightShown: false, brightStep: keep }, // 2 Neon
    { speedShown: false, speedStep: keep, brightShown: false, brightStep: 0 },    // 3 OFF
    { speedShown: true,  speedStep: 0,    brightShown: true,  brightStep: 4 },    // 4 Wave
    { speedShown: false, speedStep: 0,    brightShown: false, brightStep: 4 },    // 5 Gliding
    { speedShown: false, speedStep: keep, brightShown: true,  brightStep: 4 },    // 6 Finger Moving
    { speedShown: true,  speedStep: 0,    brightShown: true,  brightStep: 4 },    // 7 Vertical Flipping
    { speedShown: true,  speedStep: 0,    brightShown: true,  brightStep: 4 },    // 8 YO-YO
    { speedShown: true,  speedStep: 0,    brightShown: true,  brightStep: 4 }     // 9 Spotlight
]
var noSliders = { speedShown: false, speedStep: keep, brightShown: false, brightStep: keep }

function sliders(mode) {
    return mode >= 0 && mode < sliderTable.length ? sliderTable[mode] : noSliders
}

// Mode captions of a text list for a base or full-colour mouse.
function modeNames(texts, isColorful) {
    var idx = isColorful ? baseModeTexts.concat(colorfulModeTexts) : baseModeTexts
    return idx.map(function (i) { return i < texts.length ? String(texts[i]) : "" })
}

// The colour area can be edited in Static, Breath and Spotlight only.
function colorAreaActive(mode) {
    return mode === 0 || mode === 1 || mode === 9
}

// Whether colour block k (1-based) is shown.
function blockShown(k, isColorful, dpiCount) {
    return k >= 1 && k <= shownBlockLimit && (isColorful || k <= dpiCount)
}

// Colour [r, g, b] at position p of a hue bar of the given width: six equal parts
// red-yellow-green-cyan-blue-magenta-red; past the parts white at the right end, red at the left.
function hueColor(p, width) {
    var part = width / 6
    var j = Math.floor(p / part)
    if (j < 0 || j > 5)
        return p > width - 3 ? [255, 255, 255] : [255, 0, 0]
    var f = Math.floor(255 * (p - j * part) / part)
    switch (j) {
    case 0: return [255, f, 0]
    case 1: return [255 - f, 255, 0]
    case 2: return [0, 255, f]
    case 3: return [0, 255 - f, 255]
    case 4: return [f, 0, 255]
    default: return [255, 0, 255 - f]
    }
}

// Position on the hue bar closest to the hue of [r, g, b]; colours without a hue
// (white and greys) sit at the white right end.
function huePosition(rgb, width) {
    var r = rgb[0], g = rgb[1], b = rgb[2]
    var max = Math.max(r, g, b), min = Math.min(r, g, b)
    if (max === min)
        return max === 0 ? 0 : width
    var d = max - min, h
    if (max === r)
        h = ((g - b) / d + 6) % 6
    else if (max === g)
        h = (b - r) / d + 2
    else
        h = (r - g) / d + 4
    return h * width / 6
}
