import QtQuick
import "../common"

// System settings dialog (placeholder until the real page lands).
Rectangle {
    id: systemSetting

    signal closed()

    function init(send, recovery) {}
    function dropFocus() {}
    function setLanguage(list) {}

    width: 416
    height: 312
    color: Theme.colorGray0
    visible: false
}
