import QtQuick

Item {
    id: lightControlMain
    property bool isSave: false
    property bool isColorful: false
    width: 232
    height: 276
    function init(isSendData, isRecovery) {}
    function saveData(isSendData, isStep) {}
    function closeMenu() {}
    function dropFocus() {}
    function setLanguage(list) {}
}
