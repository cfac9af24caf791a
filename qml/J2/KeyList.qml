import QtQuick

Item {
    id: keyList

    property bool isSave: false
    property int keyCount: 8
    property int selectedButton: -1
    property bool isGun: true
    property var keyNames: null

    signal openKeyDialog(int index, bool checkLeftClick)

    function init(isSendData, isRecovery) {}
    function saveData() {}
    function setLanguage(list) {}
    function macroDeleted(name) {}
    function macroRenamed(oldName, newName) {}
    function macroDataChanged(name) {}

    width: 232
    height: 300
}
