import QtQuick

// A 242 x 18 title bar: the title at the left, "—" at the right; a click reports
// both a menu toggle and a click on the frame.
Rectangle {
    id: frame

    property string title: ""

    signal openCloseMenu()
    signal clickFrame()

    width: 242
    height: 18
    color: "#1a1a1a"

    Text {
        x: 8
        width: parent.width - 32
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: frame.title
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Text {
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: "—"
        color: Theme.colorGray2
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    MouseArea {
        anchors.fill: parent
        onClicked: {
            frame.openCloseMenu()
            frame.clickFrame()
        }
    }
}
