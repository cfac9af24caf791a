import QtQuick
import Corvane.Scene
import "../js/controls.js" as Controls

// A horizontal slider: a 6-px track filled up to the knob. The value it reports is
// the knob's x. A scaled slider (isScale) snaps to the step at or above the knob
// on release and reports only then.
Item {
    id: sliderButton

    property int segment: 10
    // The step the knob stands on (scaled sliders and setIndexValue).
    property int segmentValue: 0
    property bool isScale: false
    property color colorS: Theme.colorBlue
    readonly property int value: Math.round(knob.x)
    readonly property int minX: Controls.knobMin(knob.width)
    readonly property int maxX: Controls.knobMax(width, knob.width)

    signal valueChange(int value)
    signal valueChangeDelay(int value)
    signal btnClick()
    signal dragSignal(bool isDrag)

    function setRatioValue(r) {
        moveAnim.stop()
        knob.x = Controls.ratioX(r, width, knob.width)
        valueChange(value)
    }
    function setIndexValue(i, send) {
        moveAnim.stop()
        segmentValue = Math.max(0, Math.min(segment, i))
        knob.x = Controls.stepX(segmentValue, segment, width, knob.width)
        if (send)
            valueChange(value)
    }
    function snapped(x) {
        if (!isScale)
            return Controls.clampKnob(Math.round(x), width, knob.width)
        segmentValue = Controls.stepAtOrAbove(x, segment, width, knob.width)
        return Controls.stepX(segmentValue, segment, width, knob.width)
    }

    width: 160
    height: 16

    SceneBox {
        id: track
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width
        height: 6
        radius: 3
        color: Theme.colorGray1
        SceneBox {
            width: knob.x + knob.width / 2
            height: parent.height
            radius: 3
            color: sliderButton.colorS
        }
    }
    MouseArea {
        id: trackArea
        anchors.fill: parent
        onPressed: sliderButton.btnClick()
        onClicked: function(mouse) {
            moveAnim.to = sliderButton.snapped(mouse.x - knob.width / 2)
            moveAnim.restart()
        }
    }
    Image {
        id: knob
        x: sliderButton.minX
        anchors.verticalCenter: parent.verticalCenter
        width: 12
        height: 12
        sourceSize: Qt.size(12, 12)
        source: "../../img/skin1/common/knob.svg"

        MouseArea {
            id: knobArea
            anchors.fill: parent
            anchors.margins: -4
            drag.target: knob
            drag.axis: Drag.XAxis
            drag.minimumX: sliderButton.minX
            drag.maximumX: sliderButton.maxX
            drag.threshold: 0
            drag.smoothed: false
            onPressed: {
                moveAnim.stop()
                sliderButton.btnClick()
                sliderButton.dragSignal(true)
            }
            onReleased: {
                knob.x = sliderButton.snapped(knob.x)
                sliderButton.dragSignal(false)
                sliderButton.valueChangeDelay(sliderButton.value)
            }
        }
        onXChanged: {
            if (knobArea.drag.active && !sliderButton.isScale)
                sliderButton.valueChange(sliderButton.value)
        }
    }
    NumberAnimation {
        id: moveAnim
        target: knob
        property: "x"
        duration: 120
        easing.type: Easing.OutQuad
        onFinished: {
            sliderButton.valueChange(sliderButton.value)
            sliderButton.valueChangeDelay(sliderButton.value)
        }
    }
}
