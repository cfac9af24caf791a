import QtQuick

Item {
    property bool isDrop: false
    property int count: 0
    property var mdItems: null
    property int currentSelect: 2
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    signal btnClick()
    signal valueChange(int index)
    signal dragSignal(bool isDrag)
    function closeMenu() { isDrop = false }
    width: 232; height: 24
}
