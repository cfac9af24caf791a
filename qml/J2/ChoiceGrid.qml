import QtQuick
import "../common"
import "../js/keys.js" as Keys

// Two columns of choices; the one equal to the dialog's entry is blue, a click hands
// its entry and label to the dialog.
Grid {
    id: grid

    property var choices: []
    // The dialog the choices go to: its entry, label(i) and choose(entry, text).
    property var dialog: null

    columns: 2
    spacing: 4
    bottomPadding: 6

    Repeater {
        model: grid.choices
        delegate: Rectangle {
            id: choice
            required property var modelData
            readonly property bool chosen: grid.dialog && Keys.sameEntry(modelData.entry, grid.dialog.entry)
            objectName: "choice" + modelData.label
            width: 142
            height: 24
            radius: 2
            color: chosen ? Theme.colorBlue : (choiceArea.containsMouse ? Theme.colorGray1 : Theme.colorBlack)
            border.color: chosen ? Theme.colorBlue : Theme.colorGray1
            Text {
                anchors.centerIn: parent
                width: parent.width - 8
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                text: grid.dialog ? grid.dialog.label(choice.modelData.label) : ""
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            MouseArea {
                id: choiceArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: grid.dialog.choose(choice.modelData.entry, grid.dialog.label(choice.modelData.label))
            }
        }
    }
}
