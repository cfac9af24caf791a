import QtQuick

// "LOADING ......" pulsing while busy; the animation runs only while it shows.
Item {
    id: busyIndicator

    property bool isBusy: false

    function setBusy(busy) { isBusy = busy }

    width: 200
    height: 40
    visible: isBusy

    Rectangle {
        anchors.fill: parent
        radius: 4
        color: Theme.colorGray0
        opacity: 0.85
        border.color: Theme.colorGray1
    }
    Text {
        id: label
        anchors.centerIn: parent
        text: "LOADING ......"
        color: Theme.colorBlue
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMaxSize
        font.bold: true

        SequentialAnimation on opacity {
            running: busyIndicator.visible
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
