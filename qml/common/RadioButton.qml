import QtQuick

// A 10 x 10 dot before a text (the text starts gapValue from the left); a click
// selects it and reports the index. The page clears the other buttons of its group.
Item {
    id: radioButton

    property string textValue: ""
    property bool isSelect: false
    property int index: 0
    property int gapValue: 16

    signal btnClick(int index)

    implicitWidth: gapValue + label.implicitWidth
    implicitHeight: Math.max(20, label.implicitHeight)

    Rectangle {
        anchors.verticalCenter: parent.verticalCenter
        width: 10
        height: 10
        radius: 5
        color: Theme.colorGray0
        border.color: radioButton.isSelect || area.containsMouse ? Theme.colorBlue : Theme.colorGray2
        Rectangle {
            anchors.centerIn: parent
            width: 4
            height: 4
            radius: 2
            visible: radioButton.isSelect
            color: Theme.colorBlue
        }
    }
    Text {
        id: label
        x: radioButton.gapValue
        anchors.verticalCenter: parent.verticalCenter
        text: radioButton.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            radioButton.isSelect = true
            radioButton.btnClick(radioButton.index)
        }
    }
}
