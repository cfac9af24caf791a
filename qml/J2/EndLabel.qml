import QtQuick
import "../common"

// The small grey word at one end of a slider ("Slow", "Fast").
Text {
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontMinSize
    color: Theme.colorGray2
}
