import QtQuick

// The help menu of the title bar: 200 wide, one 24-px row per entry.
Rectangle {
    id: helpMenu

    property var entries: []

    signal chosen(int index)

    width: 200
    height: entries.length * 24 + 2
    color: Theme.colorGray0
    border.color: Theme.colorGray1

    Column {
        x: 1
        y: 1
        Repeater {
            model: helpMenu.entries
            delegate: Rectangle {
                id: row
                required property int index
                required property string modelData
                width: 198
                height: 24
                color: rowArea.containsMouse ? Theme.colorBlue : "transparent"
                Text {
                    x: 8
                    width: parent.width - 16
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: row.modelData
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: helpMenu.chosen(row.index)
                }
            }
        }
    }
}
