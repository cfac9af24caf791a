import QtQuick

Item {
    property bool isBusy: false
    function setBusy(b) { isBusy = b }
    width: 160; height: 24
    visible: isBusy
    Text { anchors.centerIn: parent; text: "LOADING ......"; color: Theme.colorBlue; font.family: Theme.fontFamily; font.pixelSize: Theme.fontMaxSize }
}
