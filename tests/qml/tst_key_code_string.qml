import QtQuick
import QtTest
import "../../qml/basic"

TestCase {
    id: testCase
    name: "KeyCodeString"

    Component {
        id: tableComponent
        KeyCodeString {}
    }

    function makeTable() {
        var table = createTemporaryObject(tableComponent, testCase)
        verify(table !== null)
        return table
    }

    // The codes in table order, built from their ranges.
    function expectedCodes() {
        var codes = []
        for (var c = 0x04; c <= 0x73; ++c) codes.push(c)
        codes = codes.concat([0x85, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x90, 0x91])
        for (c = 0xE0; c <= 0xE7; ++c) codes.push(c)
        for (c = 0xF0; c <= 0xF4; ++c) codes.push(c)
        return codes
    }

    function test_sizesAndCodes() {
        var table = makeTable()
        compare(table.keyCode.length, 133)
        compare(table.keyCodeStr.length, 133)
        var codes = expectedCodes()
        for (var i = 0; i < codes.length; ++i)
            compare(table.keyCode[i], codes[i], "code at " + i)
    }

    function test_codeToName_data() {
        return [
            { tag: "Back", code: 0x2A, name: "Back" },
            { tag: "middle button", code: 0xF2, name: "MS-M" },
            { tag: "unnamed 0x74", code: 0x74, name: "" },
            { tag: "unnamed 0x00", code: 0x00, name: "" },
            { tag: "unnamed 0xE8", code: 0xE8, name: "" },
            { tag: "unnamed 0xFF", code: 0xFF, name: "" },
            { tag: "first letter", code: 0x04, name: "A" },
            { tag: "last button", code: 0xF4, name: "MS-B5" },
            { tag: "backslash 0x31", code: 0x31, name: "\u005C" },
            { tag: "backslash 0x32", code: 0x32, name: "\u005C" },
            { tag: "grave accent", code: 0x35, name: "\u0060" },
            { tag: "right arrow", code: 0x4F, name: "\u25BA" },
            { tag: "left arrow", code: 0x50, name: "\u25C4" },
            { tag: "down arrow", code: 0x51, name: "\u25BC" },
            { tag: "up arrow", code: 0x52, name: "\u25B2" },
            { tag: "Intl2 at 0x89", code: 0x89, name: "Intl2" },
            { tag: "Intl4", code: 0x8A, name: "Intl4" },
            { tag: "F24", code: 0x73, name: "F24" },
            { tag: "RWin", code: 0xE7, name: "RWin" },
            { tag: "code as settings text", code: "42", name: "Back" },
        ]
    }

    function test_codeToName(data) {
        compare(makeTable().keycodeTostr(data.code), data.name)
    }

    function test_nameToCode_data() {
        return [
            { tag: "backslash is 0x31", name: "\\", code: 0x31 },
            { tag: "Intl2 is 0x88", name: "Intl2", code: 0x88 },
            { tag: "lower case unknown", name: "a", code: 0 },
            { tag: "not trimmed", name: " A", code: 0 },
            { tag: "empty", name: "", code: 0 },
            { tag: "grave accent", name: "`", code: 0x35 },
            { tag: "KPEnter", name: "KPEnter", code: 0x58 },
            { tag: "MS-L", name: "MS-L", code: 0xF0 },
            { tag: "up arrow", name: "\u25B2", code: 0x52 },
        ]
    }

    function test_nameToCode(data) {
        compare(makeTable().strTokeycode(data.name), data.code)
    }

    function test_everyNameRoundTrips() {
        var table = makeTable()
        for (var i = 0; i < table.keyCode.length; ++i) {
            var code = table.keyCode[i]
            var back = table.strTokeycode(table.keycodeTostr(code))
            // Only the second of a doubled name maps back to the first.
            var expected = code === 0x32 ? 0x31 : (code === 0x89 ? 0x88 : code)
            compare(back, expected, "code " + code.toString(16))
        }
    }

    // Names from a language list replace the table's in code order; the built-in
    // names no longer convert; the table keeps its 133 codes whatever the list's length.
    function test_languageNames_data() {
        function seq(prefix, n) { var a = []; for (var i = 0; i < n; ++i) a.push(prefix + i); return a }
        return [
            { tag: "full list", names: seq("k", 133), toName: [[0x04, "k0"], [0xF4, "k132"]],
              toCode: [["k38", 0x2A], ["Back", 0], ["A", 0]] },
            { tag: "short list leaves the rest nameless", names: ["Aa", "Bb", "Cc"],
              toName: [[0x06, "Cc"], [0x07, ""], [0xF2, ""]], toCode: [["Cc", 0x06], ["D", 0], ["", 0]] },
            { tag: "absent group", names: [], toName: [], toCode: [["A", 0], ["", 0]] },
            { tag: "long list is cut", names: seq("n", 140), toName: [[0xF4, "n132"]],
              toCode: [["n133", 0], ["n132", 0xF4]] },
            { tag: "not a list", names: undefined, toName: [], toCode: [] }
        ]
    }

    function test_languageNames(data) {
        var table = makeTable()
        table.setLanguageNames(data.names)
        compare(table.keyCodeStr.length, 133)
        compare(table.keyCode.length, 133)
        compare(table.keyCode[132], 0xF4)
        for (var i = 0; i < data.toName.length; ++i)
            compare(table.keycodeTostr(data.toName[i][0]), data.toName[i][1], "code " + data.toName[i][0])
        for (i = 0; i < data.toCode.length; ++i)
            compare(table.strTokeycode(data.toCode[i][0]), data.toCode[i][1], "name " + data.toCode[i][0])
        if (data.names !== undefined && data.names.length === 0)
            for (i = 0; i < table.keyCode.length; ++i)
                compare(table.keycodeTostr(table.keyCode[i]), "")
    }
}
