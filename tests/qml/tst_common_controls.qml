import QtQuick
import QtTest
import "../../qml/common"

// The shared controls as the user drives them: pointer and keys.
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

    function spy(target, signalName) {
        return createTemporaryObject(spyComponent, testCase, { target: target, signalName: signalName })
    }

    // Knob 12 px on a 176-px track: it runs from x 3 to 161; scaled steps are 15.8 px.
    function test_slider_drag_data() {
        return [
            { tag: "free drag reports the knob x", isScale: false, to: 40, moves: true, released: 40 },
            { tag: "scaled drag snaps up to the next step", isScale: true, to: 40, moves: false, released: 50 },
            { tag: "scaled drag on a step stays", isScale: true, to: 82, moves: false, released: 82 },
            { tag: "beyond the right end stops at 161", isScale: false, to: 400, moves: true, released: 161 },
            { tag: "beyond the left end stops at 3", isScale: false, to: -100, moves: false, released: 3 }
        ]
    }
    function test_slider_drag(data) {
        var slider = createTemporaryObject(sliderComponent, testCase, { isScale: data.isScale })
        var changes = spy(slider, "valueChange")
        var delayed = spy(slider, "valueChangeDelay")
        var start = slider.value + 6
        mousePress(slider, start, 8)
        mouseMove(slider, start + (data.to - slider.value) / 2, 8)
        mouseMove(slider, start + data.to - 3, 8)
        mouseRelease(slider, start + data.to - 3, 8)
        compare(changes.count > 0, data.moves)
        compare(delayed.count, 1)
        compare(delayed.signalArguments[0][0], data.released)
        compare(slider.value, data.released)
    }

    // A click on a scaled track snaps to the next step (a free one: the speed slider of the system page).
    function test_slider_track_click() {
        var slider = createTemporaryObject(sliderComponent, testCase, { isScale: true })
        var delayed = spy(slider, "valueChangeDelay")
        var changes = spy(slider, "valueChange")
        mouseClick(slider, 100, 8)
        delayed.wait(2000)
        compare([delayed.signalArguments[0][0], changes.signalArguments[changes.count - 1][0]], [98, 98])
    }

    function test_slider_ratio_data() {
        return [
            { tag: "0", ratio: 0, expected: 4 },
            { tag: "0.5", ratio: 0.5, expected: 83 },
            { tag: "1 stays on the track", ratio: 1, expected: 161 }
        ]
    }
    function test_slider_ratio(data) {
        var slider = createTemporaryObject(sliderComponent, testCase)
        var changes = spy(slider, "valueChange")
        slider.setRatioValue(data.ratio)
        compare(slider.value, data.expected)
        compare(changes.count, 1)
        compare(changes.signalArguments[0][0], data.expected)
    }

    function test_list_reports_after_closing() {
        var list = createTemporaryObject(listComponent, testCase, { x: 10, y: 10 })
        var changes = spy(list, "valueChange")
        var seenWhileSliding = false
        list.valueChange.connect(function() { seenWhileSliding = list.sliding || list.isDrop })
        compare(list.textValue, "500Hz")
        mouseClick(list, 20, 12)
        verify(list.isDrop)
        tryCompare(list, "sliding", false)
        mouseClick(list, 20, 24 + 24 + 12)
        compare(list.currentSelect, 1)
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
            { tag: "leading zeros go", min: 0, max: 255, keys: "007", typed: "007", settled: "7" },
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
        for (var i = 0; i < data.keys.length; ++i)
            keyClick(data.keys[i])
        compare(field.txtInput.text, data.typed)
        compare(ended.count, 0)
        keyClick(Qt.Key_Return)
        verify(!field.txtInput.activeFocus)
        compare(ended.count, 1)
        compare(field.textValue, data.settled)
    }
}
