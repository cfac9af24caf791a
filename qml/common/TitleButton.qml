import QtQuick

// A 24 x 24 title-bar button drawn by <image>.svg, <image>_hover.svg under the pointer.
Item {
    id: titleButton

    property string image: ""

    signal clicked()

    width: 24
    height: 24

    Image {
        anchors.fill: parent
        sourceSize: Qt.size(24, 24)
        source: "../../img/skin1/index/" + titleButton.image + (area.containsMouse ? "_hover" : "") + ".svg"
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: titleButton.clicked()
    }
}
