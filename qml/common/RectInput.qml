import QtQuick

Rectangle {
    property int maxValue: 255
    property int minValue: 0
    property string textValue: ""
    property alias txtInput: input
    signal inputSignal()
    signal endInputSignal()
    function closeFocus() { input.focus = false }
    width: 48; height: 20
    TextInput { id: input; anchors.fill: parent; text: parent.textValue }
}
