import QtQuick
import Corvane.Scene

// A 64 x 24 button of the frame: blue, the highlight under the pointer, or the
// mark colour when one is given.
SceneBox {
    id: frameButton

    property string textValue: ""
    property color markColor: "transparent"
    // A quiet grey button that turns blue under the pointer.
    property bool subdued: false
    readonly property bool hovered: area.containsMouse

    signal clicked()

    width: 64
    height: 24
    radius: 2
    color: markColor.a > 0 ? markColor
         : hovered ? Theme.colorOrange
         : subdued ? Theme.colorGray0 : Theme.colorBlue
    borderColor: subdued && !hovered ? Theme.colorGray1 : color

    Text {
        anchors.centerIn: parent
        text: frameButton.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: frameButton.clicked()
    }
}
