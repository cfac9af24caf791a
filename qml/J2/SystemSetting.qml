import QtQuick
import "../common"
import "../js/system.js" as Sys

// The desktop pointer settings: pointer speed, double-click speed and the lines a
// wheel notch scrolls. Every change is stored in the current profile and applied at once.
DialogPanel {
    id: systemSetting

    property var texts: ["System Setting", "Mouse Speed", "Double Click Speed", "Slow", "Fast", "Scroll Speed",
        "Number of Rows", "Scroll one Screen", "", "", "", "", "", "", ""]
    property bool oneScreen: false

    signal closed()

    function t(i) { return i < texts.length ? texts[i] : "" }
    function setLanguage(list) { texts = list }
    function dropFocus() { linesInput.closeFocus() }

    // Loads the three settings of the current profile (recovery: of the factory
    // profile); with send they are stored in the current profile and applied.
    function init(send, recovery) {
        placeKnob(speedSlider, ui_View.getData("mouse/mouseRate", recovery))
        placeKnob(doubleSlider, ui_View.getData("mouse/doubleRate", recovery))
        var choice = Sys.scrollChoice(ui_View.getData("mouse/scrollRate", recovery))
        oneScreen = choice.oneScreen
        linesInput.textValue = choice.lines
        if (send) {
            save()
            applySpeed()
            applyDoubleClick()
            applyScroll()
        }
    }
    function placeKnob(slider, stored) {
        var p = Sys.position(stored)
        slider.setRatioValue((p - Sys.SLIDER_MIN - 1 + 0.5) / (Sys.SLIDER_MAX - Sys.SLIDER_MIN))
    }
    function save() {
        ui_View.setData("mouse/mouseRate", speedSlider.value)
        ui_View.setData("mouse/doubleRate", doubleSlider.value)
        ui_View.setData("mouse/scrollRate", Sys.scrollValue(oneScreen, linesInput.textValue))
    }
    function applySpeed() { ui_View.mouseSetCursorSpeed(Sys.sliderStep(speedSlider.value)) }
    function applyDoubleClick() { ui_View.mouseSetDoubleClickSpeed(Sys.sliderStep(doubleSlider.value)) }
    function applyScroll() { ui_View.mouseSetVerticalScrollLines(Sys.scrollValue(oneScreen, linesInput.textValue)) }
    function chooseScroll(screen) {
        oneScreen = screen
        syncRadios()
        save()
        applyScroll()
    }
    function syncRadios() {
        rowsRadio.isSelect = !oneScreen
        screenRadio.isSelect = oneScreen
    }
    function close() {
        dropFocus()
        visible = false
        closed()
    }

    width: 416
    height: 312
    title: t(0)
    hasReset: true
    onCloseClicked: close()
    onResetClicked: init(true, true)
    onBackgroundPressed: dropFocus()
    // The radio buttons select themselves when clicked: keep both in step with the choice.
    onOneScreenChanged: syncRadios()
    Component.onCompleted: syncRadios()

    Caption { x: 32; y: 60; text: systemSetting.t(1) }
    SliderButton {
        id: speedSlider
        objectName: "speedSlider"
        x: 32
        y: 84
        width: 352
        onValueChangeDelay: { systemSetting.save(); systemSetting.applySpeed() }
    }
    EndLabel { x: 32; y: 104; text: systemSetting.t(3) }
    EndLabel { x: 384 - width; y: 104; text: systemSetting.t(4) }

    Caption { x: 32; y: 132; text: systemSetting.t(2) }
    SliderButton {
        id: doubleSlider
        objectName: "doubleSlider"
        x: 32
        y: 156
        width: 352
        onValueChangeDelay: { systemSetting.save(); systemSetting.applyDoubleClick() }
    }
    EndLabel { x: 32; y: 176; text: systemSetting.t(3) }
    EndLabel { x: 384 - width; y: 176; text: systemSetting.t(4) }

    Rectangle { x: 32; y: 204; width: 352; height: 1; color: Theme.colorGray1 }
    Caption { x: 32; y: 216; text: systemSetting.t(5) }
    RadioButton {
        id: rowsRadio
        objectName: "rowsRadio"
        x: 32
        y: 248
        textValue: systemSetting.t(6)
        onBtnClick: systemSetting.chooseScroll(false)
    }
    RectInput {
        id: linesInput
        objectName: "linesInput"
        x: rowsRadio.x + rowsRadio.implicitWidth + 12
        y: 248
        minValue: 1
        maxValue: Sys.MAX_LINES
        textValue: "1"
        enabled: !systemSetting.oneScreen
        opacity: enabled ? 1 : 0.4
        onEndInputSignal: { systemSetting.save(); systemSetting.applyScroll() }
    }
    RadioButton {
        id: screenRadio
        objectName: "screenRadio"
        x: 232
        y: 248
        textValue: systemSetting.t(7)
        onBtnClick: systemSetting.chooseScroll(true)
    }
}
