import QtQuick
import "../common"
import "../js/macro_codec.js" as Codec
import "../js/macro_editor.js" as Ed

// The macro editor dialog: the macro list, the selected macro's actions, recording
// from the keyboard stream, the insert commands and the repeat count. Every edit is
// saved at once; deletions, renames and content changes are signalled to the scene.
Rectangle {
    id: macroEditor

    property var keyNames: null
    property var texts: ["Macro Editor", "Macro Name", "New", "Delete", "Action", "Stop Record", "Times", "OK",
        "Start Record", "Delay", "Delete", "Import", "Export", "Insert Delay", "Insert Key", "Insert Left Key",
        "Insert Middle Key", "Insert Right Key", "", ""]
    property int selectedMacro: -1
    property int selectedAction: -1
    property string timesValue: "1"
    property bool isRecording: false
    property bool isInserting: false
    property string insertedKeyName: ""
    // Ticks of 10 ms since the last recorded event, counted from the clock.
    property int ticks: 0
    property real tickStart: 0
    property int encodedLength: 2
    property int renamingRow: -1
    property int editingDelayRow: -1
    property TextInput activeField: null
    // Without global capture only keys typed in this window arrive; said once.
    property bool windowOnlyNoteShown: false
    property bool windowOnlyNote: false
    readonly property string windowOnlyText: "Only keys typed in this window are seen."
    readonly property bool actionsFull: encodedLength >= Ed.RECORD_LIMIT
    readonly property bool acceptsKeys: selectedMacro >= 0 && (isRecording || isInserting)
    readonly property bool canEditActions: selectedMacro >= 0 && !isRecording

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)
    signal macroNamesChanged(var list)
    signal closed()

    // --- called by the scene ---

    function init() {
        var names = Ed.namesFromStored(ui_View.getNameList(0))
        macroModel.clear()
        for (var i = 0; i < names.length; ++i)
            macroModel.append({ name: names[i] })
        selectMacro(-1)
        macroNamesChanged(names)
    }
    function setLanguage(list) { texts = list }
    function dropFocus() {
        finishEdits()
        closeMenus()
        timesInput.focus = false
    }
    function keyEvent(isDown, usbCode) {
        var code = Number(usbCode)
        if (isInserting) {
            if (code < Ed.FIRST_MOUSE_CODE)
                insertedKeyName = keyName(code)
            return
        }
        if (!isRecording || selectedMacro < 0)
            return
        var now = Date.now()
        ticks = Ed.ticksBetween(tickStart, now)
        var edit = Ed.recordEdit(actionArray(), isDown, code, keyName(code), delayBox.isSelect, ticks)
        if (edit === null)
            return
        tickStart = now
        ticks = 0
        applyEdit(edit)
        actionList.positionViewAtEnd()
    }
    function close() {
        dropFocus()
        stopRecording()
        windowOnlyNote = false
        visible = false
        closed()
    }

    // --- helpers ---

    function t(i) { return i < texts.length ? texts[i] : "" }
    function keyName(code) { return keyNames ? keyNames.keycodeTostr(code) : "" }
    function macroNames() {
        var names = []
        for (var i = 0; i < macroModel.count; ++i)
            names.push(macroModel.get(i).name)
        return names
    }
    function selectedName() { return selectedMacro >= 0 ? macroModel.get(selectedMacro).name : "" }
    function actionArray() {
        var out = []
        for (var i = 0; i < actionModel.count; ++i) {
            var a = actionModel.get(i)
            out.push({ type: a.type, info: a.info })
        }
        return out
    }
    function storeNames() {
        var names = macroNames()
        ui_View.updataNameList(0, names)
        macroNamesChanged(names)
    }
    function autoSave() {
        if (selectedMacro < 0)
            return
        var name = selectedName()
        ui_View.saveMacroIni(name, Ed.actionStrings(actionArray()), Number(timesValue))
        modifyMacroData(name)
    }
    function selectMacro(row) {
        selectedMacro = row
        selectedAction = -1
        actionModel.clear()
        var loaded = Ed.fromLoaded(row >= 0 ? ui_View.loadMacroIni(selectedName()) : [])
        for (var i = 0; i < loaded.actions.length; ++i)
            actionModel.append(loaded.actions[i])
        timesValue = loaded.times
        timesInput.text = timesValue
        encodedLength = Codec.recordCount(loaded.actions)
        actionList.positionViewAtBeginning()
    }
    // Puts an edit of the action list into the model; the selection follows its row.
    function applyEdit(edit) {
        for (var i = 0; i < edit.remove; ++i)
            actionModel.remove(edit.at)
        for (var j = 0; j < edit.insert.length; ++j)
            actionModel.insert(edit.at + j, edit.insert[j])
        if (edit.select >= 0)
            selectedAction = edit.select
        else if (edit.remove > 0 && edit.insert.length === 0)
            selectedAction = Math.min(edit.at, actionModel.count - 1)
        else if (selectedAction >= edit.at && edit.remove === 0)
            selectedAction += edit.insert.length
        encodedLength = Codec.recordCount(actionArray())
    }
    function saveEdit(edit) {
        if (edit === null)
            return false
        applyEdit(edit)
        autoSave()
        return true
    }
    function closeMenus() {
        macroMenu.visible = false
        actionMenu.visible = false
    }
    function openMenu(menu, item, mx, my) {
        finishEdits()
        closeMenus()
        var p = item.mapToItem(macroEditor, mx, my)
        menu.x = Math.min(p.x, width - menu.width - 4)
        menu.y = Math.min(p.y, height - menu.height - 4)
        menu.visible = true
    }

    // --- macro list ---

    function newMacro() {
        dropFocus()
        stopRecording()
        var name = Ed.nextMacroName(macroNames())
        if (name === "")
            return
        macroModel.append({ name: name })
        ui_View.createMacroIni(name, 0)
        selectMacro(macroModel.count - 1)
        storeNames()
        macroList.positionViewAtEnd()
    }
    function deleteSelectedMacro() {
        dropFocus()
        stopRecording()
        if (selectedMacro < 0)
            return
        var row = selectedMacro
        var name = selectedName()
        ui_View.deleteMacroIni(name)
        actionModel.clear()
        deleteMacro(name)
        var next = Ed.selectionAfterDelete(macroModel.count, row)
        selectedMacro = -1
        macroModel.remove(row)
        selectMacro(next)
        storeNames()
    }
    function importMacro() {
        dropFocus()
        stopRecording()
        var names = macroNames()
        var name = Ed.nextMacroName(names)
        if (name === "")
            return
        var at = Ed.importPosition(names, selectedMacro)
        macroModel.insert(at, { name: name })
        selectedMacro = at
        if (!ui_View.loadMacroFile(name))
            ui_View.createMacroIni(name, 0)
        selectMacro(at)
        storeNames()
        macroList.positionViewAtIndex(at, ListView.Contain)
    }
    function exportMacro() {
        dropFocus()
        if (selectedMacro >= 0)
            ui_View.saveMacroFile(selectedName())
    }
    function clickMacro(row) {
        dropFocus()
        stopRecording()
        selectMacro(row)
    }
    function startRename(row) {
        finishEdits()
        if (!isRecording)
            renamingRow = row
    }
    function commitRename(text) {
        var row = renamingRow
        renamingRow = -1
        activeField = null
        if (row < 0 || row >= macroModel.count)
            return
        var names = macroNames()
        if (!Ed.renameAccepted(names, text))
            return
        modifyMacroName(names[row], text)
        macroModel.setProperty(row, "name", text)
        storeNames()
    }

    // --- actions ---

    function toggleRecording() {
        if (isRecording) {
            stopRecording()
            return
        }
        if (selectedMacro < 0)
            return
        dropFocus()
        noteWindowOnly()
        actionModel.clear()
        selectedAction = -1
        encodedLength = Codec.recordCount([])
        tickStart = Date.now()
        ticks = 0
        isRecording = true
    }
    function stopRecording() {
        if (!isRecording)
            return
        isRecording = false
        windowOnlyNote = false
        autoSave()
    }
    function startDelayEdit(row) {
        finishEdits()
        if (canEditActions && actionModel.get(row).type === Codec.TYPE_DELAY)
            editingDelayRow = row
    }
    function commitDelay(text) {
        var row = editingDelayRow
        editingDelayRow = -1
        activeField = null
        if (row >= 0)
            saveEdit(Ed.delayEdit(actionArray(), row, text))
    }
    function finishEdits() {
        if (renamingRow >= 0)
            commitRename(activeField ? activeField.text : macroModel.get(renamingRow).name)
        if (editingDelayRow >= 0)
            commitDelay(activeField ? activeField.text : "")
    }
    function actionCommand(index) {
        closeMenus()
        if (!canEditActions)
            return
        var list = actionArray()
        switch (index) {
        case 0: saveEdit(Ed.deleteEdit(list, selectedAction)); break
        case 1: saveEdit(Ed.insertDelayEdit(list, selectedAction)); break
        case 2: openInsertKey(); break
        case 3: saveEdit(Ed.insertButtonEdit(list, selectedAction, keyName(Ed.LEFT_BUTTON))); break
        case 4: saveEdit(Ed.insertButtonEdit(list, selectedAction, keyName(Ed.MIDDLE_BUTTON))); break
        case 5: saveEdit(Ed.insertButtonEdit(list, selectedAction, keyName(Ed.RIGHT_BUTTON))); break
        }
    }
    function openInsertKey() {
        if (!canEditActions || actionsFull)
            return
        insertedKeyName = ""
        noteWindowOnly()
        isInserting = true
    }
    function acceptInsertKey() {
        isInserting = false
        windowOnlyNote = false
        saveEdit(Ed.insertKeyEdit(actionArray(), selectedAction, insertedKeyName))
    }
    // Takes the keyboard from any field, and tells once when keys typed in other
    // windows cannot be seen.
    function noteWindowOnly() {
        macroEditor.forceActiveFocus()
        var global = typeof ui_View.globalKeyCapture === "function" && ui_View.globalKeyCapture()
        if (!global && !windowOnlyNoteShown) {
            windowOnlyNoteShown = true
            windowOnlyNote = true
        }
    }
    function commitTimes() {
        timesValue = Ed.timesText(timesInput.text)
        timesInput.text = timesValue
        autoSave()
    }

    objectName: "macroEditor"
    width: 640
    height: 448
    radius: 6
    color: Theme.colorGray0
    border.color: Theme.colorGray1

    ListModel { id: macroModel }
    ListModel { id: actionModel }

    Timer {
        interval: Ed.TICK_MS
        repeat: true
        running: macroEditor.isRecording
        onTriggered: macroEditor.ticks = Ed.ticksBetween(macroEditor.tickStart, Date.now())
    }

    // Dragging the background moves the dialog inside the window.
    MouseArea {
        anchors.fill: parent
        drag.target: macroEditor
        drag.minimumX: 0
        drag.minimumY: 0
        drag.maximumX: macroEditor.parent ? macroEditor.parent.width - macroEditor.width : 0
        drag.maximumY: macroEditor.parent ? macroEditor.parent.height - macroEditor.height : 0
        onPressed: macroEditor.dropFocus()
    }

    Text {
        x: 20
        y: 12
        text: macroEditor.t(0)
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
    }
    Image {
        objectName: "closeButton"
        x: macroEditor.width - 32
        y: 12
        width: 20
        height: 20
        sourceSize: Qt.size(20, 20)
        source: closeArea.containsMouse ? "../../img/skin1/common/close_small_hover.svg" : "../../img/skin1/common/close_small.svg"
        MouseArea {
            id: closeArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: macroEditor.close()
        }
    }
    Rectangle {
        x: 1
        y: 44
        width: macroEditor.width - 2
        height: 1
        color: Theme.colorGray1
    }

    // --- macro names ---
    Caption {
        x: 20
        y: 56
        width: 190
        height: 24
        elide: Text.ElideRight
        text: macroEditor.t(1)
    }
    ListFrame {
        id: macroFrame
        x: 20
        y: 80
        width: 190
        height: 326
        MouseArea {
            id: macroFrameArea
            anchors.fill: parent
            acceptedButtons: Qt.RightButton
            onClicked: function(mouse) { macroEditor.openMenu(macroMenu, macroFrameArea, mouse.x, mouse.y) }
        }
        ListView {
            id: macroList
            objectName: "macroList"
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: macroModel
            delegate: Rectangle {
                id: macroRow
                required property string name
                required property int index
                readonly property bool selected: index === macroEditor.selectedMacro
                objectName: "macroRow" + index
                width: macroList.width
                height: 27
                color: selected ? Theme.colorBlue : (rowArea.containsMouse ? Theme.colorGray1 : "transparent")
                Text {
                    x: 10
                    width: parent.width - 20
                    height: parent.height
                    visible: macroEditor.renamingRow !== macroRow.index
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideRight
                    text: macroRow.name
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function(mouse) {
                        macroEditor.clickMacro(macroRow.index)
                        if (mouse.button === Qt.RightButton)
                            macroEditor.openMenu(macroMenu, rowArea, mouse.x, mouse.y)
                    }
                    onDoubleClicked: function(mouse) {
                        if (mouse.button === Qt.LeftButton)
                            macroEditor.startRename(macroRow.index)
                    }
                }
                Loader {
                    x: 6
                    y: 3
                    width: parent.width - 12
                    height: 21
                    active: macroEditor.renamingRow === macroRow.index
                    sourceComponent: Rectangle {
                        color: Theme.colorBlack
                        border.color: Theme.colorGray3
                        radius: 2
                        EditField {
                            objectName: "renameField"
                            anchors.fill: parent
                            anchors.leftMargin: 4
                            anchors.rightMargin: 4
                            text: macroRow.name
                            onOpened: function(field) { macroEditor.activeField = field }
                            onFinished: function(text) { macroEditor.commitRename(text) }
                            Keys.onEscapePressed: { macroEditor.renamingRow = -1; macroEditor.activeField = null }
                        }
                    }
                }
            }
        }
        ScrollMark { list: macroList }
    }
    FrameButton {
        objectName: "newButton"
        x: 20
        y: 414
        width: 91
        textValue: macroEditor.t(2)
        enabled: macroModel.count < Ed.MAX_MACROS
        opacity: enabled ? 1 : 0.4
        onClicked: macroEditor.newMacro()
    }
    FrameButton {
        objectName: "deleteButton"
        x: 119
        y: 414
        width: 91
        textValue: macroEditor.t(3)
        enabled: macroEditor.selectedMacro >= 0
        opacity: enabled ? 1 : 0.4
        onClicked: macroEditor.deleteSelectedMacro()
    }

    // --- actions of the selected macro ---
    Caption {
        x: 226
        y: 56
        width: 180
        height: 24
        elide: Text.ElideRight
        text: macroEditor.t(4)
    }
    Text {
        objectName: "lengthMark"
        x: 406
        y: 56
        width: 106
        height: 24
        visible: macroEditor.selectedMacro >= 0
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        text: macroEditor.encodedLength + " / " + Ed.BLOCK_SIZE
        color: macroEditor.actionsFull ? Theme.colorSaveMark : Theme.colorGray2
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }
    ListFrame {
        x: 226
        y: 80
        width: 286
        height: 326
        MouseArea {
            id: actionFrameArea
            anchors.fill: parent
            acceptedButtons: Qt.RightButton
            onClicked: function(mouse) {
                if (!macroEditor.canEditActions)
                    return
                macroEditor.selectedAction = -1
                macroEditor.openMenu(actionMenu, actionFrameArea, mouse.x, mouse.y)
            }
        }
        ListView {
            id: actionList
            objectName: "actionList"
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: actionModel
            delegate: Rectangle {
                id: actionRow
                required property int type
                required property string info
                required property int index
                readonly property bool selected: index === macroEditor.selectedAction
                readonly property var icons: ["delay", "key_down", "key_up", "mouse_down", "mouse_up"]
                objectName: "actionRow" + index
                width: actionList.width
                height: 27
                color: selected ? Theme.colorBlue : (actionArea.containsMouse ? Theme.colorGray1 : "transparent")
                Text {
                    width: 34
                    height: parent.height
                    horizontalAlignment: Text.AlignRight
                    verticalAlignment: Text.AlignVCenter
                    text: actionRow.index + 1
                    color: actionRow.selected ? Theme.fontColor : Theme.colorGray2
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontMinSize
                }
                Image {
                    x: 46
                    y: 5
                    width: 16
                    height: 16
                    sourceSize: Qt.size(16, 16)
                    visible: actionRow.type >= 0 && actionRow.type < actionRow.icons.length
                    source: visible ? "../../img/skin1/macros/" + actionRow.icons[actionRow.type] + ".svg" : ""
                }
                Text {
                    objectName: "actionText"
                    x: 72
                    width: parent.width - 80
                    height: parent.height
                    visible: macroEditor.editingDelayRow !== actionRow.index
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideRight
                    text: Ed.displayText({ type: actionRow.type, info: actionRow.info })
                    color: actionRow.type === Codec.TYPE_DELAY && !actionRow.selected ? Theme.colorGray3 : Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: actionArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function(mouse) {
                        if (macroEditor.isRecording)
                            return
                        macroEditor.selectedAction = actionRow.index
                        if (mouse.button === Qt.RightButton)
                            macroEditor.openMenu(actionMenu, actionArea, mouse.x, mouse.y)
                    }
                    onDoubleClicked: function(mouse) {
                        if (mouse.button === Qt.LeftButton)
                            macroEditor.startDelayEdit(actionRow.index)
                    }
                }
                Loader {
                    x: 68
                    y: 3
                    width: 90
                    height: 21
                    active: macroEditor.editingDelayRow === actionRow.index
                    sourceComponent: Rectangle {
                        color: Theme.colorBlack
                        border.color: Theme.colorGray3
                        radius: 2
                        EditField {
                            objectName: "delayField"
                            anchors.fill: parent
                            anchors.leftMargin: 4
                            anchors.rightMargin: 4
                            text: actionRow.info
                            maximumLength: 5
                            validator: IntValidator { bottom: 0; top: Ed.MAX_DELAY_MS }
                            onOpened: function(field) { macroEditor.activeField = field }
                            onFinished: function(text) { macroEditor.commitDelay(text) }
                            Keys.onEscapePressed: { macroEditor.editingDelayRow = -1; macroEditor.activeField = null }
                        }
                    }
                }
            }
        }
        ScrollMark { list: actionList }
    }

    // --- recording and repeat count ---
    FrameButton {
        objectName: "recordButton"
        x: 528
        y: 80
        width: 92
        textValue: macroEditor.isRecording ? macroEditor.t(5) : macroEditor.t(8)
        markColor: macroEditor.isRecording ? Theme.colorSaveMark : "transparent"
        enabled: macroEditor.selectedMacro >= 0
        opacity: enabled ? 1 : 0.4
        onClicked: macroEditor.toggleRecording()
    }
    Rectangle {
        x: 528 + 46 - 4
        y: 112
        width: 8
        height: 8
        radius: 4
        color: Theme.colorSaveMark
        visible: macroEditor.isRecording
        SequentialAnimation on opacity {
            running: macroEditor.isRecording
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
    Caption {
        x: 528
        y: 136
        width: 92
        height: 20
        elide: Text.ElideRight
        text: macroEditor.t(6)
    }
    Rectangle {
        x: 528
        y: 158
        width: 92
        height: 24
        radius: 2
        color: Theme.colorBlack
        border.color: timesInput.activeFocus ? Theme.colorBlue : Theme.colorGray1
        opacity: macroEditor.selectedMacro >= 0 ? 1 : 0.4
        TextInput {
            id: timesInput
            objectName: "timesInput"
            anchors.fill: parent
            anchors.leftMargin: 4
            anchors.rightMargin: 4
            enabled: macroEditor.selectedMacro >= 0
            horizontalAlignment: TextInput.AlignHCenter
            verticalAlignment: TextInput.AlignVCenter
            clip: true
            maximumLength: 5
            validator: IntValidator { bottom: 0; top: Ed.MAX_TIMES }
            selectByMouse: true
            color: Theme.fontColor
            selectionColor: Theme.colorBlue
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            text: macroEditor.timesValue
            Keys.onReturnPressed: focus = false
            Keys.onEnterPressed: focus = false
            onActiveFocusChanged: if (!activeFocus && macroEditor.selectedMacro >= 0) macroEditor.commitTimes()
        }
    }
    CheckBox {
        id: delayBox
        objectName: "delayBox"
        x: 528
        y: 196
        textValue: macroEditor.t(9)
    }
    Text {
        x: 528
        y: 236
        width: 96
        visible: macroEditor.windowOnlyNote && macroEditor.isRecording
        wrapMode: Text.WordWrap
        text: macroEditor.windowOnlyText
        color: Theme.colorGray2
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }

    // Ends an inline edit when the user presses anywhere else in the panel; the
    // press itself still reaches what lies below.
    MouseArea {
        id: editCatcher
        anchors.fill: parent
        z: 5
        enabled: macroEditor.renamingRow >= 0 || macroEditor.editingDelayRow >= 0
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onPressed: function(mouse) {
            var field = macroEditor.activeField
            var inside = field && field.contains(field.mapFromItem(editCatcher, mouse.x, mouse.y))
            if (!inside)
                macroEditor.finishEdits()
            mouse.accepted = false
        }
    }
    // A press outside an open menu closes it and does nothing else.
    MouseArea {
        anchors.fill: parent
        z: 10
        visible: macroMenu.visible || actionMenu.visible
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onPressed: macroEditor.closeMenus()
    }
    PopupMenu {
        id: macroMenu
        objectName: "macroMenu"
        entries: [
            { text: macroEditor.t(10), enabled: macroEditor.selectedMacro >= 0 },
            { text: macroEditor.t(11), enabled: macroModel.count < Ed.MAX_MACROS },
            { text: macroEditor.t(12), enabled: macroEditor.selectedMacro >= 0 }
        ]
        onChosen: function(index) {
            macroEditor.closeMenus()
            if (index === 0)
                macroEditor.deleteSelectedMacro()
            else if (index === 1)
                macroEditor.importMacro()
            else
                macroEditor.exportMacro()
        }
    }
    PopupMenu {
        id: actionMenu
        objectName: "actionMenu"
        entries: [
            { text: macroEditor.t(10), enabled: macroEditor.selectedAction >= 0 },
            { text: macroEditor.t(13), enabled: !macroEditor.actionsFull },
            { text: macroEditor.t(14), enabled: !macroEditor.actionsFull },
            { text: macroEditor.t(15), enabled: !macroEditor.actionsFull },
            { text: macroEditor.t(16), enabled: !macroEditor.actionsFull },
            { text: macroEditor.t(17), enabled: !macroEditor.actionsFull }
        ]
        onChosen: function(index) { macroEditor.actionCommand(index) }
    }

    // "Insert Key": a box over a mask of the editor, centred on the window.
    Rectangle {
        anchors.fill: parent
        z: 20
        radius: macroEditor.radius
        color: "#90000000"
        visible: macroEditor.isInserting
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
        }
        MacroInsertKey {
            objectName: "insertKey"
            readonly property real centreX: macroEditor.parent ? (macroEditor.parent.width - width) / 2 - macroEditor.x : 0
            readonly property real centreY: macroEditor.parent ? (macroEditor.parent.height - height) / 2 - macroEditor.y : 0
            x: Math.max(0, Math.min(macroEditor.width - width, centreX))
            y: Math.max(0, Math.min(macroEditor.height - height, centreY))
            title: macroEditor.t(14)
            okText: macroEditor.t(7)
            keyName: macroEditor.insertedKeyName
            onAccepted: macroEditor.acceptInsertKey()
            Text {
                y: parent.height + 10
                width: parent.width
                visible: macroEditor.windowOnlyNote
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: macroEditor.windowOnlyText
                color: Theme.colorGray3
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMinSize
            }
        }
    }
}
