import QtQuick
import "../common"
import "../js/keys.js" as Keys

// The profile dialog: the list of named profiles (at most six). Each row carries the
// number of its profile file; that number, never the row's position, identifies the
// profile everywhere (switching, New, Import, Export, Delete).
Rectangle {
    id: profileDialog

    // The named profiles this dialog edits (the title-bar selector shows the same rows).
    required property ProfileRows profiles
    readonly property var rows: profiles.rows
    // The active profile number (the frame's).
    property int activeProfile: 0
    property var labels: Keys.PROFILE_LABELS
    // Row under the context menu and row being renamed (-1: none).
    property int menuRow: -1
    property int editRow: -1
    readonly property int activeRow: Math.max(0, Keys.rowOfNumber(rows, activeProfile))

    signal profileChange(int profileNo)
    signal closed()

    function dropFocus() {
        finishRename()
        menuRow = -1
    }
    function setLanguage(list) {
        labels = list
    }
    function label(i) {
        return Keys.label(labels, i)
    }
    function close() {
        dropFocus()
        visible = false
        closed()
    }
    function store(list) {
        profiles.store(list)
    }

    function choose(index) {
        dropFocus()
        if (index >= 0 && index < rows.length)
            profileChange(rows[index].number)
    }
    // A new profile with the factory settings, made the active one. Nothing with six rows.
    function newProfile() {
        dropFocus()
        var row = Keys.newProfileRow(rows)
        if (!row)
            return false
        store(rows.concat([row]))
        ui_View.resetProfile(row.number)
        profileChange(row.number)
        return true
    }
    // A new row whose profile file is read from a file the user picks. Nothing with six
    // rows; a cancelled choice takes the new row away again.
    function importProfile() {
        dropFocus()
        var row = Keys.newProfileRow(rows)
        if (!row)
            return false
        var before = Keys.copyRows(rows)
        store(rows.concat([row]))
        if (!ui_View.loadProfile(row.number)) {
            store(before)
            return false
        }
        profileChange(row.number)
        return true
    }
    // Row 0 and the active profile's row stay; the profile file is not touched.
    function deleteRow(index) {
        menuRow = -1
        if (!Keys.canDeleteProfile(rows, index, activeProfile))
            return false
        var list = Keys.copyRows(rows)
        list.splice(index, 1)
        store(list)
        return true
    }
    function exportRow(index) {
        menuRow = -1
        if (index >= 0 && index < rows.length)
            ui_View.saveProfile(rows[index].number)
    }
    function startRename(index) {
        menuRow = -1
        editRow = index
    }
    // Takes the typed name unless it is empty or another row carries it.
    function rename(index, name) {
        editRow = -1
        if (!Keys.canRenameProfile(rows, index, name))
            return false
        var list = Keys.copyRows(rows)
        list[index].name = String(name)
        store(list)
        return true
    }
    function finishRename() {
        if (editRow >= 0 && nameEditor.visible)
            rename(editRow, nameEditor.text)
        editRow = -1
    }

    width: 360
    height: 320
    visible: false
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    radius: 4

    // Dragging by the background, kept inside the parent; a click there ends editing.
    MouseArea {
        property point pressPos
        anchors.fill: parent
        onPressed: function (mouse) {
            pressPos = Qt.point(mouse.x, mouse.y)
            profileDialog.dropFocus()
        }
        onPositionChanged: function (mouse) {
            var p = profileDialog.parent
            if (!p)
                return
            profileDialog.x = Math.max(0, Math.min(p.width - profileDialog.width, profileDialog.x + mouse.x - pressPos.x))
            profileDialog.y = Math.max(0, Math.min(p.height - profileDialog.height, profileDialog.y + mouse.y - pressPos.y))
        }
    }

    Text {
        x: 16
        height: 40
        verticalAlignment: Text.AlignVCenter
        text: profileDialog.label(0)
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
    }
    Image {
        objectName: "profileClose"
        x: parent.width - 36
        y: 10
        width: 20
        height: 20
        sourceSize: Qt.size(20, 20)
        source: closeArea.containsMouse ? "../../img/skin1/common/close_small_hover.svg" : "../../img/skin1/common/close_small.svg"
        MouseArea {
            id: closeArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: profileDialog.close()
        }
    }
    Rectangle {
        x: 16
        y: 40
        width: parent.width - 32
        height: 1
        color: Theme.colorGray1
    }

    Column {
        id: rowColumn
        x: 16
        y: 52
        spacing: 4
        Repeater {
            model: profileDialog.rows
            delegate: Rectangle {
                id: row
                required property var modelData
                required property int index
                readonly property bool active: index === profileDialog.activeRow
                objectName: "profileRow" + index
                width: 328
                height: 32
                radius: 2
                color: active ? Theme.colorGray1 : (rowArea.containsMouse ? "#2a2a2a" : Theme.colorBlack)
                border.color: active ? Theme.colorBlue : Theme.colorGray1
                Rectangle {
                    x: 12
                    anchors.verticalCenter: parent.verticalCenter
                    width: 8
                    height: 8
                    radius: 4
                    color: row.active ? Theme.colorBlue : Theme.colorGray1
                }
                Text {
                    x: 30
                    width: parent.width - 40
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    visible: profileDialog.editRow !== row.index
                    text: row.modelData.name
                    color: row.active ? Theme.fontColor : Theme.colorGray3
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function (mouse) {
                        if (mouse.button === Qt.RightButton) {
                            profileDialog.finishRename()
                            profileDialog.menuRow = row.index
                            contextMenu.x = Math.min(profileDialog.width - contextMenu.width - 8, row.x + mouse.x + rowColumn.x)
                            contextMenu.y = row.y + mouse.y + rowColumn.y
                        } else {
                            profileDialog.choose(row.index)
                        }
                    }
                    onDoubleClicked: function (mouse) {
                        if (mouse.button === Qt.LeftButton)
                            profileDialog.startRename(row.index)
                    }
                }
            }
        }
    }

    // The name editor, over the row being renamed.
    Rectangle {
        x: rowColumn.x + 24
        y: rowColumn.y + profileDialog.editRow * 36 + 4
        width: 296
        height: 24
        visible: profileDialog.editRow >= 0
        radius: 2
        color: Theme.colorBlack
        border.color: Theme.colorBlue
        onVisibleChanged: {
            if (visible) {
                nameEditor.text = profileDialog.rows[profileDialog.editRow].name
                nameEditor.selectAll()
                nameEditor.forceActiveFocus()
            }
        }
        TextInput {
            id: nameEditor
            objectName: "nameEditor"
            x: 6
            width: parent.width - 12
            anchors.verticalCenter: parent.verticalCenter
            clip: true
            maximumLength: 24
            color: Theme.fontColor
            selectionColor: Theme.colorBlue
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            onAccepted: profileDialog.finishRename()
        }
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16
        spacing: 16
        FrameButton {
            objectName: "newButton"
            textValue: profileDialog.label(1)
            opacity: profileDialog.rows.length < Keys.PROFILE_ROWS_MAX ? 1 : 0.4
            onClicked: profileDialog.newProfile()
        }
        FrameButton {
            objectName: "importButton"
            textValue: profileDialog.label(2)
            opacity: profileDialog.rows.length < Keys.PROFILE_ROWS_MAX ? 1 : 0.4
            onClicked: profileDialog.importProfile()
        }
    }

    // Right-click menu of a row: Delete, Export.
    Rectangle {
        id: contextMenu
        objectName: "profileMenu"
        width: 96
        height: 2 + 2 * 24
        visible: profileDialog.menuRow >= 0
        z: 10
        color: Theme.colorBlack
        border.color: Theme.colorBlue
        Column {
            x: 1
            y: 1
            Repeater {
                model: [3, 4]
                delegate: Rectangle {
                    id: menuEntry
                    required property int modelData
                    required property int index
                    readonly property bool usable: index === 1
                        || Keys.canDeleteProfile(profileDialog.rows, profileDialog.menuRow, profileDialog.activeProfile)
                    width: 94
                    height: 24
                    color: menuArea.containsMouse && usable ? Theme.colorGray1 : "transparent"
                    Text {
                        x: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: profileDialog.label(menuEntry.modelData)
                        color: menuEntry.usable ? Theme.fontColor : Theme.colorGray2
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                    MouseArea {
                        id: menuArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: menuEntry.index === 0 ? profileDialog.deleteRow(profileDialog.menuRow)
                                                         : profileDialog.exportRow(profileDialog.menuRow)
                    }
                }
            }
        }
    }
}
