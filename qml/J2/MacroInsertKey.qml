import QtQuick
import "../common"

// The "Insert Key" box of the macro editor: shows the name of the last key pressed
// and confirms it with OK.
Rectangle {
    id: insertKey

    property string title: ""
    property string okText: ""
    property string keyName: ""

    signal accepted()

    width: 240
    height: 80
    radius: 4
    color: Theme.colorGray0
    border.color: Theme.colorGray1

    // Swallows clicks so they do not reach the editor's mask below.
    MouseArea {
        anchors.fill: parent
    }
    Text {
        x: 12
        y: 8
        text: insertKey.title
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Rectangle {
        id: keyField

        objectName: "insertKeyField"
        x: 12
        y: 40
        width: 136
        height: 24
        radius: 2
        color: Theme.colorBlack
        border.color: Theme.colorBlue

        Text {
            anchors.fill: parent
            anchors.leftMargin: 8
            anchors.rightMargin: 8
            verticalAlignment: Text.AlignVCenter
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: insertKey.keyName
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
    }
    FrameButton {
        objectName: "insertKeyOk"
        x: insertKey.width - width - 12
        y: 40
        textValue: insertKey.okText
        onClicked: insertKey.accepted()
    }
}
