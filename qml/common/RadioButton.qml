import QtQuick

Item {
    property string textValue: ""
    property bool isSelect: false
    property int index: 0
    property int gapValue: 16
    signal btnClick(int index)
    width: 100; height: 20
}
