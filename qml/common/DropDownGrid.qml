import QtQuick

Item {
    property bool isDrop: false
    property int count: 0
    property var mdItems: null
    property int currentSelect: 0
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    signal btnClick()
    signal valueChange(int index)
    function closeMenu() { isDrop = false }
    width: 100; height: 24
}
