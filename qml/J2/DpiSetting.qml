import QtQuick
import Corvane.Scene
import "../common"
import "../js/dpi.js" as Dpi

// DPI page of the right panel: stage count, one vertical slider per stage, the
// stage colours and the highlighted (active) stage.
Rectangle {
    id: dpiSettingMain

    property bool isSave: false
    // The highlighted stage, counted from 0 (-1: none).
    property int currentDPI: -1
    // The lighting page: a DPI save with sending ends with its full save.
    property var lightPage: null
    property var texts: ["DPI Setting", "Stage", "DPI COLOR", "Revert", ""]

    property int dpiCount: 4
    property int stageCount: 4
    property int minDPI: 200
    property int maxDPI: 6000
    property int dpiBase: 50
    property string sensorType: "3360"
    property var stageValues: Dpi.defaultStageValues
    property var stageColors: Dpi.defaultStageColors
    property int selectedBlock: 0
    // The "DPI COLOR" window is shown; it is created on the first showing.
    property bool paletteShown: false

    readonly property int columnWidth: 28
    readonly property int sliderHeight: Dpi.knobMax + 10 + Dpi.knobMin

    function text(i) { return i < texts.length ? texts[i] : "" }

    function init(isSendData, isRecovery) {
        if (!isRecovery) {
            var count = Dpi.intOr(ui_View.getData("mouse/dpiCount", false), dpiCount)
            if (count > 8)
                return
            dpiCount = Math.max(1, count)
            stageCount = Math.max(1, Math.min(dpiCount,
                    Dpi.intOr(ui_View.getData("mouse/currentDpiCount", false), stageCount)))
            var lo = Dpi.intOr(ui_View.getGlobalData("mouse/minDPI"), minDPI)
            var hi = Dpi.intOr(ui_View.getGlobalData("mouse/maxDPI"), maxDPI)
            var step = Dpi.intOr(ui_View.getGlobalData("mouse/dpiBase"), dpiBase)
            if (lo < hi && step > 0) {
                minDPI = lo
                maxDPI = hi
                dpiBase = step
            }
            var sensor = ui_View.getGlobalData("mouse/sensorType")
            if (sensor !== undefined && sensor !== null)
                sensorType = String(sensor)
            fillStageModel()
            stageList.currentSelect = stageCount - 1
        }
        stageValues = Dpi.valuesFromList(ui_View.getDataList("mouse/dpiValueArray", isRecovery), stageValues)
        stageColors = Dpi.colorsFromList(ui_View.getDataList("mouse/dpiColorValue", isRecovery), stageColors)
        selectedBlock = 0
        // A reload sends this page only: the lighting page still shows the profile
        // before and is reloaded (and sent) on its own.
        if (isSendData)
            store(true)
    }

    function saveData(isSendData) {
        store(isSendData)
        if (isSendData && lightPage)
            lightPage.saveData(true, 0)
    }

    function store(isSendData) {
        ui_View.setDataList("mouse/dpiValueArray", stageValues)
        ui_View.setData("mouse/currentDpiCount", stageCount)
        ui_View.setDataList("mouse/dpiColorValue", Dpi.colorsToList(stageColors))
        isSave = false
        if (!isSendData)
            return
        ui_View.mouseSetDpi(stageCount, sensorType, stageValues)
        ui_View.mouseSetRGBColor(2, Dpi.stageColorIndices(stageColors))
    }

    function closeMenu() {
        stageList.closeMenu()
    }

    function setLanguage(list) {
        texts = list
    }

    // The stage-count entries "1" ... dpiCount.
    function fillStageModel() {
        stageModel.clear()
        for (var i = 1; i <= dpiCount; ++i)
            stageModel.append({ "textValue": String(i) })
    }

    function setStageValue(stage, knobPos) {
        var values = stageValues.slice()
        values[stage] = Dpi.sliderToValue(knobPos, minDPI, maxDPI, dpiBase)
        stageValues = values
    }

    function setStageColor(stage, color) {
        var colors = stageColors.slice()
        colors[stage] = color
        stageColors = colors
        isSave = true
    }

    function showPalette(block) {
        selectedBlock = block
        paletteLoader.active = true
        paletteShown = true
    }

    function revert() {
        init(false, true)
        isSave = true
    }

    objectName: "dpiSettingMain"
    width: 232
    height: 276
    color: Theme.colorBlack
    border.color: Theme.colorGray1
    radius: 2
    z: stageList.isDrop || paletteShown ? 10 : 0

    Component.onCompleted: {
        fillStageModel()
        stageList.currentSelect = stageCount - 1
    }

    ListModel { id: stageModel }

    Frame {
        id: header
        x: 1
        y: 1
        width: parent.width - 2
        title: dpiSettingMain.text(0)
    }

    Text {
        x: 10
        y: stageList.y
        height: stageList.height
        verticalAlignment: Text.AlignVCenter
        text: dpiSettingMain.text(1)
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }

    DropDownList {
        id: stageList
        x: 72
        y: header.height + 8
        width: parent.width - x - 10
        count: stageModel.count
        mdItems: stageModel
        onValueChange: function(index) {
            dpiSettingMain.stageCount = index + 1
            dpiSettingMain.isSave = true
        }
    }

    RevertButton {
        x: parent.width - 56
        y: 0
        toolTip: dpiSettingMain.text(3)
        onClicked: dpiSettingMain.revert()
    }

    Row {
        id: sliders
        x: (parent.width - 8 * dpiSettingMain.columnWidth) / 2
        y: stageList.y + stageList.height + 10

        // A column for each stage in use only: the others would be hidden.
        Repeater {
            model: dpiSettingMain.stageCount
            Column {
                id: stageColumn

                required property int index
                readonly property bool active: index === dpiSettingMain.currentDPI

                spacing: 4

                SceneBox {
                    width: dpiSettingMain.columnWidth
                    height: dpiSettingMain.sliderHeight
                    radius: 3
                    color: stageColumn.active ? Theme.colorGray0 : "transparent"
                    StageSlider {
                        value: dpiSettingMain.stageValues[stageColumn.index]
                        minValue: dpiSettingMain.minDPI
                        maxValue: dpiSettingMain.maxDPI
                        active: stageColumn.active
                        onMoved: function(knobPos) { dpiSettingMain.setStageValue(stageColumn.index, knobPos) }
                        onReleased: dpiSettingMain.isSave = true
                    }
                }
                Text {
                    width: dpiSettingMain.columnWidth
                    horizontalAlignment: Text.AlignHCenter
                    text: dpiSettingMain.stageValues[stageColumn.index]
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontMinSize
                    font.letterSpacing: -0.4
                    color: stageColumn.active ? Theme.fontColor : Theme.colorGray3
                }
            }
        }
    }

    // The stage colours, one block under each slider.
    Row {
        id: blocks
        x: sliders.x
        y: sliders.y + dpiSettingMain.sliderHeight + 20
        Repeater {
            model: 8
            Item {
                required property int index
                objectName: "stageBlock" + index
                width: dpiSettingMain.columnWidth
                height: 16
                SceneBox {
                    anchors.centerIn: parent
                    width: 18
                    height: 12
                    radius: 2
                    color: dpiSettingMain.stageColors[parent.index]
                    borderWidth: parent.index === dpiSettingMain.selectedBlock ? 2 : 1
                    borderColor: parent.index === dpiSettingMain.selectedBlock ? Theme.fontColor : Theme.colorGray1
                }
                MouseArea {
                    anchors.fill: parent
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dpiSettingMain.showPalette(parent.index)
                }
            }
        }
    }

    // The "DPI COLOR" window: the palette the mouse knows.
    Loader {
        id: paletteLoader
        anchors.horizontalCenter: parent.horizontalCenter
        y: blocks.y - height - 6
        visible: dpiSettingMain.paletteShown
        active: false
        sourceComponent: paletteComponent
    }

    Component {
        id: paletteComponent
        Rectangle {
            objectName: "paletteWindow"
            width: 200
            height: 64
            color: Theme.colorGray0
            border.color: Theme.colorGray2
            radius: 3

            MouseArea { anchors.fill: parent }
            Text {
                x: 10
                y: 6
                text: dpiSettingMain.text(2)
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                color: Theme.fontColor
            }
            Image {
                id: closeButton
                x: parent.width - width - 4
                y: 4
                width: 20
                height: 20
                sourceSize: Qt.size(20, 20)
                source: closeArea.containsMouse ? "../../img/skin1/common/close_small_hover.svg"
                                                : "../../img/skin1/common/close_small.svg"
                MouseArea {
                    id: closeArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: dpiSettingMain.paletteShown = false
                }
            }
            Row {
                x: 10
                y: 32
                spacing: 4
                Repeater {
                    model: Dpi.palette
                    Rectangle {
                        required property string modelData
                        required property int index
                        objectName: "paletteColor" + index
                        width: 18
                        height: 18
                        radius: 2
                        color: modelData
                        readonly property bool chosen:
                            modelData === String(dpiSettingMain.stageColors[dpiSettingMain.selectedBlock]).toLowerCase()
                        border.width: swatchArea.containsMouse || chosen ? 2 : 1
                        border.color: swatchArea.containsMouse || chosen ? Theme.fontColor : Theme.colorGray1
                        MouseArea {
                            id: swatchArea
                            anchors.fill: parent
                            hoverEnabled: true
                            cursorShape: Qt.PointingHandCursor
                            onClicked: dpiSettingMain.setStageColor(dpiSettingMain.selectedBlock, parent.modelData)
                        }
                    }
                }
            }
        }
    }
}
