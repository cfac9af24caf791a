import QtQuick

Item {
    property string textValue: ""
    property bool isSelect: false
    property int index: 0
    property int gapValue: 8
    property color bgColor: Theme.colorGray0
    property color borderColor: Theme.colorGray2
    signal btnClick(int index)
    width: 100; height: 20
}
