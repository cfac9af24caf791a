import QtQuick

Item {
    id: root

    property int keyCount: 8
    property int selectedIndex: -1

    signal buttonClicked(int index)
    signal buttonHovered(int index)

    width: 1024
    height: 640
}
