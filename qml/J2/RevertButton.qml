import QtQuick
import "../common"

// The 20 x 20 "restore factory values" button of the DPI and lighting pages.
Image {
    id: revertButton

    property string toolTip: ""

    signal clicked()

    width: 20
    height: 20
    sourceSize: Qt.size(20, 20)
    source: area.containsMouse ? "../../img/skin1/common/revert_hover.svg" : "../../img/skin1/common/revert.svg"

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: revertButton.clicked()
    }
    Text {
        anchors.right: parent.left
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        visible: area.containsMouse
        text: revertButton.toolTip
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
        color: Theme.colorGray3
    }
}
