import QtQuick
import QtTest
import "../../qml/basic"

TestCase {
    id: testCase
    name: "KeyCodeString"

    Component { id: tableComponent; KeyCodeString {} }
    KeyCodeString { id: table }

    // Gaps and ends of the code ranges, the doubled names, the arrows; a code as settings text.
    function test_codeToName() {
        var pairs = [[0x04, "A"], [0x2A, "Back"], ["42", "Back"], [0x73, "F24"], [0x74, ""], [0x00, ""],
                     [0x31, "\\"], [0x32, "\\"], [0x35, "`"], [0x4F, "\u25BA"], [0x50, "\u25C4"], [0x51, "\u25BC"],
                     [0x52, "\u25B2"], [0x89, "Intl2"], [0x8A, "Intl4"], [0xE7, "RWin"], [0xE8, ""], [0xF2, "MS-M"],
                     [0xF4, "MS-B5"]]
        pairs.forEach(function (p) { compare(table.keycodeTostr(p[0]), p[1], "code " + p[0]) })
        // Names are matched exactly; an unknown one is 0.
        compare(["a", " A", ""].map(function (n) { return table.strTokeycode(n) }), [0, 0, 0])
    }

    // Every name converts back to its code (a doubled name to its first code).
    function test_everyNameRoundTrips() {
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
        const seq = (prefix, n) => Array.from({ length: n }, (_, i) => prefix + i)
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
        var table = createTemporaryObject(tableComponent, testCase)
        table.setLanguageNames(data.names)
        compare(table.keyCodeStr.length, 133)
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
