import QtQuick

// A 64 x 24 button of the frame: blue, the highlight under the pointer, or the
// mark colour when one is given.
Rectangle {
    id: frameButton

    property string textValue: ""
    property color markColor: "transparent"
    readonly property bool hovered: area.containsMouse

    signal clicked()

    width: 64
    height: 24
    radius: 2
    color: markColor.a > 0 ? markColor : (hovered ? Theme.colorOrange : Theme.colorBlue)

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
