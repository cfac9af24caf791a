import QtQuick
import "../common"

// A field for editing in place: on creation it tells the use (opened), takes the
// keyboard and selects its text; Return or Enter ends it with the text (finished).
TextInput {
    id: field

    signal opened(TextInput field)
    signal finished(string text)

    verticalAlignment: TextInput.AlignVCenter
    color: Theme.fontColor
    selectionColor: Theme.colorBlue
    selectByMouse: true
    clip: true
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
    Component.onCompleted: {
        opened(field)
        forceActiveFocus()
        selectAll()
    }
    onAccepted: finished(text)
}
