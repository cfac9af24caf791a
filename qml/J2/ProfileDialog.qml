import QtQuick

Item {
    id: profileDialog

    property var rows: []

    signal profileChange(int profileNo)
    signal closed()

    function init() {}
    function dropFocus() {}
    function setLanguage(list) {}

    width: 416
    height: 312
    visible: false
}
