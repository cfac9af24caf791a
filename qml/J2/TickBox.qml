import QtQuick
import "../common"

// A small tick box with its text; a click only reports, the use decides the tick.
Item {
    id: box

    property string text: ""
    property bool ticked: false

    signal clicked()

    width: 120
    height: 24

    Rectangle {
        anchors.verticalCenter: parent.verticalCenter
        width: 12
        height: 12
        radius: 2
        color: Theme.colorBlack
        border.color: box.ticked ? Theme.colorBlue : Theme.colorGray2
        Image {
            anchors.fill: parent
            sourceSize: Qt.size(12, 12)
            source: "../../img/skin1/common/tick.svg"
            visible: box.ticked
        }
    }
    Text {
        x: 20
        anchors.verticalCenter: parent.verticalCenter
        text: box.text
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    MouseArea {
        anchors.fill: parent
        onClicked: box.clicked()
    }
}
