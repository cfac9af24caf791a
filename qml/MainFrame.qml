import QtQuick
import "common"
import "basic"
import "J2"

// The frame of the scene: both panels, the title-bar menu, the bottom bar, the mouse
// picture, the mask and the dialogs, with the frame's work on its pages. The scene
// (main.qml) creates it once the start-up picture has been painted.
Item {
    id: frameRoot

    // The scene root and its key-name list, handed over by the scene when it creates the frame.
    required property Item mainIten
    required property QtObject keyCodeString

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
        WindowBackground {
            anchors.fill: parent
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
