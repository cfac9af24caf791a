.pragma library
// Key entries as the button pages edit them: the built-in texts, the entries each
// choice of the key dialog produces, the display text of an entry, and the
// profile list kept in the name list file.
//
// A key entry is four integers 0..255 [keyCode0, keyCode1, keyCode2, keyCode3];
// keyCode0 is the function type (TYPE_*). Key names come from the scene's
// key-name table, passed in as `keyNames` (keycodeTostr / strTokeycode).

var TYPE_MOUSE = 0;
var TYPE_FIRE = 1;
var TYPE_GROUP = 2;
var TYPE_MEDIA = 3;
var TYPE_MACRO = 4;
var TYPE_DPI = 5;
var TYPE_WINDOWS = 6;
var TYPE_SHORTCUT = 7;
var TYPE_GUN = 8;

var BUTTON_COUNT = 16;
var LEFT_CLICK = 0xF0;
var MODIFIER_FIRST = 0xE0;          // L Ctrl; the eight modifiers are 0xE0..0xE7, bits 0..7
var MODIFIER_COUNT = 8;
var GROUP_KEY_COUNT = 2;            // keys besides the modifiers in one combination
var FIRE_RATE_DEFAULT = 10;         // ms
var FIRE_RATE_MIN = 10;
var FIRE_RATE_MAX = 255;
var FIRE_TIMES_MAX = 255;           // 0 = endless
var MACRO_MODES = 3;                // 0 once, 1 until any button, 2 while held
var MACRO_SLOTS = 12;               // device macro slots 0..11

var PROFILE_ROWS_MAX = 6;
var PROFILE_NAME_TRIES = 12;        // "profile_0" .. "profile_11"
var PROFILE_NAME_PREFIX = "profile_";
var NAME_LIST_DUMMY = "loaderquorin";
var NAME_LIST_PROFILES = 2;

var GUN_SLOTS = 3;
var GUN_PERIOD_DEFAULT = 10;        // the built-in gun list's period

// Built-in texts, replaced by the language file's groups keyMatrix, keyAssigment, profile.
var LIST_LABELS = ["Key ", "Key Function"];

var DIALOG_LABELS = [
    "Key ", "Mouse Function", "Left Key", "Middle Key", "Right Key", "Forward Key", "Back Key",
    "Double Fire", "Fire Function", "Key Value", "Click Input", "Rate", "Times", "Endness",
    "Group Function", "Media Function", "Macro Function", "Macro Editor",
    "Macro runs one-time after pressing the button",
    "Macro runs endless loop until any button is pressed",
    "Macro runs endless loop until button is released",
    "DPI Function", "DPI+", "DPI-", "DPI LOOP", "Windows Function", "Shortcut Function",
    "Player", "Next", "Privous", "Stop", "Mute", "Play/Pause", "Volumn+", "Volumn-",
    "My PC", "Index", "Search", "Max", "Min", "Desktop", "Run",
    "New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo", "Select All",
    "Gun Function", "One Gun", "Two Gun", "Three Gun", "Sniper Key", "", "", ""
];

var PROFILE_LABELS = ["config", "New", "Import", "Delete", "Export", "Standard"];
var PROFILE_LABEL_STANDARD = 5;

// Label indices of the dialog's section titles and captions.
var LABEL = {
    key: 0, mouse: 1, fire: 8, keyValue: 9, clickInput: 10, rate: 11, times: 12, endless: 13,
    group: 14, media: 15, macro: 16, macroEditor: 17, macroModeFirst: 18, dpi: 21,
    windows: 25, shortcut: 26, gun: 52
};

// Rows of the button page until the first load, in button order.
var INITIAL_ROWS = [
    [0, 0, 0xF0, 0], [0, 0, 0xF1, 0], [0, 0, 0xF2, 0], [0, 0, 0xF4, 0], [0, 0, 0xF3, 0],
    [5, 0, 1, 0], [5, 0, 2, 0], [0, 0xF0, 0x1E, 0x02],
    [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0],
    [0xFF, 0, 1, 0], [0xFF, 0, 2, 0]
];

// The fixed choices of the key dialog: label index and the entry it sets.
var MOUSE_CHOICES = [
    { label: 2, entry: [0x00, 0x00, 0xF0, 0x00] },
    { label: 3, entry: [0x00, 0x00, 0xF2, 0x00] },
    { label: 4, entry: [0x00, 0x00, 0xF1, 0x00] },
    { label: 5, entry: [0x00, 0x00, 0xF4, 0x00] },
    { label: 6, entry: [0x00, 0x00, 0xF3, 0x00] },
    { label: 7, entry: [0x00, 0xF0, 0x1E, 0x02] }
];
var MEDIA_CHOICES = [
    { label: 27, entry: [0x03, 0x00, 0x83, 0x01] },
    { label: 28, entry: [0x03, 0x00, 0xB5, 0x00] },
    { label: 29, entry: [0x03, 0x00, 0xB6, 0x00] },
    { label: 30, entry: [0x03, 0x00, 0xB7, 0x00] },
    { label: 31, entry: [0x03, 0x00, 0xE2, 0x00] },
    { label: 32, entry: [0x03, 0x00, 0xCD, 0x00] },
    { label: 33, entry: [0x03, 0x00, 0xE9, 0x00] },
    { label: 34, entry: [0x03, 0x00, 0xEA, 0x00] }
];
var DPI_CHOICES = [
    { label: 22, entry: [0x05, 0x00, 0x01, 0x00] },
    { label: 23, entry: [0x05, 0x00, 0x02, 0x00] },
    { label: 24, entry: [0x05, 0x00, 0x03, 0x00] },
    { label: 56, entry: [0x05, 0x00, 0x04, 0x00] }
];
var WINDOWS_CHOICES = [
    { label: 35, entry: [0x06, 0x00, 0x94, 0x01] },
    { label: 36, entry: [0x06, 0x00, 0x23, 0x02] },
    { label: 37, entry: [0x06, 0x00, 0x21, 0x02] },
    { label: 38, entry: [0x06, 0x04, 0x2C, 0x1B] },
    { label: 39, entry: [0x06, 0x04, 0x2C, 0x11] },
    { label: 40, entry: [0x06, 0x00, 0xE3, 0x07] },
    { label: 41, entry: [0x06, 0x00, 0xE3, 0x15] }
];
var SHORTCUT_CHOICES = [
    { label: 42, entry: [0x07, 0x00, 0xE0, 0x11] },
    { label: 43, entry: [0x07, 0x00, 0xE0, 0x1B] },
    { label: 44, entry: [0x07, 0x00, 0xE0, 0x06] },
    { label: 45, entry: [0x07, 0x00, 0xE0, 0x19] },
    { label: 46, entry: [0x07, 0x00, 0xE0, 0x16] },
    { label: 47, entry: [0x07, 0x00, 0xE0, 0x13] },
    { label: 48, entry: [0x07, 0x00, 0xE0, 0x09] },
    { label: 49, entry: [0x07, 0x00, 0xE0, 0x1C] },
    { label: 50, entry: [0x07, 0x00, 0xE0, 0x1D] },
    { label: 51, entry: [0x07, 0x00, 0xE0, 0x04] }
];
var GUN_CHOICES = [
    { label: 53, entry: [0x08, 0x00, 0x01, 0x00] },
    { label: 54, entry: [0x08, 0x00, 0x02, 0x00] },
    { label: 55, entry: [0x08, 0x00, 0x03, 0x00] }
];

// Mouse labels by keyCode2 of a type 0 entry; any other value is the double fire.
var MOUSE_LABEL_BY_CODE = { 0xF0: 2, 0xF2: 3, 0xF1: 4, 0xF4: 5, 0xF3: 6 };
var DOUBLE_FIRE_LABEL = 7;
var LABELLED_BY_TABLE = { 3: MEDIA_CHOICES, 6: WINDOWS_CHOICES, 7: SHORTCUT_CHOICES };

function byte(v) {
    var n = Math.floor(Number(v));
    return isNaN(n) ? 0 : (n & 0xFF);
}

function label(labels, index) {
    var t = labels && index < labels.length ? labels[index] : undefined;
    return (t === undefined || t === null) ? "" : String(t);
}

function keyName(keyNames, code) {
    return keyNames ? String(keyNames.keycodeTostr(code)) : "";
}

// A stored entry (four numbers or texts holding numbers) as four bytes; null when it
// does not hold four numbers (an absent key reads as an empty list).
function toEntry(list) {
    if (!list || list.length === undefined || list.length < 4)
        return null;
    var out = [];
    for (var i = 0; i < 4; ++i) {
        var n = Number(list[i]);
        if (list[i] === "" || isNaN(n))
            return null;
        out.push(byte(n));
    }
    return out;
}

function sameEntry(a, b) {
    for (var i = 0; i < 4; ++i) {
        if (byte(a[i]) !== byte(b[i]))
            return false;
    }
    return true;
}

function isLeftClick(entry) {
    return byte(entry[0]) === TYPE_MOUSE && byte(entry[2]) === LEFT_CLICK;
}

// Modifier bit of a key usage (L Ctrl 0x01 ... R Win 0x80), 0 for other keys.
function modifierBit(usage) {
    var u = byte(usage);
    return (u >= MODIFIER_FIRST && u < MODIFIER_FIRST + MODIFIER_COUNT) ? (1 << (u - MODIFIER_FIRST)) : 0;
}

// Names of a combination: the set modifier bits in bit order, then the keys that are not 0.
function groupNames(bits, key1, key2, keyNames) {
    var names = [];
    for (var b = 0; b < MODIFIER_COUNT; ++b) {
        if (byte(bits) & (1 << b))
            names.push(keyName(keyNames, MODIFIER_FIRST + b));
    }
    if (byte(key1) !== 0)
        names.push(keyName(keyNames, key1));
    if (byte(key2) !== 0)
        names.push(keyName(keyNames, key2));
    return names;
}

function choiceLabel(choices, c2, c3, labels) {
    for (var i = 0; i < choices.length; ++i) {
        if (choices[i].entry[2] === c2 && choices[i].entry[3] === c3)
            return label(labels, choices[i].label);
    }
    return "";
}

// The text the pages show for an entry. macroNameOf(slot) gives the macro name stored
// for a macro slot in the current profile.
function displayText(entry, labels, keyNames, macroNameOf) {
    var t = byte(entry[0]), c1 = byte(entry[1]), c2 = byte(entry[2]), c3 = byte(entry[3]);
    switch (t) {
    case TYPE_MOUSE:
        return label(labels, MOUSE_LABEL_BY_CODE[c2] !== undefined ? MOUSE_LABEL_BY_CODE[c2] : DOUBLE_FIRE_LABEL);
    case TYPE_FIRE:
        return keyName(keyNames, c1);
    case TYPE_GROUP:
        return groupNames(c1, c2, c3, keyNames).join("+");
    case TYPE_MEDIA:
    case TYPE_WINDOWS:
    case TYPE_SHORTCUT:
        return choiceLabel(LABELLED_BY_TABLE[t], c2, c3, labels);
    case TYPE_MACRO:
        return macroNameOf ? String(macroNameOf(c2)) : "";
    case TYPE_DPI:
        return (c2 >= 1 && c2 <= DPI_CHOICES.length) ? label(labels, DPI_CHOICES[c2 - 1].label) : "";
    case TYPE_GUN:
        return (c2 >= 1 && c2 <= GUN_CHOICES.length) ? label(labels, GUN_CHOICES[c2 - 1].label) : "";
    default:
        return "";
    }
}

// The stored macro name of a slot in the current profile ("" when none).
function macroNameReader(view) {
    return function (slot) {
        var v = view.getData("mouseMacroKey/" + slot, false);
        return (v === undefined || v === null || typeof v === "object") ? "" : String(v);
    };
}

// True when row `index` is the only row (of the first `count`) assigned the left click:
// the list then opens no dialog for it, so the left click cannot be taken away.
function isLastLeftClick(entries, index, count) {
    if (!isLeftClick(entries[index]))
        return false;
    for (var i = 0; i < count && i < entries.length; ++i) {
        if (i !== index && isLeftClick(entries[i]))
            return false;
    }
    return true;
}

function flatten(entries) {
    var out = [];
    for (var i = 0; i < entries.length; ++i) {
        for (var k = 0; k < 4; ++k)
            out.push(byte(entries[i][k]));
    }
    return out;
}

// Firing periods of the guns in the three gun slots, read from the installation: the
// slots' gun positions under mouse/selectGun, each gun's period from its record.
function gunPeriodsFromSettings(view) {
    var slots = view.getGlobalData("mouse/selectGun");
    if (!slots || typeof slots !== "object")
        slots = [];
    var out = [];
    for (var s = 0; s < GUN_SLOTS; ++s) {
        var pos = s < slots.length ? Number(slots[s]) : s;
        var record = view.getGunData(isNaN(pos) ? s : pos);
        var period = (record && record.length > 2) ? Number(record[2]) : NaN;
        out.push(isNaN(period) ? GUN_PERIOD_DEFAULT : byte(period));
    }
    return out;
}

// Three periods from a list of at least three numbers, else null.
function periodList(list) {
    if (!list || list.length === undefined || list.length < GUN_SLOTS)
        return null;
    var out = [];
    for (var s = 0; s < GUN_SLOTS; ++s) {
        var n = Number(list[s]);
        if (isNaN(n))
            return null;
        out.push(byte(n));
    }
    return out;
}

// ---- the profile list: rows {name, number} in creation order ----

// The list as read from the name list file -> rows. Each text is the name followed by
// one digit 0..5; texts without that digit are skipped, and so is a second row with a
// number already taken (each profile file belongs to one row).
function parseProfiles(list) {
    var texts = [];
    if (list && list.length !== undefined) {
        for (var i = 0; i < list.length; ++i)
            texts.push(String(list[i]));
    }
    if (texts.length === 2 && texts[1] === NAME_LIST_DUMMY)
        texts.pop();
    var rows = [];
    for (var j = 0; j < texts.length && rows.length < PROFILE_ROWS_MAX; ++j) {
        var s = texts[j];
        var digit = s.charCodeAt(s.length - 1) - 48;
        if (s.length < 1 || !(digit >= 0 && digit < PROFILE_ROWS_MAX) || rowOfNumber(rows, digit) >= 0)
            continue;
        rows.push({ name: s.substring(0, s.length - 1), number: digit });
    }
    return rows;
}

function profileTexts(rows) {
    var out = [];
    for (var i = 0; i < rows.length; ++i)
        out.push(rows[i].name + String(rows[i].number));
    return out;
}

function rowOfNumber(rows, number) {
    for (var i = 0; i < rows.length; ++i) {
        if (rows[i].number === number)
            return i;
    }
    return -1;
}

function rowOfName(rows, name) {
    for (var i = 0; i < rows.length; ++i) {
        if (rows[i].name === name)
            return i;
    }
    return -1;
}

// The row New or Import adds: the first free "profile_<i>" and the smallest free
// number; null when the list is full.
function newProfileRow(rows) {
    if (rows.length >= PROFILE_ROWS_MAX)
        return null;
    var name = "";
    for (var i = 0; i < PROFILE_NAME_TRIES; ++i) {
        if (rowOfName(rows, PROFILE_NAME_PREFIX + i) < 0) {
            name = PROFILE_NAME_PREFIX + i;
            break;
        }
    }
    var number = 0;
    while (rowOfNumber(rows, number) >= 0)
        ++number;
    return { name: name, number: number };
}

// Row 0 and the row of the active profile are never deleted.
function canDeleteProfile(rows, index, activeNumber) {
    return index > 0 && index < rows.length && rows[index].number !== activeNumber;
}

// A new name is taken when it is not empty and no row already carries it.
function canRenameProfile(rows, index, name) {
    return index >= 0 && index < rows.length && String(name) !== "" && rowOfName(rows, String(name)) < 0;
}

function copyRows(rows) {
    var out = [];
    for (var i = 0; i < rows.length; ++i)
        out.push({ name: rows[i].name, number: rows[i].number });
    return out;
}
