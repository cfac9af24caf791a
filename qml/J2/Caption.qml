import QtQuick
import "../common"

// A grey caption beside a field; a use sets its size and elide where it needs them.
Text {
    verticalAlignment: Text.AlignVCenter
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
    color: Theme.colorGray3
}
