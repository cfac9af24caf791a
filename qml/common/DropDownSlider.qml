import QtQuick

Item {
    property bool isDrop: false
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    signal btnClick()
    signal valueChange(int value)
    signal dragSignal(bool isDrag)
    function setValue(ratio) {}
    function closeMenu() { isDrop = false }
    width: 100; height: 24
}
