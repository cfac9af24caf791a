import QtQuick
import QtTest
import "../../qml/common"
import "../../qml/J2"

// The shared controls and the mouse picture as the user drives them: pointer and keys.
TestCase {
    id: testCase
    name: "CommonControls"
    when: windowShown
    visible: true
    width: 1024
    height: 640

    Component { id: sliderComponent; SliderButton { width: 176; height: 16 } }
    Component { id: listComponent; DropDownList { width: 120; mdItems: [{ textValue: "125Hz" }, { textValue: "250Hz" }, { textValue: "500Hz" }, { textValue: "1000Hz" }] } }
    Component { id: inputComponent; RectInput { x: 10; y: 10 } }
    Component { id: spyComponent; SignalSpy {} }
    MousePicture { id: picture; keyCount: 8 }
    SignalSpy { id: clicked; target: picture; signalName: "buttonClicked" }

    function spy(target, signalName) {
        return createTemporaryObject(spyComponent, testCase, { target: target, signalName: signalName })
    }
    function firstArgs(spy) { return Array.from(spy.signalArguments, a => a[0]) }

    // Knob 12 px on a 176-px track: it runs from x 3 to 161; scaled steps are 15.8 px.
    // The knob is dragged until its x would be "to", or the track is clicked there.
    function test_slider_data() {
        return [
            { tag: "free drag reports the knob x", isScale: false, to: 40, moves: true, released: 40 },
            { tag: "scaled drag snaps up to the next step", isScale: true, to: 40, moves: false, released: 50 },
            { tag: "beyond the right end stops at 161", isScale: false, to: 400, moves: true, released: 161 },
            { tag: "beyond the left end stops at 3", isScale: false, to: -100, moves: false, released: 3 },
            { tag: "scaled track click snaps up", isScale: true, click: true, to: 94, moves: true, released: 98 }
        ]
    }
    function test_slider(data) {
        var slider = createTemporaryObject(sliderComponent, testCase, { isScale: data.isScale })
        var changes = spy(slider, "valueChange")
        var delayed = spy(slider, "valueChangeDelay")
        var start = slider.value + 6
        if (data.click) {
            mouseClick(slider, data.to + 6, 8)
            delayed.wait(2000)
        } else {
            mousePress(slider, start, 8)
            mouseMove(slider, start + (data.to - slider.value) / 2, 8)
            mouseMove(slider, start + data.to - 3, 8)
            mouseRelease(slider, start + data.to - 3, 8)
        }
        compare(firstArgs(changes).slice(-1), data.moves ? [data.released] : [], "last valueChange")
        compare(firstArgs(delayed), [data.released])
        compare(slider.value, data.released)
    }

    function test_slider_ratio_data() {
        return [ { tag: "0", ratio: 0, expected: 4 }, { tag: "0.5", ratio: 0.5, expected: 83 },
                 { tag: "1 stays on the track", ratio: 1, expected: 161 } ]
    }
    function test_slider_ratio(data) {
        var slider = createTemporaryObject(sliderComponent, testCase)
        var changes = spy(slider, "valueChange")
        slider.setRatioValue(data.ratio)
        compare(slider.value, data.expected)
        compare(firstArgs(changes), [data.expected])
    }

    function test_list_reports_after_closing() {
        var list = createTemporaryObject(listComponent, testCase, { x: 10, y: 10 })
        var changes = spy(list, "valueChange")
        var seenWhileSliding = false
        list.valueChange.connect(function() { seenWhileSliding = list.sliding || list.isDrop })
        mouseClick(list, 20, 12)
        verify(list.isDrop)
        tryCompare(list, "sliding", false)
        mouseClick(list, 20, 24 + 24 + 12)
        compare(list.textValue, "250Hz")
        compare(changes.count, 0)
        verify(list.sliding)
        mouseClick(list, 20, 12)   // a click while it slides does not reopen it
        changes.wait(2000)
        compare(changes.signalArguments[0][0], 1)
        verify(!seenWhileSliding)
        verify(!list.isDrop)
    }

    function test_input_data() {
        return [
            { tag: "above the maximum is refused", min: 0, max: 255, keys: "300", typed: "30", settled: "30" },
            { tag: "at most four digits", min: 0, max: 9999, keys: "12345", typed: "1234", settled: "1234" },
            { tag: "letters are refused", min: 0, max: 255, keys: "a7b", typed: "7", settled: "7" },
            { tag: "empty reads 0", min: 0, max: 255, keys: "", typed: "", settled: "0" },
            { tag: "below the minimum rises to it", min: 5, max: 100, keys: "2", typed: "2", settled: "5" }
        ]
    }
    function test_input(data) {
        var field = createTemporaryObject(inputComponent, testCase, { minValue: data.min, maxValue: data.max, textValue: "" })
        var began = spy(field, "inputSignal")
        var ended = spy(field, "endInputSignal")
        mouseClick(field)
        verify(field.txtInput.activeFocus)
        compare(began.count, 1)
        Array.from(data.keys).forEach(function (k) { keyClick(k) })
        compare(field.txtInput.text, data.typed)
        compare(ended.count, 0)
        keyClick(Qt.Key_Return)
        verify(!field.txtInput.activeFocus)
        compare(ended.count, 1)
        compare(field.textValue, data.settled)
    }

    // A small button lying inside a large one (wheel, DPI, top) must win; a six-button
    // model offers nothing at the spots of buttons 7 and 8.
    function test_pictureClickHitsTheButtonUnderThePointer_data() {
        return [0, 1, 2, 3, 4, 5, 6, 7].map(i => ({ tag: "button " + (i + 1), index: i, keyCount: 8, hit: i }))
            .concat([{ tag: "button 6 of six", index: 5, keyCount: 6, hit: 5 },
                     { tag: "button 8 of six", index: 7, keyCount: 6, hit: -1 }])
    }
    function test_pictureClickHitsTheButtonUnderThePointer(data) {
        picture.keyCount = data.keyCount
        clicked.clear()
        const a = picture.buttons[data.index].area
        const x = 272 + a[0] + a[2] / 2, y = 122 + a[1] + a[3] / 2
        mouseClick(picture, x, y)
        compare(firstArgs(clicked), data.hit < 0 ? [] : [data.hit])
    }
}
