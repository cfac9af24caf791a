import QtQuick
import "../common"

// A thin mark at the right edge of a list showing which part of it is in view; only
// while the list is longer than its frame.
Rectangle {
    property ListView list

    x: list.x + list.width - 5
    y: list.y + list.visibleArea.yPosition * list.height
    width: 3
    height: list.visibleArea.heightRatio * list.height
    radius: 1
    color: Theme.colorGray2
    visible: list.contentHeight > list.height
}
