import QtQuick

Item {
    id: dpiSettingMain
    property bool isSave: false
    property int currentDPI: 0
    property var lightPage: null
    width: 232
    height: 260
    function init(isSendData, isRecovery) {}
    function saveData(isSendData) {}
    function closeMenu() {}
    function setLanguage(list) {}
}
