import QtQuick
import "../common"

// The black, grey-bordered frame around a list.
Rectangle {
    color: Theme.colorBlack
    border.color: Theme.colorGray1
    radius: 2
}
