import QtQuick

Item {
    property int segment: 10
    property int segmentValue: 0
    property bool isScale: false
    property color colorS: Theme.colorBlue
    signal valueChange(int value)
    signal valueChangeDelay(int value)
    signal btnClick()
    signal dragSignal(bool isDrag)
    function setRatioValue(r) {}
    function setIndexValue(i, send) {}
    width: 160; height: 16
}
