import QtQuick
import "../common"
import "../js/keys.js" as Keys

// The key dialog: edits the function of one button. Every choice replaces the
// dialog's entry at once; closing the dialog hands a changed entry to the button list.
Rectangle {
    id: keyAssignment

    // Fire or group key capture armed: the frame then routes keyboard events to keyEvent.
    readonly property bool captureActive: fireCapture || groupCapture
    property var keyNames: null
    // The button list (KeyList) holding the page rows.
    property var keyPage: null
    property bool isGun: true
    property var labels: Keys.DIALOG_LABELS
    property var macroNames: []
    property int buttonIndex: -1
    property var entry: [0, 0, 0, 0]
    property string entryText: ""
    property int openSection: Keys.TYPE_MOUSE
    property int fireRate: Keys.FIRE_RATE_DEFAULT
    property int fireTimes: 0
    property int macroMode: 0
    property bool fireCapture: false
    property bool groupCapture: false
    property int groupBits: 0
    property var groupKeys: []
    property var groupCaptured: []
    // Told once per run, while a capture is armed, when only this window's keys are seen.
    property bool windowOnlyNoteShown: false
    property bool windowOnlyNote: false
    readonly property string windowOnlyText: "Only keys typed in this window are seen."
    readonly property var sections: {
        var list = [
            { kind: Keys.TYPE_MOUSE, title: Keys.LABEL.mouse },
            { kind: Keys.TYPE_FIRE, title: Keys.LABEL.fire },
            { kind: Keys.TYPE_GROUP, title: Keys.LABEL.group },
            { kind: Keys.TYPE_MEDIA, title: Keys.LABEL.media },
            { kind: Keys.TYPE_MACRO, title: Keys.LABEL.macro },
            { kind: Keys.TYPE_DPI, title: Keys.LABEL.dpi },
            { kind: Keys.TYPE_WINDOWS, title: Keys.LABEL.windows },
            { kind: Keys.TYPE_SHORTCUT, title: Keys.LABEL.shortcut }
        ]
        if (isGun)
            list.push({ kind: Keys.TYPE_GUN, title: Keys.LABEL.gun })
        return list
    }

    signal closed()
    signal openMacroEditor()

    function open(index) {
        buttonIndex = index
        entry = keyPage.entryAt(index)
        entryText = keyPage.textAt(index)
        endCapture()
        windowOnlyNote = false
        macroMenu.visible = false
        if (entry[0] === Keys.TYPE_FIRE) {
            fireRate = entry[2]
            fireTimes = entry[3]
        }
        if (entry[0] === Keys.TYPE_MACRO)
            macroMode = Math.min(entry[1], Keys.MACRO_MODES - 1)
        if (macroNames.length === 0)
            setMacroNames(ui_View.getNameList(0))
        openSection = (entry[0] === Keys.TYPE_MOUSE || entry[0] > Keys.TYPE_GUN
                       || (entry[0] === Keys.TYPE_GUN && !isGun)) ? Keys.TYPE_MOUSE : entry[0]
        visible = true
    }
    function dropFocus() {
        keyAssignment.forceActiveFocus()
        macroMenu.visible = false
    }
    function setLanguage(list) {
        labels = list
    }
    function setMacroNames(list) {
        var names = []
        if (list && list.length !== undefined) {
            for (var i = 0; i < list.length; ++i)
                names.push(String(list[i]))
        }
        if (names.length === 2 && names[1] === Keys.NAME_LIST_DUMMY)
            names.pop()
        macroNames = names
    }
    function closeMacroMenu() {
        macroMenu.visible = false
    }
    function label(i) {
        return Keys.label(labels, i)
    }

    // ---- choices ----

    function choose(newEntry, text) {
        entry = newEntry.slice()
        entryText = text
    }
    function chooseMacro(name) {
        macroMenu.visible = false
        choose([Keys.TYPE_MACRO, macroMode, buttonIndex, 0], name)
    }
    function setMacroMode(mode) {
        macroMode = mode
        if (entry[0] === Keys.TYPE_MACRO)
            choose([entry[0], mode, entry[2], entry[3]], entryText)
    }
    function setFireRate(rate) {
        fireRate = Math.max(Keys.FIRE_RATE_MIN, Math.min(Keys.FIRE_RATE_MAX, Math.round(rate)))
        if (entry[0] === Keys.TYPE_FIRE)
            choose([entry[0], entry[1], fireRate, entry[3]], entryText)
    }
    function setFireTimes(times) {
        var t = Math.floor(Number(times))
        fireTimes = isNaN(t) ? 0 : Math.max(0, Math.min(Keys.FIRE_TIMES_MAX, t))
        if (entry[0] === Keys.TYPE_FIRE)
            choose([entry[0], entry[1], entry[2], fireTimes], entryText)
    }

    // ---- key capture ----

    function armFireCapture() {
        endCapture()
        fireCapture = true
        noteWindowOnly()
    }
    function armGroupCapture() {
        endCapture()
        groupBits = 0
        groupKeys = []
        groupCaptured = []
        groupCapture = true
        noteWindowOnly()
    }
    function confirmGroup() {
        var took = groupBits !== 0 || groupKeys.length > 0
        groupCapture = false
        if (took)
            choose([Keys.TYPE_GROUP, groupBits, groupKeys.length > 0 ? groupKeys[0] : 0,
                    groupKeys.length > 1 ? groupKeys[1] : 0], groupCaptured.join(" + "))
        groupCaptured = []
    }
    function cancelGroup() {
        groupCapture = false
        groupCaptured = []
    }
    function endCapture() {
        fireCapture = false
        groupCapture = false
        groupCaptured = []
    }
    function noteWindowOnly() {
        keyAssignment.forceActiveFocus()
        var global = typeof ui_View.globalKeyCapture === "function" && ui_View.globalKeyCapture()
        if (!global && !windowOnlyNoteShown) {
            windowOnlyNoteShown = true
            windowOnlyNote = true
        }
    }
    function keyEvent(isDown, usbCode) {
        var code = Keys.byte(usbCode)
        if (!isDown || code === 0)
            return
        var name = Keys.keyName(keyNames, code)
        if (fireCapture) {
            fireCapture = false
            choose([Keys.TYPE_FIRE, code, fireRate, fireTimes], name)
        } else if (groupCapture) {
            var bit = Keys.modifierBit(code)
            if (bit !== 0) {
                if (groupBits & bit)
                    return
                groupBits |= bit
            } else {
                if (groupKeys.length >= Keys.GROUP_KEY_COUNT || groupKeys.indexOf(code) >= 0)
                    return
                groupKeys = groupKeys.concat([code])
            }
            groupCaptured = groupCaptured.concat([name])
        }
    }

    // The content of a section (a Component of this file).
    function sectionComponent(kind) {
        switch (kind) {
        case Keys.TYPE_FIRE: return fireSection
        case Keys.TYPE_GROUP: return groupSection
        case Keys.TYPE_MACRO: return macroSection
        case Keys.TYPE_MEDIA: return mediaSection
        case Keys.TYPE_DPI: return dpiSection
        case Keys.TYPE_WINDOWS: return windowsSection
        case Keys.TYPE_SHORTCUT: return shortcutSection
        case Keys.TYPE_GUN: return gunSection
        default: return mouseSection
        }
    }

    // ---- back and close ----

    // The button's factory function back into the dialog and the page.
    function restoreFactory() {
        var factory = keyPage.factoryEntryAt(buttonIndex)
        var text = keyPage.factoryTextAt(buttonIndex)
        if (Keys.sameEntry(factory, entry) && text === entryText)
            return
        choose(factory, text)
        keyPage.assign(buttonIndex, factory, text)
        if (factory[0] === Keys.TYPE_MACRO)
            storeMacro(factory[2], text)
    }
    function close() {
        endCapture()
        macroMenu.visible = false
        keyAssignment.forceActiveFocus()
        visible = false
        if (buttonIndex >= 0 && !Keys.sameEntry(entry, keyPage.entryAt(buttonIndex))) {
            keyPage.assign(buttonIndex, entry, entryText)
            if (entry[0] === Keys.TYPE_MACRO)
                storeMacro(entry[2], entryText)
        }
        keyPage.dialogClosed()
        closed()
    }
    function storeMacro(slot, name) {
        keyPage.sendMacro(slot, name)
        ui_View.setData("mouseMacroKey/" + slot, name)
    }

    width: 320
    height: 448
    visible: false
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    radius: 4

    // A macro chosen here and not yet handed to the page follows the macro editor:
    // renamed, it keeps its new name; deleted, the button's own entry comes back.
    Connections {
        target: keyAssignment.keyPage
        function onMacroNameReplaced(oldName, newName) {
            if (keyAssignment.entry[0] === Keys.TYPE_MACRO && keyAssignment.entryText === oldName)
                keyAssignment.entryText = newName
        }
        function onMacroRemoved(name) {
            if (keyAssignment.buttonIndex >= 0 && keyAssignment.entry[0] === Keys.TYPE_MACRO
                    && keyAssignment.entryText === name)
                keyAssignment.choose(keyAssignment.keyPage.entryAt(keyAssignment.buttonIndex),
                                     keyAssignment.keyPage.textAt(keyAssignment.buttonIndex))
        }
    }

    // Dragging the dialog by its background; it stays inside its parent.
    MouseArea {
        property point pressPos
        anchors.fill: parent
        onPressed: function (mouse) {
            pressPos = Qt.point(mouse.x, mouse.y)
            keyAssignment.dropFocus()
        }
        onPositionChanged: function (mouse) {
            var p = keyAssignment.parent
            if (!p)
                return
            keyAssignment.x = Math.max(0, Math.min(p.width - keyAssignment.width, keyAssignment.x + mouse.x - pressPos.x))
            keyAssignment.y = Math.max(0, Math.min(p.height - keyAssignment.height, keyAssignment.y + mouse.y - pressPos.y))
        }
    }

    Text {
        id: title
        objectName: "keyTitle"
        x: 16
        width: parent.width - 88
        height: 40
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        text: keyAssignment.label(Keys.LABEL.key) + (keyAssignment.buttonIndex + 1) + " : " + keyAssignment.entryText
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
    }
    FlatIconButton {
        objectName: "backButton"
        x: parent.width - 64
        y: 10
        icon: "back"
        onClicked: keyAssignment.restoreFactory()
    }
    FlatIconButton {
        objectName: "closeButton"
        x: parent.width - 36
        y: 10
        icon: "close_small"
        onClicked: keyAssignment.close()
    }
    Rectangle {
        x: 16
        y: 40
        width: parent.width - 32
        height: 1
        color: Theme.colorGray1
    }

    Column {
        id: sectionColumn
        x: 16
        y: 48
        width: parent.width - 32
        spacing: 4
        Repeater {
            model: keyAssignment.sections
            delegate: Column {
                id: section
                required property var modelData
                readonly property bool isOpen: keyAssignment.openSection === modelData.kind
                width: sectionColumn.width
                spacing: 6
                Rectangle {
                    objectName: "section" + section.modelData.kind
                    width: parent.width
                    height: 20
                    radius: 2
                    color: section.isOpen ? Theme.colorGray1 : Theme.colorBlack
                    Rectangle {
                        width: 3
                        height: parent.height
                        color: Theme.colorBlue
                        visible: section.isOpen || section.modelData.kind === keyAssignment.entry[0]
                    }
                    Text {
                        x: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: keyAssignment.label(section.modelData.title)
                        color: section.isOpen ? Theme.fontColor : Theme.colorGray3
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                    Text {
                        anchors.right: parent.right
                        anchors.rightMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        text: section.isOpen ? "—" : "+"
                        color: Theme.colorGray2
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: {
                            keyAssignment.dropFocus()
                            keyAssignment.openSection = section.modelData.kind
                        }
                    }
                }
                Loader {
                    active: section.isOpen
                    visible: active
                    width: parent.width
                    sourceComponent: keyAssignment.sectionComponent(section.modelData.kind)
                }
            }
        }
    }

    Component { id: mouseSection; ChoiceGrid { dialog: keyAssignment; choices: Keys.MOUSE_CHOICES } }
    Component { id: mediaSection; ChoiceGrid { dialog: keyAssignment; choices: Keys.MEDIA_CHOICES } }
    Component { id: dpiSection; ChoiceGrid { dialog: keyAssignment; choices: Keys.DPI_CHOICES } }
    Component { id: windowsSection; ChoiceGrid { dialog: keyAssignment; choices: Keys.WINDOWS_CHOICES } }
    Component { id: shortcutSection; ChoiceGrid { dialog: keyAssignment; choices: Keys.SHORTCUT_CHOICES } }
    Component { id: gunSection; ChoiceGrid { dialog: keyAssignment; choices: Keys.GUN_CHOICES } }

    Component {
        id: fireSection
        Column {
            spacing: 6
            bottomPadding: 6
            Row {
                spacing: 8
                Caption { width: 84; height: 24; elide: Text.ElideRight; text: keyAssignment.label(Keys.LABEL.keyValue) }
                CaptureField {
                    objectName: "fireField"
                    width: 196
                    armed: keyAssignment.fireCapture
                    text: keyAssignment.entry[0] === Keys.TYPE_FIRE && !keyAssignment.fireCapture
                          ? keyAssignment.entryText : keyAssignment.label(Keys.LABEL.clickInput)
                    onClicked: keyAssignment.armFireCapture()
                }
            }
            Row {
                spacing: 8
                Caption { width: 84; height: 24; elide: Text.ElideRight; text: keyAssignment.label(Keys.LABEL.rate) }
                RateSlider {
                    objectName: "rateSlider"
                    width: 148
                    value: keyAssignment.fireRate
                    onMoved: function (v) { keyAssignment.setFireRate(v) }
                }
                Text {
                    objectName: "rateText"
                    width: 40
                    height: 24
                    verticalAlignment: Text.AlignVCenter
                    horizontalAlignment: Text.AlignRight
                    text: keyAssignment.fireRate + "ms"
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
            }
            Row {
                spacing: 8
                Caption { width: 84; height: 24; elide: Text.ElideRight; text: keyAssignment.label(Keys.LABEL.times) }
                RectInput {
                    id: timesInput
                    objectName: "timesInput"
                    y: 2
                    width: 60
                    maxValue: Keys.FIRE_TIMES_MAX
                    textValue: String(keyAssignment.fireTimes)
                    Connections {
                        target: timesInput.txtInput
                        function onEditingFinished() { keyAssignment.setFireTimes(timesInput.txtInput.text) }
                    }
                }
                TickBox {
                    objectName: "endlessBox"
                    text: keyAssignment.label(Keys.LABEL.endless)
                    ticked: keyAssignment.fireTimes === 0
                    onClicked: keyAssignment.setFireTimes(ticked ? 1 : 0)
                }
            }
            Text {
                width: 288
                visible: keyAssignment.windowOnlyNote
                wrapMode: Text.WordWrap
                text: keyAssignment.windowOnlyText
                color: Theme.colorGray2
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMinSize
            }
        }
    }

    Component {
        id: groupSection
        Column {
            spacing: 6
            bottomPadding: 6
            Row {
                spacing: 6
                CaptureField {
                    objectName: "groupField"
                    width: 232
                    armed: keyAssignment.groupCapture
                    text: keyAssignment.groupCapture ? keyAssignment.groupCaptured.join(" + ")
                        : (keyAssignment.entry[0] === Keys.TYPE_GROUP ? keyAssignment.entryText
                                                                      : keyAssignment.label(Keys.LABEL.clickInput))
                    onClicked: keyAssignment.armGroupCapture()
                }
                FlatIconButton {
                    objectName: "groupConfirm"
                    y: 2
                    icon: "tick"
                    iconSize: 12
                    enabled: keyAssignment.groupCapture
                    opacity: enabled ? 1 : 0.35
                    onClicked: keyAssignment.confirmGroup()
                }
                FlatIconButton {
                    objectName: "groupCancel"
                    y: 2
                    icon: "close_small"
                    enabled: keyAssignment.groupCapture
                    opacity: enabled ? 1 : 0.35
                    onClicked: keyAssignment.cancelGroup()
                }
            }
            Text {
                width: 288
                visible: keyAssignment.windowOnlyNote
                wrapMode: Text.WordWrap
                text: keyAssignment.windowOnlyText
                color: Theme.colorGray2
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMinSize
            }
        }
    }

    Component {
        id: macroSection
        Column {
            spacing: 6
            bottomPadding: 6
            Rectangle {
                objectName: "macroBox"
                width: 288
                height: 24
                radius: 2
                color: Theme.colorBlack
                border.color: macroMenu.visible ? Theme.colorBlue : Theme.colorGray1
                Text {
                    x: 10
                    width: parent.width - 36
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: keyAssignment.entry[0] === Keys.TYPE_MACRO ? keyAssignment.entryText : ""
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                Image {
                    anchors.right: parent.right
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    width: 12
                    height: 12
                    sourceSize: Qt.size(12, 12)
                    source: macroMenu.visible ? "../../img/skin1/common/drop_open.svg" : "../../img/skin1/common/drop_close.svg"
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        var p = parent.mapToItem(keyAssignment, 0, parent.height)
                        macroMenu.x = p.x
                        macroMenu.y = p.y
                        macroMenu.visible = !macroMenu.visible && keyAssignment.macroNames.length > 0
                    }
                }
            }
            Repeater {
                model: Keys.MACRO_MODES
                delegate: Item {
                    id: modeRow
                    required property int index
                    objectName: "macroMode" + index
                    width: 288
                    height: Math.max(18, modeText.height)
                    Rectangle {
                        y: 3
                        width: 12
                        height: 12
                        radius: 6
                        color: "transparent"
                        border.color: keyAssignment.macroMode === modeRow.index ? Theme.colorBlue : Theme.colorGray2
                        Rectangle {
                            anchors.centerIn: parent
                            width: 6
                            height: 6
                            radius: 3
                            color: Theme.colorBlue
                            visible: keyAssignment.macroMode === modeRow.index
                        }
                    }
                    Text {
                        id: modeText
                        x: 20
                        width: parent.width - 20
                        wrapMode: Text.WordWrap
                        text: keyAssignment.label(Keys.LABEL.macroModeFirst + modeRow.index)
                        color: keyAssignment.macroMode === modeRow.index ? Theme.fontColor : Theme.colorGray3
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: keyAssignment.setMacroMode(modeRow.index)
                    }
                }
            }
            Rectangle {
                objectName: "macroEditorButton"
                width: 288
                height: 24
                radius: 2
                color: editorArea.containsMouse ? Theme.colorOrange : Theme.colorBlue
                Text {
                    anchors.centerIn: parent
                    text: keyAssignment.label(Keys.LABEL.macroEditor)
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: editorArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        macroMenu.visible = false
                        keyAssignment.openMacroEditor()
                    }
                }
            }
        }
    }

    // The macro names, opened under the macro box.
    Rectangle {
        id: macroMenu
        objectName: "macroMenu"
        width: 288
        height: Math.min(6, keyAssignment.macroNames.length) * 24 + 2
        visible: false
        z: 10
        color: Theme.colorBlack
        border.color: Theme.colorBlue
        ListView {
            x: 1
            y: 1
            width: parent.width - 2
            height: parent.height - 2
            clip: true
            model: keyAssignment.macroNames
            delegate: Rectangle {
                id: macroRow
                required property string modelData
                required property int index
                objectName: "macroName" + index
                width: 286
                height: 24
                color: macroRowArea.containsMouse ? Theme.colorGray1 : "transparent"
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: macroRow.modelData
                    color: macroRow.modelData === keyAssignment.entryText && keyAssignment.entry[0] === Keys.TYPE_MACRO
                           ? Theme.colorBlue : Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: macroRowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: keyAssignment.chooseMacro(macroRow.modelData)
                }
            }
        }
    }
}
