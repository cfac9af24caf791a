import QtQuick

Item {
    id: keyAssignment

    property bool captureActive: false
    property var keyNames: null

    signal closed()
    signal openMacroEditor()

    function open(index) { visible = true }
    function dropFocus() {}
    function setLanguage(list) {}
    function setMacroNames(list) {}
    function closeMacroMenu() {}
    function keyEvent(isDown, usbCode) {}

    width: 640
    height: 448
    visible: false
}
