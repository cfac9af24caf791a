import QtQuick
import "../common"

// A 20 x 20 button showing img/skin1/common/<icon>.svg, on a grey square while hovered and enabled.
Item {
    id: iconButton

    property string icon: ""
    property int iconSize: 20

    signal clicked()

    width: 20
    height: 20

    Rectangle {
        anchors.fill: parent
        radius: 2
        color: Theme.colorGray1
        visible: iconArea.containsMouse && iconButton.enabled
    }
    Image {
        anchors.centerIn: parent
        width: iconButton.iconSize
        height: iconButton.iconSize
        sourceSize: Qt.size(iconButton.iconSize, iconButton.iconSize)
        source: "../../img/skin1/common/" + iconButton.icon + ".svg"
    }
    MouseArea {
        id: iconArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: iconButton.clicked()
    }
}
