.pragma library
// Pure logic of the system page: slider positions, steps and the scroll choice.

var SLIDER_MIN = 3
var SLIDER_MAX = 337
var STEP_THRESHOLDS = [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338]
var MAX_LINES = 100
var ONE_SCREEN = 1000

// Step 0…10 of a slider position: the index of the first threshold greater than the
// position; beyond the last threshold the step is 0.
function sliderStep(position) {
    var p = Number(position)
    for (var i = 0; i < STEP_THRESHOLDS.length; ++i)
        if (STEP_THRESHOLDS[i] > p)
            return i
    return 0
}

// A stored slider position, kept on the track (unusable values: the left end).
function position(stored) {
    var n = parseInt(String(stored), 10)
    return isNaN(n) ? SLIDER_MIN : Math.max(SLIDER_MIN, Math.min(SLIDER_MAX, n))
}

// A stored scroll value → { oneScreen, lines }: above 100 means one screen.
function scrollChoice(stored) {
    var n = parseInt(String(stored), 10)
    if (isNaN(n) || n < 1)
        return { oneScreen: false, lines: "1" }
    if (n > MAX_LINES)
        return { oneScreen: true, lines: "1" }
    return { oneScreen: false, lines: String(n) }
}

// The scroll value stored and applied for a choice.
function scrollValue(oneScreen, linesText) {
    if (oneScreen)
        return ONE_SCREEN
    var n = parseInt(String(linesText), 10)
    return isNaN(n) || n < 1 ? 1 : Math.min(MAX_LINES, n)
}
