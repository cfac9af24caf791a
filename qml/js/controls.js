.pragma library
// Pure logic of the common controls: slider knob geometry and integer field input.

// Knob travel of a slider: the knob's x runs from a quarter knob width in from the
// left end to the same distance before the right end.
function knobMin(knobWidth) {
    return Math.floor(knobWidth / 4)
}
function knobMax(width, knobWidth) {
    return Math.max(knobMin(knobWidth), width - knobWidth - Math.floor(knobWidth / 4))
}
function clampKnob(x, width, knobWidth) {
    return Math.max(knobMin(knobWidth), Math.min(knobMax(width, knobWidth), x))
}

// Knob x of step i out of segment equal steps.
function stepX(i, segment, width, knobWidth) {
    var lo = knobMin(knobWidth)
    var range = knobMax(width, knobWidth) - lo
    var steps = Math.max(1, segment)
    return clampKnob(lo + Math.round(Math.max(0, Math.min(steps, i)) * range / steps), width, knobWidth)
}

// Step a knob at x snaps to: the nearest step at or above it.
function stepAtOrAbove(x, segment, width, knobWidth) {
    var lo = knobMin(knobWidth)
    var range = knobMax(width, knobWidth) - lo
    var steps = Math.max(1, segment)
    if (range <= 0)
        return 0
    var k = Math.ceil((clampKnob(x, width, knobWidth) - lo) * steps / range - 1e-9)
    return Math.max(0, Math.min(steps, k))
}

// Knob x for a ratio 0..1 of the travel.
function ratioX(ratio, width, knobWidth) {
    var lo = knobMin(knobWidth)
    var range = knobMax(width, knobWidth) - lo
    return clampKnob(Math.floor(range * ratio) + lo + 1, width, knobWidth)
}

// Whether text may stand in an integer field while it is being edited: at most
// four digits and not above maxValue (a value below minValue may still be a prefix).
function acceptsInput(text, maxValue) {
    if (text === "")
        return true
    if (!/^[0-9]{1,4}$/.test(text))
        return false
    return Number(text) <= maxValue
}

// The text an integer field keeps when editing ends: an empty text or a value
// below 1 becomes "0"; the result is kept inside [minValue, maxValue].
function finalInput(text, minValue, maxValue) {
    var n = /^[0-9]+$/.test(text) ? Number(text) : 0
    if (n < 1)
        n = 0
    return String(Math.max(minValue, Math.min(maxValue, n)))
}

// Slide time of a drop-down list of count rows.
function slideDuration(count) {
    return Math.max(0, 180 - 10 * count)
}
