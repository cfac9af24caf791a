import QtQuick
import Corvane.Scene
import "../common"
import "../js/dpi.js" as Dpi
import "../js/light.js" as Light

// Lighting page of the right panel: effect, speed, brightness and the colours.
Rectangle {
    id: lightControlMain

    property bool isSave: false
    property bool isColorful: false
    property var texts: Light.defaultTexts

    property int mode: 0
    property int speedStep: 0
    property int brightStep: 4
    property var colors: Light.defaultColors
    property int selectedBlock: 0
    property int dpiCount: 4
    property bool extraModesAdded: false
    readonly property var modeRow: Light.sliders(mode)
    readonly property var selectedRgb: Dpi.hexToRgb(colors[selectedBlock])

    function text(i) { return i < texts.length ? texts[i] : "" }

    function init(isSendData, isRecovery) {
        updateModes()
        dpiCount = Dpi.intOr(ui_View.getData("mouse/dpiCount", false), dpiCount)
        var light = ui_View.getDataList("mouse/lightValue", isRecovery)
        var storedMode = Dpi.intOr(light[0], mode)
        if (storedMode >= 0 && storedMode < modeModel.count)
            mode = storedMode
        speedStep = clampStep(Dpi.intOr(light[1], speedStep))
        brightStep = clampStep(Dpi.intOr(light[2], brightStep))
        colors = Dpi.colorsFromList(ui_View.getDataList("mouse/colorValue", isRecovery), colors)
        modeList.currentSelect = mode
        speedStepSlider.slider.setIndexValue(speedStep, false)
        brightStepSlider.slider.setIndexValue(brightStep, false)
        selectBlock(0)
        if (isSendData)
            saveData(true, 0)
    }

    // isStep: 0 everything, 1 the effect only, 2 the colours only.
    function saveData(isSendData, isStep) {
        var effect = isStep === 0 || isStep === 1
        var colours = isStep === 0 || isStep === 2
        if (effect)
            ui_View.setDataList("mouse/lightValue", [mode, speedStep, brightStep])
        if (colours)
            ui_View.setDataList("mouse/colorValue", Dpi.colorsToList(colors))
        if (isStep === 0)
            isSave = false
        if (!isSendData)
            return
        if (colours)
            ui_View.mouseSetRGBColor(isColorful ? 0 : 1, Dpi.colorsToList(colors))
        if (effect)
            ui_View.mouseSetRGBEffect(mode, speedStep, brightStep)
    }

    function closeMenu() {
        modeList.closeMenu()
    }

    function dropFocus() {
        redInput.closeFocus()
        greenInput.closeFocus()
        blueInput.closeFocus()
    }

    function setLanguage(list) {
        texts = list
        updateModes()
    }

    function clampStep(step) {
        return Math.max(0, Math.min(Light.stepCount - 1, step))
    }

    // Mode captions; a full-colour mouse gets its six extra modes once.
    function updateModes() {
        var names = Light.modeNames(texts, isColorful || extraModesAdded)
        for (var i = 0; i < names.length; ++i) {
            if (i < modeModel.count)
                modeModel.setProperty(i, "textValue", names[i])
            else
                modeModel.append({ "textValue": names[i] })
        }
        if (isColorful)
            extraModesAdded = true
    }

    function chooseMode(index) {
        mode = index
        modeList.currentSelect = index
        var row = Light.sliders(index)
        if (row.speedStep !== Light.keep) {
            speedStep = row.speedStep
            speedStepSlider.slider.setIndexValue(speedStep, false)
        }
        if (row.brightStep !== Light.keep) {
            brightStep = row.brightStep
            brightStepSlider.slider.setIndexValue(brightStep, false)
        }
        isSave = true
    }

    function showRgb() {
        redInput.textValue = String(selectedRgb[0])
        greenInput.textValue = String(selectedRgb[1])
        blueInput.textValue = String(selectedRgb[2])
    }

    function selectBlock(index) {
        selectedBlock = index
        hueBar.knobPos = Light.huePosition(selectedRgb, hueBar.width)
    }

    function setColor(rgb) {
        var list = colors.slice()
        list[selectedBlock] = Dpi.rgbToHex(rgb[0], rgb[1], rgb[2])
        colors = list
    }

    // A finished R, G or B field: the typed colour replaces the block's colour.
    function finishInput() {
        var rgb = [Dpi.intOr(redInput.textValue, 0), Dpi.intOr(greenInput.textValue, 0),
                   Dpi.intOr(blueInput.textValue, 0)]
        if (String(rgb) === String(selectedRgb))
            return
        setColor(rgb)
        hueBar.knobPos = Light.huePosition(selectedRgb, hueBar.width)
        isSave = true
    }

    function revert() {
        init(false, true)
        isSave = true
    }

    objectName: "lightControlMain"
    width: 232
    height: body.y + body.height + 8
    // The fields take typed text, so they follow the colour by assignment, not by binding.
    onSelectedRgbChanged: showRgb()
    Component.onCompleted: {
        updateModes()
        modeList.currentSelect = mode
        speedStepSlider.slider.setIndexValue(speedStep, false)
        brightStepSlider.slider.setIndexValue(brightStep, false)
        showRgb()
    }
    color: Theme.colorBlack
    border.color: Theme.colorGray1
    radius: 2
    z: modeList.isDrop ? 10 : 0

    ListModel { id: modeModel }

    Frame {
        id: header
        x: 1
        y: 1
        width: parent.width - 2
        title: lightControlMain.text(0)
    }

    DropDownList {
        id: modeList
        objectName: "modeList"
        x: 10
        y: header.height + 8
        width: parent.width - 20
        count: modeModel.count
        mdItems: modeModel
        onValueChange: function(index) { lightControlMain.chooseMode(index) }
    }

    RevertButton {
        x: parent.width - 56
        y: 0
        onClicked: lightControlMain.revert()
    }

    // Hidden sliders give their room to the colour area below them.
    Column {
        id: body
        y: modeList.y + modeList.height + 8
        width: parent.width
        spacing: 4

        StepSlider {
            id: speedStepSlider
            visible: lightControlMain.modeRow.speedShown
            caption: lightControlMain.text(5)
            onStepReleased: function(step) {
                lightControlMain.speedStep = step
                lightControlMain.isSave = true
            }
        }

        StepSlider {
            id: brightStepSlider
            visible: lightControlMain.modeRow.brightShown
            caption: lightControlMain.text(7)
            onStepReleased: function(step) {
                lightControlMain.brightStep = step
                lightControlMain.isSave = true
            }
        }

        Item {
            id: colorArea
            width: parent.width
            height: 96

            Text {
                x: 10
                y: 2
                width: 64
                elide: Text.ElideRight
                text: lightControlMain.text(6)
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                color: Theme.fontColor
            }

            Row {
                id: blockRow
                x: 80
                spacing: 4
                Repeater {
                    model: 8
                    SceneBox {
                        required property int index
                        width: 16
                        height: 16
                        radius: 2
                        visible: Light.blockShown(index + 1, lightControlMain.isColorful, lightControlMain.dpiCount)
                        color: lightControlMain.colors[index]
                        borderWidth: index === lightControlMain.selectedBlock ? 2 : 1
                        borderColor: index === lightControlMain.selectedBlock ? Theme.fontColor : Theme.colorGray1
                        Text {
                            anchors.centerIn: parent
                            text: parent.index + 1
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontMinSize
                            font.bold: true
                            color: Dpi.hexToRgb(parent.color)[1] > 160 ? Theme.colorBlack : Theme.fontColor
                        }
                        MouseArea {
                            anchors.fill: parent
                            cursorShape: Qt.PointingHandCursor
                            onClicked: lightControlMain.selectBlock(parent.index)
                        }
                    }
                }
            }

            // Hue bar: six equal parts red-yellow-green-cyan-blue-magenta, white at the right end.
            Item {
                id: hueBar

                property real knobPos: 0

                function moveTo(p) {
                    knobPos = Math.max(0, Math.min(width, p))
                    lightControlMain.setColor(Light.hueColor(knobPos, width))
                }

                x: 10
                y: blockRow.y + 26
                width: parent.width - 26
                height: 12

                Rectangle {
                    width: parent.width
                    height: parent.height
                    radius: 2
                    gradient: Gradient {
                        orientation: Gradient.Horizontal
                        GradientStop { position: 0.0; color: "#ff0000" }
                        GradientStop { position: 1 / 6; color: "#ffff00" }
                        GradientStop { position: 2 / 6; color: "#00ff00" }
                        GradientStop { position: 3 / 6; color: "#00ffff" }
                        GradientStop { position: 4 / 6; color: "#0000ff" }
                        GradientStop { position: 5 / 6; color: "#ff00ff" }
                        GradientStop { position: 0.985; color: "#ff0000" }
                        GradientStop { position: 1.0; color: "#ffffff" }
                    }
                }
                Rectangle {
                    x: hueBar.knobPos - width / 2
                    y: -3
                    width: 8
                    height: parent.height + 6
                    radius: 2
                    color: lightControlMain.colors[lightControlMain.selectedBlock]
                    border.width: 2
                    border.color: Theme.fontColor
                }
                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -4
                    preventStealing: true
                    onPressed: function(mouse) { hueBar.moveTo(mouse.x - 4) }
                    onPositionChanged: function(mouse) { hueBar.moveTo(mouse.x - 4) }
                    onReleased: lightControlMain.isSave = true
                }
            }

            Row {
                x: 10
                y: hueBar.y + hueBar.height + 12
                spacing: 6
                ChannelLabel { text: "R" }
                RectInput {
                    id: redInput
                    onEndInputSignal: lightControlMain.finishInput()
                }
                ChannelLabel { text: "G" }
                RectInput {
                    id: greenInput
                    onEndInputSignal: lightControlMain.finishInput()
                }
                ChannelLabel { text: "B" }
                RectInput {
                    id: blueInput
                    onEndInputSignal: lightControlMain.finishInput()
                }
            }

            // Covers the colour area in modes whose colours the mouse does not use.
            Rectangle {
                anchors.fill: parent
                anchors.topMargin: -4
                visible: !Light.colorAreaActive(lightControlMain.mode)
                color: Theme.colorBlack
                opacity: 0.7
                MouseArea {
                    anchors.fill: parent
                    hoverEnabled: true
                }
            }
        }
    }
}
