import QtQuick

// A 20 x 20 picture button with a hover picture.
Image {
    id: iconButton

    property url normal
    property url hover

    signal clicked()

    width: 20
    height: 20
    sourceSize: Qt.size(width, height)
    source: area.containsMouse ? hover : normal

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: iconButton.clicked()
    }
}
