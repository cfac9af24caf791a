import QtQuick
import "../common"

// A field that a click arms for capturing keys; while armed it is blue and a dot blinks.
Rectangle {
    id: field

    property bool armed: false
    property string text: ""

    signal clicked()

    height: 24
    radius: 2
    color: Theme.colorBlack
    border.color: armed ? Theme.colorBlue : Theme.colorGray1

    Text {
        x: 8
        width: parent.width - 16
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: field.text
        color: field.armed ? Theme.colorBlue : Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Rectangle {
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        width: 6
        height: 6
        radius: 3
        color: Theme.colorBlue
        visible: field.armed
        SequentialAnimation on opacity {
            running: field.armed
            loops: Animation.Infinite
            NumberAnimation { from: 1; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1; duration: 400 }
        }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: field.clicked()
    }
}
