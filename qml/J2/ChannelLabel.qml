import QtQuick
import "../common"

// The name of a colour channel beside its number field.
Text {
    width: 12
    height: 20
    verticalAlignment: Text.AlignVCenter
    horizontalAlignment: Text.AlignRight
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
    color: Theme.colorGray3
}
