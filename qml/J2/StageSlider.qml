import QtQuick
import Corvane.Scene
import "../common"
import "../js/dpi.js" as Dpi

// One vertical stage slider: the knob position runs from knobMin (bottom) to knobMax (top).
Item {
    id: slider

    property int value: 0
    property int minValue: 0
    property int maxValue: 1
    property bool active: false
    readonly property int knobHeight: 10
    readonly property int knobPos: Dpi.valueToSlider(value, minValue, maxValue)

    signal moved(int knobPos)
    signal released()

    function posAt(mouseY) {
        return Math.round(height - mouseY - knobHeight / 2)
    }

    width: 28
    height: Dpi.knobMax + knobHeight + Dpi.knobMin

    SceneBox {
        anchors.horizontalCenter: parent.horizontalCenter
        y: Dpi.knobMin
        width: 6
        height: parent.height - 2 * Dpi.knobMin
        radius: 3
        color: Theme.colorGray1
        SceneBox {
            anchors.bottom: parent.bottom
            width: parent.width
            height: Math.max(parent.radius * 2, slider.knobPos)
            radius: 3
            color: slider.active ? Theme.colorOrange : Theme.colorBlue
            opacity: slider.active ? 1.0 : 0.55
        }
    }
    Image {
        anchors.horizontalCenter: parent.horizontalCenter
        y: slider.height - slider.knobPos - slider.knobHeight
        width: 16
        height: slider.knobHeight
        sourceSize: Qt.size(16, slider.knobHeight)
        source: "../../img/skin1/common/knob_v.svg"
    }
    MouseArea {
        anchors.fill: parent
        preventStealing: true
        onPressed: function(mouse) { slider.moved(slider.posAt(mouse.y)) }
        onPositionChanged: function(mouse) { slider.moved(slider.posAt(mouse.y)) }
        onReleased: slider.released()
    }
}
