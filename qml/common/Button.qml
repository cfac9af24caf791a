import QtQuick

Item {
    property string textValue: ""
    signal clicked()
    width: 192; height: 38
    Rectangle { anchors.fill: parent; color: "#737373"; opacity: ma.containsMouse ? 1 : 0.1 }
    Text { anchors.centerIn: parent; text: parent.textValue; color: Theme.fontColor; font.family: Theme.fontFamily; font.pixelSize: Theme.fontNormalSize }
    MouseArea { id: ma; anchors.fill: parent; hoverEnabled: true; onClicked: parent.clicked() }
}
