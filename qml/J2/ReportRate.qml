import QtQuick

Item {
    id: reportRateRect
    property string title: "Report Rate"
    width: 232
    height: 56
    function init(isSendData, isRecovery) {}
    function closeMenu() {}
}
