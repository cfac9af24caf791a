import QtQuick
import "common"
import "basic"
import "J2"

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
        onTriggered: frameLoader.active = true
    }

    WindowDragArea {
        anchors.fill: parent
        onPressed: { mainIten.emptyAreaPressed(); mainIten.mainFocus() }
    }

    Loader {
        id: frameLoader
        anchors.fill: parent
        // Shown without a start (a scene preview) the frame is created at once.
        active: mainIten.frameShown
        sourceComponent: frameComponent
        onLoaded: {
            if (mainIten.startRequested && !mainIten.isPownOn)
                mainIten.finishStart()
        }
    }

    Component {
        id: frameComponent

        Item {
            id: frameRoot

            readonly property bool hasUnsaved: keyListMain.isSave || dpiSettingMain.isSave || lightControlMain.isSave
            // The macro editor is created when it is first opened.
            property Item macroEditor: null
            property var macroEditorTexts: []
            readonly property bool dialogOpen: (macroEditor !== null && macroEditor.visible) || gunControl.visible || systemSetting.visible
                || keyAssignment.visible || profileDialog.visible || resetBox.visible

            function initPages() {
                loadLanguages()
                reportRateRect.init(false, false)
                profileDialog.init()
                mainIten.profileNo = mainIten.globalNumber("mouse/profileNo", 0)
                profileSelector.selectProfile(mainIten.profileNo)
                ui_View.setCurrentProfile(mainIten.profileNo)
                gunControl.init()
                keyListMain.init(false, false)
                dpiSettingMain.init(false, false)
                lightControlMain.init(false, false)
                systemSetting.init(false, false)
            }
            function closeMenus() {
                reportRateRect.closeMenu()
                dpiSettingMain.closeMenu()
                profileSelector.closeMenu()
                lightControlMain.closeMenu()
                helpMenu.visible = false
            }
            function loadLanguages() {
                var lang = function(group) { return ui_View.getLangStrings(group, mainIten.language) }
                mainIten.mainLang = lang("main")
                keyListMain.setLanguage(lang("keyMatrix"))
                keyAssignment.setLanguage(lang("keyAssigment"))
                dpiSettingMain.setLanguage(lang("dpiSetting"))
                lightControlMain.setLanguage(lang("lightControl"))
                macroEditorTexts = lang("macroEditor")
                systemSetting.setLanguage(lang("systemSetting"))
                gunControl.setLanguage(lang("gunControl"))
                profileDialog.setLanguage(lang("profile"))
                keyCodeString.setLanguageNames(lang("keyCode"))
                mainIten.otherLang = lang("other")
            }
            function openMacroEditor() {
                if (!macroEditor) {
                    macroEditor = macroEditorComponent.createObject(frameRoot)
                    macroEditor.setLanguage(macroEditorTexts)
                    macroEditor.init()
                }
                mainIten.openDialog(macroEditor)
            }
            function openKeyAssignment(index) {
                keyAssignment.open(index)
                mainIten.openDialog(keyAssignment)
            }
            function dropDialogFocus() {
                var dialogs = [profileDialog, gunControl, systemSetting, keyAssignment]
                if (macroEditor)
                    dialogs.push(macroEditor)
                for (var i = 0; i < dialogs.length; ++i)
                    if (dialogs[i].visible)
                        dialogs[i].dropFocus()
                lightControlMain.dropFocus()
            }
            // Sends everything of the (new or factory-reset) current profile to the mouse.
            function reloadProfile() {
                keyListMain.init(true, false)
                reportRateRect.init(true, false)
                dpiSettingMain.init(true, false)
                lightControlMain.init(true, false)
                systemSetting.init(true, false)
                if (mainIten.isGun) {
                    ui_View.mouseSwitchKeyMatrix(1)
                    ui_View.mouseResetKeyMatrix()
                }
            }
            function saveAll() {
                mainIten.mainFocus()
                if (!hasUnsaved)
                    return
                mainIten.controlUIEnable(false)
                if (keyListMain.isSave) {
                    keyListMain.isSave = false
                    keyListMain.saveData()
                }
                if (dpiSettingMain.isSave) {
                    dpiSettingMain.isSave = false
                    dpiSettingMain.saveData(true)
                }
                if (lightControlMain.isSave) {
                    lightControlMain.isSave = false
                    lightControlMain.saveData(true, 0)
                }
                mainIten.controlUIEnable(true)
            }
            function resetToFactory() {
                mainIten.controlUIEnable(false)
                resetBox.visible = false
                keyListMain.isSave = false
                dpiSettingMain.isSave = false
                lightControlMain.isSave = false
                ui_View.resetProfile(mainIten.profileNo)
                reloadProfile()
                ui_View.mouseSetCurrentDPI(2)
                mainIten.currentDPI = 1
                gunControl.resetProfile()
                mainIten.controlUIEnable(true)
            }
            function changeProfile(no) {
                if (no === mainIten.profileNo)
                    return
                mainIten.controlUIEnable(false)
                mainIten.profileNo = no
                ui_View.setGlobalData("mouse/profileNo", no)
                ui_View.setCurrentProfile(no)
                profileSelector.selectProfile(no)
                reloadProfile()
                mainIten.controlUIEnable(true)
            }

            Connections {
                target: mainIten
                function onMsg_KB(isDown, usbCode) {
                    if (macroEditor && macroEditor.acceptsKeys)
                        macroEditor.keyEvent(isDown, usbCode)
                    else if (keyAssignment.captureActive)
                        keyAssignment.keyEvent(isDown, usbCode)
                }
            }


            Item {
                id: background
                anchors.fill: parent
                visible: mainIten.frameShown
                Image {
                    anchors.fill: parent
                    source: "../img/skin1/index/background.svg"
                    sourceSize: Qt.size(1024, 640)
                }
                Image {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 5
                    source: "../img/skin1/index/logo.svg"
                    sourceSize: Qt.size(200, 40)
                }
            }

            MousePicture {
                id: mousePicture
                anchors.fill: parent
                visible: mainIten.frameShown
                keyCount: mainIten.keyCount
                selectedIndex: keyListMain.selectedButton
                onButtonClicked: function(index) { keyListMain.requestOpen(index, false) }
                onButtonHovered: function(index) { keyListMain.hoverButton(index) }
            }

            Column {
                id: leftPanel
                x: 24
                y: 88
                spacing: 8
                visible: mainIten.frameShown

                KeyList {
                    id: keyListMain
                    objectName: "keyListMain"
                    keyCount: mainIten.keyCount
                    isGun: mainIten.isGun
                    keyNames: keyCodeString
                    gunPage: gunControl
                    entryLabels: keyAssignment.labels
                    onOpenKeyDialog: function(index, checkLeftClick) { frameRoot.openKeyAssignment(index) }
                }
                EditorBox {
                    captions: [mainIten.caption(0), mainIten.caption(1), mainIten.caption(2)]
                    isGun: mainIten.isGun
                    onMacroEditorClicked: frameRoot.openMacroEditor()
                    onGunEditorClicked: { gunControl.open(); mainIten.openDialog(gunControl) }
                }
                ReportRate {
                    id: reportRateRect
                    objectName: "reportRateRect"
                    title: mainIten.caption(3)
                }
                FrameButton {
                    width: 232
                    height: 24
                    subdued: true
                    textValue: mainIten.caption(9)
                    onClicked: mainIten.openDialog(systemSetting)
                }
            }

            Column {
                id: rightPanel
                x: 768
                y: 56
                // An open drop-down of the pages reaches over the bottom bar.
                z: dpiSettingMain.z > 0 || lightControlMain.z > 0 ? 1 : 0
                spacing: 8
                visible: mainIten.frameShown

                DpiSetting {
                    id: dpiSettingMain
                    objectName: "dpiSettingMain"
                    currentDPI: mainIten.currentDPI
                    lightPage: lightControlMain
                }
                LightControl {
                    id: lightControlMain
                    objectName: "lightControlMain"
                    isColorful: mainIten.isColorful
                }
            }

            ProfileSelector {
                id: profileSelector
                x: titleMenu.x - 16 - width
                y: 16
                visible: mainIten.frameShown
                rows: profileDialog.rows
                onProfileChange: function(no) { frameRoot.changeProfile(no) }
            }

            Row {
                id: titleMenu
                x: 920
                y: 16
                spacing: 4
                visible: mainIten.frameShown

                TitleButton {
                    image: "help"
                    onClicked: { var show = !helpMenu.visible; mainIten.mainFocus(); helpMenu.visible = show }
                }
                TitleButton { image: "min"; onClicked: ui_Ctl.onMinimize() }
                TitleButton { image: "close"; onClicked: ui_Ctl.onClose() }
            }

            Row {
                id: bottomBar
                anchors.right: parent.right
                anchors.rightMargin: 24
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 8
                spacing: 16
                visible: mainIten.frameShown

                FrameButton {
                    textValue: mainIten.caption(4)
                    onClicked: mainIten.openDialog(profileDialog)
                }
                FrameButton {
                    textValue: mainIten.caption(5)
                    onClicked: mainIten.openDialog(resetBox)
                }
                FrameButton {
                    id: saveButton
                    objectName: "saveButton"
                    textValue: mainIten.caption(10)
                    markColor: frameRoot.hasUnsaved ? Theme.colorSaveMark : "transparent"
                    onClicked: frameRoot.saveAll()
                }
            }

            Rectangle {
                id: mask
                anchors.fill: parent
                color: "#90000000"
                visible: frameRoot.dialogOpen
                WindowDragArea {
                    anchors.fill: parent
                    onPressed: frameRoot.dropDialogFocus()
                }
                // Takes the hover, so the picture under the mask shows no button as pointed at.
                MouseArea {
                    anchors.fill: parent
                    acceptedButtons: Qt.NoButton
                    hoverEnabled: true
                }
            }

            Component {
                id: macroEditorComponent

                MacroEditor {
                    // Opened from the key dialog too: it then lies above it.
                    z: 1
                    visible: false
                    keyNames: keyCodeString
                    onDeleteMacro: function(name) { keyListMain.macroDeleted(name) }
                    onModifyMacroName: function(oldName, newName) { keyListMain.macroRenamed(oldName, newName) }
                    onModifyMacroData: function(name) { keyListMain.macroDataChanged(name) }
                    onMacroNamesChanged: function(list) { keyAssignment.setMacroNames(list) }
                    onClosed: keyAssignment.closeMacroMenu()
                }
            }
            GunControl {
                id: gunControl
                visible: false
            }
            SystemSetting {
                id: systemSetting
                visible: false
            }
            ProfileDialog {
                id: profileDialog
                visible: false
                activeProfile: mainIten.profileNo
                onProfileChange: function(no) { frameRoot.changeProfile(no) }
            }
            KeyAssignment {
                id: keyAssignment
                visible: false
                keyNames: keyCodeString
                keyPage: keyListMain
                isGun: mainIten.isGun
                onOpenMacroEditor: frameRoot.openMacroEditor()
            }
            ResetBox {
                id: resetBox
                objectName: "resetBox"
                visible: false
                title: mainIten.caption(5)
                text: mainIten.caption(6)
                cancelText: mainIten.caption(7)
                okText: mainIten.caption(8)
                onAccepted: frameRoot.resetToFactory()
            }

            HelpMenu {
                id: helpMenu
                x: 1024 - 24 - width
                y: titleMenu.y + 28
                visible: false
                entries: [mainIten.url, "Version:1.0"]
                onChosen: function(index) {
                    helpMenu.visible = false
                    if (index === 0)
                        Qt.openUrlExternally(mainIten.url)
                }
            }
        }
    }

    Image {
        id: startupLogo
        anchors.centerIn: parent
        visible: !mainIten.frameShown
        source: "../img/skin1/index/poweron.svg"
        sourceSize: Qt.size(400, 240)
    }

    BusyIndicator {
        id: busyIndicator
        z: 2
        anchors.centerIn: parent
        // Below the start-up picture while it shows, so its name stays readable.
        anchors.verticalCenterOffset: mainIten.frameShown ? 0 : startupLogo.height / 2 + 32
    }
}
