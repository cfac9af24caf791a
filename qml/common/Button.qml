import QtQuick

// A 192 x 38 text button whose grey background lights up under the pointer.
Item {
    id: button

    property string textValue: ""

    signal clicked()

    width: 192
    height: 38

    Rectangle {
        anchors.fill: parent
        radius: 2
        color: "#737373"
        opacity: area.containsMouse ? 1 : 0.1
    }
    Text {
        anchors.centerIn: parent
        text: button.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
