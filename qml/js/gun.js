.pragma library
// Pure logic of the gun editor: the target's dot, the rate slider and the records.

var DOT_TRAVEL = 94      // pixels the dot moves from its top stop to its bottom stop
var MAX_Y = 64           // largest vertical pull-down
var MIN_PERIOD = 5       // rate slider: period at the left end ...
var PERIOD_SPAN = 86     // ... and the periods its travel covers
var GUN_COUNT = 6
var SLOT_COUNT = 3
// What a profile reset gives the slots: guns 0, 1, 2 with these pull-downs and period.
var RESET_Y = [5, 7, 8]
var RESET_PERIOD = 9

function clamp(v, lo, hi) { return Math.max(lo, Math.min(hi, v)) }

// Offset of the dot below its top stop for a pull-down y.
function dotOffset(y) {
    var n = Number(y)
    return isNaN(n) ? 0 : DOT_TRAVEL * clamp(n, 0, MAX_Y) / MAX_Y
}

// Pull-down for a dot offset: the integer part of offset / 94 × 64, within 0…64.
function yFromOffset(offset) {
    return clamp(Math.floor(Number(offset) / DOT_TRAVEL * MAX_Y), 0, MAX_Y)
}

// Where the rate slider stands for a period, as a fraction of its travel.
function rateRatio(period) {
    var n = Number(period)
    return isNaN(n) ? 0 : clamp((n - MIN_PERIOD) / PERIOD_SPAN, 0, 1)
}

// The rate slider's text for a knob position in pixels.
function rateText(knobX) { return String(Number(knobX) + 1) + "MS" }

// The number in front of "MS".
function periodFromText(text) {
    var n = parseInt(String(text), 10)
    return isNaN(n) ? "" : String(n)
}

// A stored record (name, key, period, X, Y, Times) as a row; missing places are empty.
function rowFromRecord(record) {
    var r = record || []
    function at(i) { return i < r.length && r[i] !== undefined && r[i] !== null ? String(r[i]) : "" }
    return { name: at(0), key: at(1), period: at(2), x: at(3), y: at(4), times: at(5) }
}
function recordFromRow(row) { return [row.name, row.key, row.period, row.x, row.y, row.times] }

// A text as an integer for the device (empty or non-numeric text counts as 0).
function toInt(text) {
    var n = parseInt(String(text), 10)
    return isNaN(n) ? 0 : n
}

// What a slot upload sends for a gun: [Times, X, Y].
function uploadValues(row) { return [toInt(row.times), toInt(row.x), toInt(row.y)] }

// The three slot guns stored under mouse/selectGun; a missing or unusable place keeps
// the slot's own position (slot 1 → gun 0 …).
function slotGuns(stored) {
    var list = Array.isArray(stored) ? stored : (stored === undefined || stored === null || stored === "" ? [] : [stored])
    var out = []
    for (var i = 0; i < SLOT_COUNT; ++i) {
        var n = i < list.length ? parseInt(String(list[i]), 10) : NaN
        out.push(isNaN(n) || n < 0 || n >= GUN_COUNT ? i : n)
    }
    return out
}

// The slot drop-down's captions: the word followed by the slot number.
function slotLabels(word) {
    var out = []
    for (var i = 1; i <= SLOT_COUNT; ++i)
        out.push({ textValue: String(word) + i })
    return out
}
