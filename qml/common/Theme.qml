pragma Singleton
import QtQuick

// Fonts and colours shared by every part of the scene.
QtObject {
    readonly property string fontFamily: "微软雅黑"
    readonly property int fontMinSize: 10
    readonly property int fontNormalSize: 12
    readonly property int fontMiddleSize: 14
    readonly property int fontMaxSize: 16
    readonly property color fontColor: "#ffffff"
    readonly property color colorGray0: "#1a1a1a"
    readonly property color colorGray1: "#3c3c3c"
    readonly property color colorGray2: "#969696"
    readonly property color colorGray3: "#d1d1d1"
    readonly property color colorBlue: "#229bd0"
    readonly property color colorOrange: "#229bd0"
    readonly property color colorBlack: "#000000"
    readonly property color colorSaveMark: "#ff3030"
}
