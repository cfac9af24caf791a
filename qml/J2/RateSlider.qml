import QtQuick
import "../common"
import "../js/keys.js" as Keys

// The fire rate in ms on a horizontal track; pressing or dragging reports the rate under the mouse.
Item {
    id: slider

    property int value: Keys.FIRE_RATE_DEFAULT
    readonly property real ratio: (Math.max(Keys.FIRE_RATE_MIN, Math.min(Keys.FIRE_RATE_MAX, value)) - Keys.FIRE_RATE_MIN)
                                  / (Keys.FIRE_RATE_MAX - Keys.FIRE_RATE_MIN)

    signal moved(int value)

    function valueAt(x) {
        var r = Math.max(0, Math.min(1, (x - 7) / (width - 14)))
        return Keys.FIRE_RATE_MIN + Math.round(r * (Keys.FIRE_RATE_MAX - Keys.FIRE_RATE_MIN))
    }

    height: 24

    Rectangle {
        x: 7
        width: parent.width - 14
        height: 6
        radius: 3
        anchors.verticalCenter: parent.verticalCenter
        color: Theme.colorGray1
        Rectangle {
            width: parent.width * slider.ratio
            height: parent.height
            radius: 3
            color: Theme.colorBlue
        }
    }
    Image {
        x: slider.ratio * (slider.width - 14)
        anchors.verticalCenter: parent.verticalCenter
        width: 14
        height: 14
        sourceSize: Qt.size(14, 14)
        source: "../../img/skin1/common/knob.svg"
    }
    MouseArea {
        anchors.fill: parent
        onPressed: function (mouse) { slider.moved(slider.valueAt(mouse.x)) }
        onPositionChanged: function (mouse) { slider.moved(slider.valueAt(mouse.x)) }
    }
}
