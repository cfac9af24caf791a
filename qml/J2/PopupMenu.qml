import QtQuick
import "../common"

// A menu of text entries ({ text, enabled }); a click on an enabled one reports its index.
Rectangle {
    id: popup

    property var entries: []

    signal chosen(int index)

    width: 156
    height: entries.length * 24 + 8
    radius: 2
    visible: false
    z: 11
    color: Theme.colorGray0
    border.color: Theme.colorGray1

    Column {
        x: 4
        y: 4
        Repeater {
            model: popup.entries
            delegate: Rectangle {
                id: entry
                required property var modelData
                required property int index
                objectName: popup.objectName + index
                width: popup.width - 8
                height: 24
                radius: 2
                color: entryArea.containsMouse && modelData.enabled ? Theme.colorBlue : "transparent"
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: entry.modelData.text
                    color: entry.modelData.enabled ? Theme.fontColor : Theme.colorGray1
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: if (entry.modelData.enabled) popup.chosen(entry.index)
                }
            }
        }
    }
}
