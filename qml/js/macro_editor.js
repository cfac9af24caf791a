.pragma library
.import "macro_codec.js" as Codec

// The macro editor's decisions, apart from its pictures: names, the actions added
// by recording and by the insert commands, and what a rename or a delete selects.
//
// Actions are plain arrays of {type, info} (see macro_codec.js). A change to the
// action list is described as an edit {at, remove, insert, select}: remove `remove`
// actions at `at`, put the `insert` actions there, then select row `select`
// (-1: keep the selection). Functions return null when nothing may change.

var MAX_MACROS = 100;
var NAME_PREFIX = "Macro_";
var DUMMY_NAME = "loaderquorin";   // second element of a stored one-name list
var RECORD_LIMIT = 126;            // no action is added once the encoded list is this long
var BLOCK_SIZE = 128;              // the device block: no edit may encode longer
var TICK_MS = 10;
var INSERTED_DELAY_MS = 50;
var MAX_DELAY_MS = 65535;
var MAX_TIMES = 65535;
var FIRST_MOUSE_CODE = 0xF0;
var LEFT_BUTTON = 0xF0;
var RIGHT_BUTTON = 0xF1;
var MIDDLE_BUTTON = 0xF2;

// "Macro_<n>" with the smallest n in 0..99 that no name equals; "" when the list
// is full or every such name is taken.
function nextMacroName(names) {
    if (names.length >= MAX_MACROS)
        return "";
    for (var n = 0; n < MAX_MACROS; ++n) {
        var candidate = NAME_PREFIX + n;
        if (names.indexOf(candidate) < 0)
            return candidate;
    }
    return "";
}

// The stored macro name list as shown: texts, without the dummy of a one-name list.
function namesFromStored(stored) {
    var names = [];
    for (var i = 0; stored && i < stored.length; ++i)
        names.push(String(stored[i]));
    if (names.length === 2 && names[1] === DUMMY_NAME)
        names.pop();
    return names;
}

// loadMacroIni's list -> {actions, times}: every element but the last is an action
// string, the last one the repeat count. A missing file gives no actions and "1".
function fromLoaded(loaded) {
    var actions = [];
    if (!loaded || loaded.length < 1)
        return { actions: actions, times: "1" };
    for (var i = 0; i < loaded.length - 1; ++i)
        actions.push(Codec.parseAction(loaded[i]));
    return { actions: actions, times: String(loaded[loaded.length - 1]) };
}

function actionStrings(actions) {
    var out = [];
    for (var i = 0; i < actions.length; ++i)
        out.push(Codec.actionString(actions[i]));
    return out;
}

// What a row of the action list shows.
function displayText(action) {
    return action.type === Codec.TYPE_DELAY ? action.info + " ms" : action.info;
}

// The Times field's text when it loses focus: empty or below 1 becomes "0".
function timesText(text) {
    var n = parseInt(text, 10);
    if (isNaN(n) || n < 1)
        return "0";
    return String(Math.min(n, MAX_TIMES));
}

// Recording and the insert commands stop once the encoded list reaches the limit.
function isFull(actions) {
    return Codec.recordCount(actions) >= RECORD_LIMIT;
}

function applyEdit(actions, edit) {
    var out = actions.slice(0);
    var args = [edit.at, edit.remove].concat(edit.insert);
    Array.prototype.splice.apply(out, args);
    return out;
}

// The edit, or null when its result would not fit the device block (a long delay
// formed by the edit costs four bytes more than the row itself).
function fitting(actions, edit) {
    return Codec.recordCount(applyEdit(actions, edit)) <= BLOCK_SIZE ? edit : null;
}

function keyAction(isDown, code, name) {
    var mouse = code >= FIRST_MOUSE_CODE;
    var type = isDown ? (mouse ? Codec.TYPE_MOUSE_PRESS : Codec.TYPE_KEY_PRESS)
                      : (mouse ? Codec.TYPE_MOUSE_RELEASE : Codec.TYPE_KEY_RELEASE);
    return { type: type, info: name };
}

function delayAction(ms) {
    return { type: Codec.TYPE_DELAY, info: String(ms) };
}

// Ticks of 10 ms between two clock readings in milliseconds (never negative).
function ticksBetween(startMs, nowMs) {
    return Math.max(0, Math.floor((nowMs - startMs) / TICK_MS));
}

// One key event while recording, `ticks` after the previous one: the key action,
// preceded by the pause when `withDelay` and the list is not empty.
function recordEdit(actions, isDown, code, name, withDelay, ticks) {
    if (isFull(actions))
        return null;
    var insert = [];
    if (actions.length > 0 && withDelay)
        insert.push(delayAction(ticks * TICK_MS));
    insert.push(keyAction(isDown, code, name));
    return fitting(actions, { at: actions.length, remove: 0, insert: insert, select: -1 });
}

// "Insert Delay": 50 ms before the selected action (at the end without a selection).
function insertDelayEdit(actions, selected) {
    if (isFull(actions))
        return null;
    var at = (selected >= 0 && selected < actions.length) ? selected : actions.length;
    return fitting(actions, { at: at, remove: 0, insert: [delayAction(INSERTED_DELAY_MS)], select: at });
}

function pair(pressType, name) {
    return [{ type: pressType, info: name }, { type: pressType + 1, info: name }];
}

// "Insert Left/Middle/Right Key": press and release directly after the selected
// action, or at the end when it is the last one (or none is selected).
function insertButtonEdit(actions, selected, name) {
    if (isFull(actions))
        return null;
    var at = (selected >= 0 && selected < actions.length - 1) ? selected + 1 : actions.length;
    return fitting(actions, { at: at, remove: 0, insert: pair(Codec.TYPE_MOUSE_PRESS, name), select: -1 });
}

// "Insert Key" confirmed: press and release before the selected action, or at the
// end when it is the last one (or none is selected).
function insertKeyEdit(actions, selected, name) {
    if (isFull(actions))
        return null;
    var at = (selected >= 0 && selected < actions.length - 1) ? selected : actions.length;
    return fitting(actions, { at: at, remove: 0, insert: pair(Codec.TYPE_KEY_PRESS, name), select: -1 });
}

function deleteEdit(actions, selected) {
    if (selected < 0 || selected >= actions.length)
        return null;
    return { at: selected, remove: 1, insert: [], select: -1 };
}

// A delay's text after editing: a number 0..65535 replaces it; anything else, or a
// value that would make the macro too long for the device, keeps the old one.
function delayEdit(actions, row, text) {
    var s = String(text).trim();
    if (row < 0 || row >= actions.length || actions[row].type !== Codec.TYPE_DELAY || !/^[0-9]+$/.test(s))
        return null;
    var ms = parseInt(s, 10);
    if (ms > MAX_DELAY_MS)
        return null;
    return fitting(actions, { at: row, remove: 1, insert: [delayAction(ms)], select: -1 });
}

// A rename is taken when the new text names no macro of the list (so an unchanged
// name does nothing). The text is not otherwise checked.
function renameAccepted(names, newName) {
    return names.indexOf(newName) < 0;
}

// The row selected after deleting row `index` of `count` rows: the one moving into
// its place, else the new last row, else none.
function selectionAfterDelete(count, index) {
    return Math.min(index, count - 2);
}

// Where an imported macro goes: before the selected one, at the end without a selection.
function importPosition(names, selected) {
    return (selected >= 0 && selected < names.length) ? selected : names.length;
}
