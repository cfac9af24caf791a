import QtQuick
import "../common"

// A dark bar with a blue mark and a title over a group of fields.
Rectangle {
    id: bar

    property string title: ""

    width: 300
    height: 22
    color: Theme.colorBlack

    Rectangle { width: 3; height: parent.height; color: Theme.colorBlue }
    Text {
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        text: bar.title
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
}
