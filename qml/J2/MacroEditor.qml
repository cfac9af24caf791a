import QtQuick

// The macro editor dialog (stub: the API the main scene calls).
Rectangle {
    id: macroEditor

    property bool acceptsKeys: false
    property var keyNames: null

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)
    signal macroNamesChanged(var list)
    signal closed()

    function init() {}
    function dropFocus() {}
    function setLanguage(list) {}
    function keyEvent(isDown, usbCode) {}

    width: 640
    height: 448
    color: "#1a1a1a"
    visible: false
}
