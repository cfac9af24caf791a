import QtQuick
import "../common"
import "../js/keys.js" as Keys

// The profile selector of the title bar: a drop-down over the named profiles' rows.
// A choice reports the profile number the row carries. The list is created on the first
// opening and kept.
Item {
    id: profileSelector

    // Rows {name, number} of the named profiles.
    property var rows: []
    property int selectedNumber: 0
    property bool isDrop: false
    readonly property int selectedRow: Math.max(0, Keys.rowOfNumber(rows, selectedNumber))

    signal profileChange(int profileNo)

    function selectProfile(no) {
        selectedNumber = Number(no)
    }
    function closeMenu() {
        isDrop = false
    }
    function choose(index) {
        isDrop = false
        if (index >= 0 && index < rows.length)
            profileChange(rows[index].number)
    }

    width: 144
    height: 24
    z: isDrop ? 20 : 0

    Rectangle {
        objectName: "selectorBox"
        anchors.fill: parent
        radius: 2
        color: Theme.colorBlack
        border.color: profileSelector.isDrop || boxArea.containsMouse ? Theme.colorBlue : Theme.colorGray1
        Text {
            x: 10
            width: parent.width - 36
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            text: profileSelector.selectedRow < profileSelector.rows.length
                  ? profileSelector.rows[profileSelector.selectedRow].name : ""
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            width: 12
            height: 12
            sourceSize: Qt.size(12, 12)
            source: profileSelector.isDrop ? "../../img/skin1/common/drop_open.svg" : "../../img/skin1/common/drop_close.svg"
        }
        MouseArea {
            id: boxArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: {
                listLoader.active = true
                profileSelector.isDrop = !profileSelector.isDrop
            }
        }
    }

    Loader {
        id: listLoader
        y: parent.height + 2
        width: parent.width
        height: profileSelector.rows.length * 24 + 2
        visible: profileSelector.isDrop
        active: false
        sourceComponent: listComponent
    }

    Component {
        id: listComponent
        Rectangle {
            objectName: "selectorList"
            color: Theme.colorBlack
            border.color: Theme.colorBlue
            Column {
                x: 1
                y: 1
                Repeater {
                    model: profileSelector.rows
                    delegate: Rectangle {
                        id: entry
                        required property var modelData
                        required property int index
                        objectName: "selectorRow" + index
                        width: profileSelector.width - 2
                        height: 24
                        color: entryArea.containsMouse ? Theme.colorGray1 : "transparent"
                        Text {
                            x: 10
                            width: parent.width - 20
                            anchors.verticalCenter: parent.verticalCenter
                            elide: Text.ElideRight
                            text: entry.modelData.name
                            color: entry.index === profileSelector.selectedRow ? Theme.colorBlue : Theme.fontColor
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontNormalSize
                        }
                        MouseArea {
                            id: entryArea
                            anchors.fill: parent
                            hoverEnabled: true
                            onClicked: profileSelector.choose(entry.index)
                        }
                    }
                }
            }
        }
    }
}
