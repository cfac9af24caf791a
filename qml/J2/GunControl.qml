import QtQuick
import "../common"

// Recoil editor dialog (placeholder until the real page lands).
Rectangle {
    id: gunControl

    signal closed()

    function init() {}
    function open() {}
    function resetProfile() {}
    function dropFocus() {}
    function setLanguage(list) {}
    function periods() { return [0, 0, 0] }

    width: 640
    height: 448
    color: Theme.colorGray0
    visible: false
}
