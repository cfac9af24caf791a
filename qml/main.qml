import QtQuick

// The root of the scene. The pages come later; this root already answers every
// call the host makes and does the one-time start-up reading of initUI.
Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    property bool isPownOn: false
    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
        "Reset factory setting", "Cancel", "OK", "System setting", "Save", "", "", "", ""]
    property string language: "ChineseSimplified"
    property string url: ""
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553-24"
    property int keyCount: 8
    property int profileNo: 0
    property var langGroups: ({})
    // The highlighted DPI stage, counted from 0 (-1: none).
    property int currentDPI: -1

    signal emptyAreaPressed()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int vornCode, int x, int y)

    Rectangle {
        anchors.fill: parent
        radius: 8
        color: "#1a1a1a"
        border.color: "#3c3c3c"
        Text {
            anchors.centerIn: parent
            text: "CORVANE SKARN MOUSE GX17"
            color: "#ffffff"
            font.pixelSize: 16
        }
        Text {
            id: busyText
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.top: parent.verticalCenter
            anchors.topMargin: 24
            text: "LOADING ......"
            color: "#229bd0"
            visible: false
            SequentialAnimation on opacity {
                running: busyText.visible
                loops: Animation.Infinite
                NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
                NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
            }
        }
    }

    MouseArea {
        anchors.fill: parent
        property point pressPos
        onPressed: function(mouse) { pressPos = Qt.point(mouse.x, mouse.y); mainIten.emptyAreaPressed() }
        onPositionChanged: function(mouse) {
            ui_Ctl.onXChanged(mouse.x - pressPos.x)
            ui_Ctl.onYChanged(mouse.y - pressPos.y)
        }
    }

    Timer {
        id: protectTimer
        repeat: false
        onTriggered: { ui_View.setEnabled(true); busyText.visible = false }
    }

    function globalText(key, fallback) {
        var v = ui_View.getGlobalData(key)
        return (v === undefined || v === null) ? fallback : String(v)
    }

    function initUI() {
        setProtectUI(1000)
        visible = true
        if (!isPownOn) {
            isColorful = globalText("mouse/isColorful", String(isColorful)) === "true"
            icType = globalText("mouse/icType", icType)
            isGun = globalText("mouse/isGun", String(isGun)) === "true"
            keyCount = Number(globalText("mouse/keyCount", keyCount))
            language = globalText("common/language", language)
            url = globalText("common/url", url)
            if (icType === "560" && Number(ui_View.mouseReadCurrentProfile()) !== 1)
                hid.hid560_02H_SetCurrentProfile(1)
            var groups = ["main", "keyMatrix", "keyAssigment", "dpiSetting", "lightControl", "macroEditor",
                          "systemSetting", "gunControl", "profile", "keyCode", "other"]
            var loaded = {}
            for (var i = 0; i < groups.length; ++i)
                loaded[groups[i]] = ui_View.getLangStrings(groups[i], language)
            langGroups = loaded
            mainLang = loaded["main"]
            var p = Number(globalText("mouse/profileNo", "0"))
            profileNo = isNaN(p) ? 0 : p
            ui_View.setCurrentProfile(profileNo)
            isPownOn = true
        }
        var dpi = Number(ui_View.mouseGetCurrentDPI())
        currentDPI = isNaN(dpi) ? -1 : dpi - 1
    }
    function run() {}
    function setProtectUI(interval) {
        busyText.visible = true
        ui_View.setEnabled(false)
        protectTimer.interval = interval
        protectTimer.restart()
    }
    function setCurrentDPI(dpiValue) {
        if (Number(dpiValue) !== 0)
            currentDPI = Number(dpiValue) - 1
    }
    function detectKeyboard(isDown, usbCode) { msg_KB(isDown, usbCode) }
    function detectMouse(isDown, vornCode, x, y) { msg_MS(isDown, vornCode, x, y) }
}
