import QtQuick
import "common"
import "basic"
import "J2"
import "js/keys.js" as Keys

// The frame of the scene: both panels, the title-bar menu, the bottom bar, the mouse
// picture, the mask and the dialogs, with the frame's work on its pages. The scene
// (main.qml) creates it once the start-up picture has been painted.
Item {
    id: frameRoot

    // The scene root and its key-name list, handed over by the scene when it creates the frame.
    required property Item mainIten
    required property QtObject keyCodeString

    readonly property bool hasUnsaved: keyListMain.isSave || dpiSettingMain.isSave || lightControlMain.isSave
    // The macro editor, the key dialog, the gun editor, the system page, the profile
    // dialog, the reset box and the help menu are created when first needed: until then
    // they hold no memory.
    property Item macroEditor: null
    property Item keyAssignment: null
    property Item gunControl: null
    property Item systemSetting: null
    property Item profileDialog: null
    property Item resetBox: null
    property Item helpMenu: null
    // The language list of each page created later, by its type (none loaded: the page's own texts stay).
    property var pageTexts: ({})
    readonly property var createdDialogs: [macroEditor, keyAssignment, gunControl, systemSetting, profileDialog, resetBox]
        .filter(function(d) { return d !== null })
    readonly property bool dialogOpen: createdDialogs.some(function(d) { return d.visible })

    function initPages() {
        loadLanguages()
        reportRateRect.init(false, false)
        profileRows.load(Keys.label(pageTexts.ProfileDialog, Keys.PROFILE_LABEL_STANDARD))
        mainIten.profileNo = mainIten.globalNumber("mouse/profileNo", 0)
        profileSelector.selectProfile(mainIten.profileNo)
        ui_View.setCurrentProfile(mainIten.profileNo)
        keyListMain.init(false, false)
        dpiSettingMain.init(false, false)
        lightControlMain.init(false, false)
    }
    function closeMenus() {
        reportRateRect.closeMenu()
        dpiSettingMain.closeMenu()
        profileSelector.closeMenu()
        lightControlMain.closeMenu()
        if (helpMenu)
            helpMenu.visible = false
    }
    function loadLanguages() {
        var lang = function(group) { return ui_View.getLangStrings(group, mainIten.language) }
        mainIten.mainLang = lang("main")
        keyListMain.setLanguage(lang("keyMatrix"))
        dpiSettingMain.setLanguage(lang("dpiSetting"))
        lightControlMain.setLanguage(lang("lightControl"))
        pageTexts = { KeyAssignment: lang("keyAssigment"), MacroEditor: lang("macroEditor"),
                      SystemSetting: lang("systemSetting"), GunControl: lang("gunControl"),
                      ProfileDialog: lang("profile") }
        keyCodeString.setLanguageNames(lang("keyCode"))
        mainIten.otherLang = lang("other")
    }
    // A page ("J2/MacroEditor", "common/ResetBox", ...) created hidden on the frame, in the
    // frame's language; its type is loaded only now.
    function create(path, properties) {
        var type = path.substring(path.lastIndexOf("/") + 1)
        properties.visible = false
        var page = Qt.createComponent(path + ".qml").createObject(frameRoot, properties)
        if (pageTexts[type] !== undefined)
            page.setLanguage(pageTexts[type])
        return page
    }
    function macroEditorPage() {
        if (!macroEditor) {
            // Opened from the key dialog too: it then lies above it.
            macroEditor = create("J2/MacroEditor", { z: 1, keyNames: keyCodeString })
            macroEditor.deleteMacro.connect(keyListMain.macroDeleted)
            macroEditor.modifyMacroName.connect(keyListMain.macroRenamed)
            macroEditor.modifyMacroData.connect(keyListMain.macroDataChanged)
            macroEditor.macroNamesChanged.connect(function(list) { if (keyAssignment) keyAssignment.setMacroNames(list) })
            macroEditor.closed.connect(function() { if (keyAssignment) keyAssignment.closeMacroMenu() })
            macroEditor.init()
        }
        return macroEditor
    }
    function keyAssignmentPage() {
        if (!keyAssignment) {
            keyAssignment = create("J2/KeyAssignment", { keyNames: keyCodeString, keyPage: keyListMain,
                                                      isGun: Qt.binding(function() { return mainIten.isGun }) })
            keyAssignment.openMacroEditor.connect(openMacroEditor)
        }
        return keyAssignment
    }
    function gunControlPage() {
        if (!gunControl) {
            gunControl = create("J2/GunControl", {})
            gunControl.init()
        }
        return gunControl
    }
    function systemSettingPage() {
        if (!systemSetting) {
            systemSetting = create("J2/SystemSetting", {})
            systemSetting.init(false, false)
        }
        return systemSetting
    }
    function profileDialogPage() {
        if (!profileDialog) {
            profileDialog = create("J2/ProfileDialog", { profiles: profileRows,
                                                         activeProfile: Qt.binding(function() { return mainIten.profileNo }) })
            profileDialog.profileChange.connect(changeProfile)
        }
        return profileDialog
    }
    function resetBoxPage() {
        if (!resetBox) {
            resetBox = create("common/ResetBox", { objectName: "resetBox",
                                                   title: Qt.binding(function() { return mainIten.caption(5) }),
                                                   text: Qt.binding(function() { return mainIten.caption(6) }),
                                                   cancelText: Qt.binding(function() { return mainIten.caption(7) }),
                                                   okText: Qt.binding(function() { return mainIten.caption(8) }) })
            resetBox.accepted.connect(resetToFactory)
        }
        return resetBox
    }
    // Under the title bar at the right edge.
    function helpMenuPage() {
        if (!helpMenu) {
            helpMenu = create("common/HelpMenu", {})
            helpMenu.entries = Qt.binding(function() { return [mainIten.url, "Version:1.0"] })
            helpMenu.x = Qt.binding(function() { return 1024 - 24 - helpMenu.width })
            helpMenu.y = Qt.binding(function() { return titleMenu.y + 28 })
            helpMenu.chosen.connect(function(index) {
                helpMenu.visible = false
                if (index === 0)
                    Qt.openUrlExternally(mainIten.url)
            })
        }
        return helpMenu
    }
    function openMacroEditor() {
        mainIten.openDialog(macroEditorPage())
    }
    function openKeyAssignment(index) {
        keyAssignmentPage().open(index)
        mainIten.openDialog(keyAssignment)
    }
    function dropDialogFocus() {
        // The reset box has nothing to drop.
        var dialogs = createdDialogs.filter(function(d) { return d !== resetBox })
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
        systemSettingPage().init(true, false)
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
        if (resetBox)
            resetBox.visible = false
        keyListMain.isSave = false
        dpiSettingMain.isSave = false
        lightControlMain.isSave = false
        ui_View.resetProfile(mainIten.profileNo)
        reloadProfile()
        ui_View.mouseSetCurrentDPI(2)
        mainIten.currentDPI = 1
        gunControlPage().resetProfile()
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

    ProfileRows {
        id: profileRows
    }

    Connections {
        target: mainIten
        function onMsg_KB(isDown, usbCode) {
            if (macroEditor && macroEditor.acceptsKeys)
                macroEditor.keyEvent(isDown, usbCode)
            else if (keyAssignment && keyAssignment.captureActive)
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
            entryLabels: frameRoot.pageTexts.KeyAssignment || Keys.DIALOG_LABELS
            onOpenKeyDialog: function(index, checkLeftClick) { frameRoot.openKeyAssignment(index) }
        }
        EditorBox {
            captions: [mainIten.caption(0), mainIten.caption(1), mainIten.caption(2)]
            isGun: mainIten.isGun
            onMacroEditorClicked: frameRoot.openMacroEditor()
            onGunEditorClicked: { gunControlPage().open(); mainIten.openDialog(gunControl) }
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
            onClicked: mainIten.openDialog(frameRoot.systemSettingPage())
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
        rows: profileRows.rows
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
            onClicked: { var show = !(frameRoot.helpMenu && frameRoot.helpMenu.visible); mainIten.mainFocus(); frameRoot.helpMenuPage().visible = show }
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
            onClicked: mainIten.openDialog(frameRoot.profileDialogPage())
        }
        FrameButton {
            textValue: mainIten.caption(5)
            onClicked: mainIten.openDialog(frameRoot.resetBoxPage())
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
}
