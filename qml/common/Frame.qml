import QtQuick

Rectangle {
    property string title: ""
    signal openCloseMenu()
    signal clickFrame()
    width: 242; height: 18
    color: "#1a1a1a"
}
