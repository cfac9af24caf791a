import QtQuick

// A text followed by a 12 x 12 box; a click reports the index, then toggles the tick.
Item {
    id: checkBox

    property string textValue: ""
    property bool isSelect: false
    property int index: 0
    property int gapValue: 8
    property color bgColor: Theme.colorGray0
    property color borderColor: Theme.colorGray2

    signal btnClick(int index)

    implicitWidth: label.implicitWidth + gapValue + box.width
    implicitHeight: Math.max(20, label.implicitHeight)

    Text {
        id: label
        anchors.verticalCenter: parent.verticalCenter
        text: checkBox.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Rectangle {
        id: box
        x: label.implicitWidth + checkBox.gapValue
        anchors.verticalCenter: parent.verticalCenter
        width: 12
        height: 12
        radius: 2
        color: checkBox.isSelect ? Theme.colorBlue : checkBox.bgColor
        border.color: checkBox.isSelect || area.containsMouse ? Theme.colorBlue : checkBox.borderColor
        Image {
            anchors.fill: parent
            visible: checkBox.isSelect
            sourceSize: Qt.size(12, 12)
            source: "../../img/skin1/common/tick.svg"
        }
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            checkBox.btnClick(checkBox.index)
            checkBox.isSelect = !checkBox.isSelect
        }
    }
}
