import QtQuick

// Confirmation of the factory reset: 427 x 102, dragged by its background and
// kept inside its parent.
Rectangle {
    id: resetBox

    property string title: "Reset"
    property string text: "Reset factory setting"
    property string cancelText: "Cancel"
    property string okText: "OK"

    signal accepted()

    width: 427
    height: 102
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    radius: 4

    MouseArea {
        anchors.fill: parent
        drag.target: resetBox
        drag.minimumX: 0
        drag.minimumY: 0
        drag.maximumX: resetBox.parent ? resetBox.parent.width - resetBox.width : 0
        drag.maximumY: resetBox.parent ? resetBox.parent.height - resetBox.height : 0
    }
    Text {
        x: 12
        y: 8
        text: resetBox.title
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
    }
    Text {
        x: 12
        y: 38
        text: resetBox.text
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Row {
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 10
        spacing: 16
        FrameButton {
            objectName: "resetCancel"
            textValue: resetBox.cancelText
            onClicked: resetBox.visible = false
        }
        FrameButton {
            objectName: "resetOk"
            textValue: resetBox.okText
            onClicked: resetBox.accepted()
        }
    }
}
