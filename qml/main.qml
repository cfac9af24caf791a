import QtQuick
import Corvane.Scene
import "common"
import "basic"

// The root of the scene: the frame with its panels, title-bar menu and bottom bar,
// the dialogs over a dimming mask, the busy protection and the start-up sequence.
Item {
    id: mainIten

    // Captions of the frame, replaced by the language group "main".
    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
        "Reset factory setting", "Cancel", "OK", "System setting", "Save", "", "", "", ""]
    property string language: "ChineseSimplified"
    property string url: "https://www.corvane.example"
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553-24"
    property bool isPownOn: false
    property int skin_No: 1
    property int keyCount: 8
    property int profileNo: 0
    // The texts of the language group "other", kept for the pages that ask for them.
    property var otherLang: []
    // The highlighted DPI stage, counted from 0.
    property int currentDPI: -1
    // True once the first protection has ended and the full frame shows.
    property bool frameShown: false
    // The first initUI asked for the frame; its one-time work runs once the frame exists.
    property bool startRequested: false
    // The frame (panels, bottom bar, dialogs) once created: null before.
    readonly property Item frame: frameLoader.item

    property string fontFamily: Theme.fontFamily
    property int fontMinSize: Theme.fontMinSize
    property int fontNormalSize: Theme.fontNormalSize
    property int fontMiddleSize: Theme.fontMiddleSize
    property int fontMaxSize: Theme.fontMaxSize
    property color fontColor: Theme.fontColor
    property color colorGray0: Theme.colorGray0
    property color colorGray1: Theme.colorGray1
    property color colorGray2: Theme.colorGray2
    property color colorGray3: Theme.colorGray3
    property color colorBlue: Theme.colorBlue
    property color colorOrange: Theme.colorOrange
    property color colorBlack: Theme.colorBlack

    signal emptyAreaPressed()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int vornCode, int x, int y)

    // --- functions called by the host ---

    function initUI() {
        setProtectUI(1000)
        visible = true
        if (!isPownOn && !startRequested) {
            isColorful = globalText("mouse/isColorful", String(isColorful)) === "true"
            icType = globalText("mouse/icType", icType)
            isGun = globalText("mouse/isGun", String(isGun)) === "true"
            keyCount = globalNumber("mouse/keyCount", keyCount)
            language = globalText("common/language", language)
            url = globalText("common/url", url)
            if (icType === "560" && Number(ui_View.mouseReadCurrentProfile()) !== 1)
                hid.hid560_02H_SetCurrentProfile(1)
            startRequested = true
            if (frame)
                finishStart()
            else
                frameLoadTimer.start()
        }
        var dpi = Number(ui_View.mouseGetCurrentDPI())
        if (!isNaN(dpi))
            currentDPI = dpi - 1
    }
    function run() {}
    function setProtectUI(interval) {
        busyIndicator.setBusy(true)
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

    // --- functions used by the pages ---

    function controlUIEnable(isEnable) {
        busyIndicator.setBusy(!isEnable)
        ui_View.setEnabled(isEnable)
    }
    function mainFocus() {
        if (frame)
            frame.closeMenus()
    }

    // --- the frame's own work ---

    function globalText(key, fallback) {
        var v = ui_View.getGlobalData(key)
        return (v === undefined || v === null || String(v) === "") ? fallback : String(v)
    }
    function globalNumber(key, fallback) {
        var n = Number(globalText(key, String(fallback)))
        return isNaN(n) ? fallback : n
    }
    // The first initUI's work on the pages, once the frame exists.
    function finishStart() {
        frame.initPages()
        isPownOn = true
        if (!protectTimer.running)
            endProtection()
    }
    // Unlocks the view; the first time, the frame replaces the start-up logo. While the
    // frame is still being created the start-up stays locked: finishStart ends it.
    function endProtection() {
        if (startRequested && !isPownOn)
            return
        ui_View.setEnabled(true)
        busyIndicator.setBusy(false)
        frameShown = true
    }
    function loadFrame() {
        if (frameLoader.status === Loader.Null)
            frameLoader.setSource("MainFrame.qml", { mainIten: mainIten, keyCodeString: keyCodeString })
    }
    function caption(i) { return i < mainLang.length ? mainLang[i] : "" }
    function openDialog(page) {
        page.x = Math.round((width - page.width) / 2)
        page.y = Math.round((height - page.height) / 2)
        page.visible = true
        mainFocus()
    }

    width: 1024
    height: 640
    visible: false

    // Shown without a start (a scene preview) the frame is created at once.
    onFrameShownChanged: if (frameShown) loadFrame()
    Component.onCompleted: if (frameShown) loadFrame()

    KeyCodeString {
        id: keyCodeString
        objectName: "keyCodeString"
    }

    Timer {
        id: protectTimer
        repeat: false
        onTriggered: mainIten.endProtection()
    }

    // The frame is created after the start-up picture has been painted once.
    Timer {
        id: frameLoadTimer
        interval: 1
        repeat: false
        onTriggered: mainIten.loadFrame()
    }

    WindowDragArea {
        anchors.fill: parent
        onPressed: { mainIten.emptyAreaPressed(); mainIten.mainFocus() }
    }

    Loader {
        id: frameLoader
        anchors.fill: parent
        onLoaded: {
            if (mainIten.startRequested && !mainIten.isPownOn)
                mainIten.finishStart()
        }
    }

    // Gone with its picture once the frame shows.
    ScenePicture {
        id: startupLogo
        anchors.centerIn: parent
        width: 400
        height: 240
        visible: !mainIten.frameShown
        source: mainIten.frameShown ? "" : "../img/skin1/index/poweron.svg"
    }

    BusyIndicator {
        id: busyIndicator
        z: 2
        anchors.centerIn: parent
        // Below the start-up picture while it shows, so its name stays readable.
        anchors.verticalCenterOffset: mainIten.frameShown ? 0 : startupLogo.height / 2 + 32
    }
}
