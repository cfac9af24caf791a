import QtQuick
import Corvane.Scene

// The "Editor" box of the left panel: its caption and the entries opening the
// macro editor and, on mice with recoil support, the gun editor.
Rectangle {
    id: editorBox

    property var captions: ["Editor", "Macro Editor", "Gun Editor"]
    property bool isGun: true

    signal macroEditorClicked()
    signal gunEditorClicked()

    width: 232
    height: isGun ? 100 : 76
    color: Theme.colorBlack
    border.color: Theme.colorGray1
    radius: 2

    Frame {
        id: header
        x: 1
        y: 1
        width: parent.width - 2
        title: editorBox.captions[0]
    }
    Column {
        x: 8
        y: header.y + header.height + Math.round((editorBox.height - header.y - header.height - height) / 2)
        spacing: 4
        Repeater {
            model: editorBox.isGun ? 2 : 1
            delegate: SceneBox {
                id: entry
                required property int index
                width: editorBox.width - 16
                height: 24
                radius: 2
                color: entryArea.containsMouse ? Theme.colorBlue : Theme.colorGray0
                borderColor: entryArea.containsMouse ? Theme.colorBlue : Theme.colorGray1
                Text {
                    anchors.centerIn: parent
                    text: editorBox.captions[entry.index + 1]
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: entry.index === 0 ? editorBox.macroEditorClicked() : editorBox.gunEditorClicked()
                }
            }
        }
    }
}
