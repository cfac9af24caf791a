import QtQuick

// The frame of a dialog: a rounded panel with its title, an optional reset button
// and the close button in a 44-px title bar. Pressing the background drags the
// panel; it stays inside its parent.
Rectangle {
    id: dialogPanel

    property string title: ""
    property bool hasReset: false
    property string resetTip: ""

    signal closeClicked()
    signal resetClicked()
    signal backgroundPressed()

    radius: 6
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    visible: false

    MouseArea {
        anchors.fill: parent
        drag.target: dialogPanel
        drag.minimumX: 0
        drag.minimumY: 0
        drag.maximumX: dialogPanel.parent ? dialogPanel.parent.width - dialogPanel.width : 0
        drag.maximumY: dialogPanel.parent ? dialogPanel.parent.height - dialogPanel.height : 0
        onPressed: dialogPanel.backgroundPressed()
    }
    Text {
        x: 20
        y: 12
        width: parent.width - 100
        elide: Text.ElideRight
        text: dialogPanel.title
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
    }
    IconButton {
        objectName: "resetButton"
        x: dialogPanel.width - 60
        y: 12
        visible: dialogPanel.hasReset
        normal: "../../img/skin1/common/revert.svg"
        hover: "../../img/skin1/common/revert_hover.svg"
        onClicked: dialogPanel.resetClicked()
    }
    IconButton {
        objectName: "closeButton"
        x: dialogPanel.width - 32
        y: 12
        normal: "../../img/skin1/common/close_small.svg"
        hover: "../../img/skin1/common/close_small_hover.svg"
        onClicked: dialogPanel.closeClicked()
    }
    Rectangle {
        x: 1
        y: 44
        width: dialogPanel.width - 2
        height: 1
        color: Theme.colorGray1
    }
}
