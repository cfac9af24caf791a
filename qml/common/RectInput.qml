import QtQuick
import Corvane.Scene
import "../js/controls.js" as Controls

// A 48 x 20 integer field: at most four digits, never above maxValue while typed;
// when editing ends the text is settled inside [minValue, maxValue] (empty or
// below 1 reads "0"). Enter ends editing.
SceneBox {
    id: rectInput

    property int maxValue: 255
    property int minValue: 0
    property string textValue: "0"
    property alias txtInput: input

    signal inputSignal()
    signal endInputSignal()

    function closeFocus() { input.focus = false }

    width: 48
    height: 20
    radius: 2
    color: Theme.colorGray0
    borderColor: input.activeFocus ? Theme.colorBlue : Theme.colorGray1
    onTextValueChanged: if (input.text !== textValue) input.text = textValue

    TextInput {
        id: input

        property string lastGood: rectInput.textValue

        anchors.fill: parent
        anchors.leftMargin: 2
        anchors.rightMargin: 2
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        clip: true
        maximumLength: 4
        inputMethodHints: Qt.ImhDigitsOnly
        selectByMouse: true
        color: enabled ? Theme.fontColor : Theme.colorGray2
        selectionColor: Theme.colorBlue
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        text: rectInput.textValue

        onTextChanged: {
            if (Controls.acceptsInput(text, rectInput.maxValue)) {
                lastGood = text
                rectInput.textValue = text
            } else {
                text = lastGood
            }
        }
        onAccepted: focus = false
        Keys.onReturnPressed: focus = false
        Keys.onEnterPressed: focus = false
        onActiveFocusChanged: {
            if (activeFocus) {
                rectInput.inputSignal()
            } else {
                text = Controls.finalInput(text, rectInput.minValue, rectInput.maxValue)
                rectInput.endInputSignal()
            }
        }
    }
}
