import QtQuick
import "../common"
import "../js/light.js" as Light

// A caption over a five-step slider with its "0%" ... "100%" scale.
Item {
    id: stepRow

    property alias slider: bar
    property alias caption: captionText.text

    signal stepReleased(int step)

    width: 232
    height: 46

    Text {
        id: captionText
        x: 10
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
    }
    SliderButton {
        id: bar
        x: 10
        y: 16
        width: stepRow.width - 20
        segment: Light.stepCount - 1
        isScale: true
        onValueChangeDelay: stepRow.stepReleased(bar.segmentValue)
    }
    Repeater {
        model: Light.stepLabels
        Text {
            required property int index
            required property string modelData
            x: bar.x + bar.minX + index * (bar.maxX - bar.minX) / (Light.stepCount - 1) + 6 - width / 2
            y: bar.y + bar.height + 1
            width: 30
            horizontalAlignment: Text.AlignHCenter
            text: modelData
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize
            color: index === bar.segmentValue ? Theme.fontColor : Theme.colorGray2
        }
    }
}
