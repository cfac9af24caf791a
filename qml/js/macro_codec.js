.pragma library
// Macro actions and their encoding into the byte list the mouse stores per button.
//
// An action is {type, info}: type 0 delay (info = milliseconds), 1 key press,
// 2 key release, 3 mouse button press, 4 mouse button release (info = key name).
// Key names become codes through a lookup function the caller passes in (the scene
// passes KeyCodeString.strTokeycode), so this library holds no table of its own.
//
// Encoded list: repeat count (high, low), one pair (control, code) per action,
// a long delay as two more pairs, terminator 00 00. Control byte: bit 7 = release,
// bits 0..6 = delay to the next action in 10 ms units (1..126), or 0 when a long
// delay follows: (00, unit code) and (value high, value low).

var TYPE_DELAY = 0;
var TYPE_KEY_PRESS = 1;
var TYPE_KEY_RELEASE = 2;
var TYPE_MOUSE_PRESS = 3;
var TYPE_MOUSE_RELEASE = 4;
var TYPE_INVALID = -1;

var MS_PER_UNIT = 10;
var MAX_DIRECT_UNITS = 126;        // largest delay held in the control byte
var MIN_GAP_BITS = 1;              // a pair never carries delay 0 unless a long delay follows
var RELEASE_FLAG = 0x80;
var LAST_ACTION_BITS = 1;          // the last action carries 10 ms

// Long-delay units: below `below` 10 ms units the gap is counted in `divisor` units.
var LONG_UNITS = [
    { below: 100000, code: 1, divisor: 2 },    // 20 ms
    { below: 300000, code: 2, divisor: 5 },    // 50 ms
    { below: Infinity, code: 3, divisor: 10 }  // 100 ms
];
var MAX_LONG_VALUE = 0xFFFF;       // beyond it (gaps of 655360 units and up) the value is clamped

var MAX_REPEAT = 0xFFFF;

// "<type>,<info>" -> {type, info}: the type is the first character, info everything
// from the third character on. A first character that is not a digit 0..4 gives
// TYPE_INVALID (such an action is not encoded).
function parseAction(text) {
    var s = (text === undefined || text === null) ? "" : String(text);
    var c = s.charAt(0);
    var type = (c >= "0" && c <= "4" && c.length === 1) ? c.charCodeAt(0) - 48 : TYPE_INVALID;
    return { type: type, info: s.substring(2) };
}

// {type, info} -> "<type>,<info>"
function actionString(action) {
    return String(action.type) + "," + String(action.info);
}

function isDelay(action) { return action.type === TYPE_DELAY; }
function isRelease(type) { return type === TYPE_KEY_RELEASE || type === TYPE_MOUSE_RELEASE; }
function isKeyAction(action) { return action.type >= TYPE_KEY_PRESS && action.type <= TYPE_MOUSE_RELEASE; }

// Milliseconds of a delay action; anything but a non-negative number counts 0.
function delayMs(action) {
    var ms = parseInt(action.info, 10);
    return (isNaN(ms) || ms < 0) ? 0 : ms;
}

// Array or list model (count/get) -> array of {type:int, info:string}.
function toArray(actions) {
    var out = [];
    if (!actions)
        return out;
    var n = (actions.length !== undefined) ? actions.length : actions.count;
    for (var i = 0; i < n; ++i) {
        var a = (actions.length !== undefined) ? actions[i] : actions.get(i);
        if (!a)
            continue;
        var t = Number(a.type);
        out.push({ type: (isNaN(t) ? TYPE_INVALID : t), info: (a.info === undefined ? "" : String(a.info)) });
    }
    return out;
}

function clampRepeat(repeat) {
    var r = Math.floor(Number(repeat));
    if (isNaN(r) || r < 0)
        return 0;
    return Math.min(r, MAX_REPEAT);
}

function codeOf(name, lookup) {
    if (typeof lookup !== "function")
        return 0;
    var code = Number(lookup(name));
    if (isNaN(code) || code < 0 || code > 0xFF)
        return 0;
    return Math.floor(code);
}

// Encodes actions with repeat count `repeat`; lookup(name) gives a key code.
// Leading and trailing delays are dropped; the delays between two actions are summed
// in milliseconds and rounded down to whole 10 ms units.
function deCode(actions, repeat, lookup) {
    var list = toArray(actions);
    var r = clampRepeat(repeat);
    var out = [r >> 8, r & 0xFF];

    var previousType = TYPE_INVALID;
    var previousCode = 0;
    var haveAction = false;
    var gapMs = 0;
    for (var i = 0; i < list.length; ++i) {
        var a = list[i];
        if (isDelay(a)) {
            if (haveAction)
                gapMs += delayMs(a);
            continue;
        }
        if (!isKeyAction(a)) {
            console.log("macro_codec: action " + i + " has the unknown type " + a.type + "; not encoded");
            continue;
        }
        if (haveAction)
            closePair(out, previousType, previousCode, Math.floor(gapMs / MS_PER_UNIT));
        haveAction = true;
        previousType = a.type;
        previousCode = codeOf(a.info, lookup);
        gapMs = 0;
    }
    // Without any action the list is the repeat count alone; the zero-filled block
    // then begins with the terminator.
    if (!haveAction)
        return out;
    out.push((isRelease(previousType) ? RELEASE_FLAG : 0) | LAST_ACTION_BITS, previousCode);
    out.push(0, 0);
    return out;
}

// One action pair (control, code) followed by the long-delay pairs when the gap needs them.
function closePair(out, type, code, units) {
    var flag = isRelease(type) ? RELEASE_FLAG : 0;
    if (units <= MAX_DIRECT_UNITS) {
        out.push(flag | Math.max(units, MIN_GAP_BITS), code);
        return;
    }
    var unit = LONG_UNITS[LONG_UNITS.length - 1];
    for (var i = 0; i < LONG_UNITS.length; ++i) {
        if (units < LONG_UNITS[i].below) {
            unit = LONG_UNITS[i];
            break;
        }
    }
    var value = Math.min(Math.floor(units / unit.divisor), MAX_LONG_VALUE);
    out.push(flag, code);
    out.push(0, unit.code);
    out.push(value >> 8, value & 0xFF);
}

// Length of what deCode produces for these actions (the key names do not matter);
// the editor adds no action once it reaches 126.
function recordCount(actions) {
    return deCode(actions, 0, null).length;
}

// Loads the macro `macroName` through the view, encodes it and uploads it to the
// macro slot `index`. False when the macro has no file (nothing is sent).
function sendMacro(view, index, macroName, lookup) {
    var loaded = view.loadMacroIni(macroName);
    if (!loaded || loaded.length < 1) {
        console.log("macro_codec: no macro named " + macroName + "; nothing sent");
        return false;
    }
    var actions = [];
    for (var i = 0; i < loaded.length - 1; ++i)
        actions.push(parseAction(loaded[i]));
    var repeat = loaded[loaded.length - 1];
    view.mouseSendMacroData(deCode(actions, repeat, lookup), index);
    return true;
}
