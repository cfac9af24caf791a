import QtQuick
import Corvane.Scene
import "../common"
import "../js/keys.js" as Keys
import "../js/macro_codec.js" as MacroCodec

// The button list of the left panel ("Key Function"). It keeps the page model of the
// sixteen key entries of the active profile and the factory model beside it, shows
// the buttons of the mouse with their functions, and stores the model on Save.
Rectangle {
    id: keyList

    property bool isSave: false
    property int keyCount: 8
    property int selectedButton: -1
    property bool isGun: true
    // The scene's key-name table (keycodeTostr / strTokeycode).
    property var keyNames: null
    // The gun page; its periods() gives the firing periods of the three gun slots.
    property var gunPage: null
    property var labels: Keys.LIST_LABELS
    // Texts of the functions: the key dialog's label table.
    property var entryLabels: Keys.DIALOG_LABELS
    property bool dialogOpen: false
    readonly property alias pageModel: pageModel
    readonly property alias factoryModel: factoryModel

    signal openKeyDialog(int index, bool checkLeftClick)
    // A macro was deleted or renamed in the macro editor (after the rows followed).
    signal macroRemoved(string name)
    signal macroNameReplaced(string oldName, string newName)

    // ---- loading and saving ----

    function init(isSendData, isRecovery) {
        for (var j = 0; j < Keys.BUTTON_COUNT; ++j) {
            var factory = Keys.toEntry(ui_View.mouseGetKeydefine(j, true)) || Keys.INITIAL_ROWS[j]
            var entry = Keys.toEntry(ui_View.mouseGetKeydefine(j, isRecovery)) || factory
            setRow(pageModel, j, entry, textOf(entry))
            setRow(factoryModel, j, factory, textOf(factory))
        }
        if (isSendData)
            saveData()
    }
    function saveData() {
        isSave = false
        ui_View.mouseSetKeyMatrix(Keys.flatten(entries(pageModel)), true, gunPeriods())
    }
    function setLanguage(list) {
        labels = list
    }

    // ---- the rows ----

    function entryAt(index) {
        return rowEntry(pageModel, index)
    }
    function textAt(index) {
        return pageModel.get(index).keyText
    }
    function factoryEntryAt(index) {
        return rowEntry(factoryModel, index)
    }
    function factoryTextAt(index) {
        return factoryModel.get(index).keyText
    }
    // Puts an edited entry into the page (the key dialog); sets the mark.
    function assign(index, entry, text) {
        setRow(pageModel, index, entry, text)
        isSave = true
    }
    function textOf(entry) {
        return Keys.displayText(entry, entryLabels, keyNames, Keys.macroNameReader(ui_View))
    }

    // Opens the key dialog for a button. From the list (checkLeftClick) the only
    // button with the left click opens nothing, so the left click always stays.
    function requestOpen(index, checkLeftClick) {
        if (index < 0 || index >= Keys.BUTTON_COUNT)
            return false
        if (checkLeftClick && Keys.isLastLeftClick(entries(pageModel), index, keyCount))
            return false
        selectedButton = index
        dialogOpen = true
        openKeyDialog(index, checkLeftClick)
        return true
    }
    function dialogClosed() {
        dialogOpen = false
        selectedButton = -1
    }
    // The pointer over a button of the list or the picture (-1: none).
    function hoverButton(index) {
        if (!dialogOpen)
            selectedButton = index
    }

    // Every factory entry back into the page; macros of the factory entries go to
    // their slots again. Nothing reaches the key matrix until Save.
    function restoreFactory() {
        for (var j = 0; j < Keys.BUTTON_COUNT; ++j) {
            var entry = rowEntry(factoryModel, j)
            var text = factoryModel.get(j).keyText
            setRow(pageModel, j, entry, text)
            if (entry[0] === Keys.TYPE_MACRO) {
                sendMacro(entry[2], text)
                ui_View.setData("mouseMacroKey/" + entry[2], text)
            }
        }
        isSave = true
    }

    // ---- macros changed in the macro editor ----

    function macroDeleted(name) {
        var changed = false
        var rows = macroRows(name)
        for (var i = 0; i < rows.length; ++i) {
            setRow(pageModel, rows[i], rowEntry(factoryModel, rows[i]), factoryModel.get(rows[i]).keyText)
            changed = true
        }
        if (changed)
            saveData()
        ui_View.deleteMacroUpdateProfile(name)
        macroRemoved(name)
    }
    function macroRenamed(oldName, newName) {
        var rows = macroRows(oldName)
        for (var i = 0; i < rows.length; ++i) {
            var slot = pageModel.get(rows[i]).keyCode2
            ui_View.setData("mouseMacroKey/" + slot, newName)
            pageModel.setProperty(rows[i], "keyText", String(newName))
        }
        ui_View.modifyMacroNameUpdateProfile(oldName, newName)
        refreshFactoryTexts()
        macroNameReplaced(oldName, newName)
    }
    function macroDataChanged(name) {
        var rows = macroRows(name)
        for (var i = 0; i < rows.length; ++i)
            sendMacro(pageModel.get(rows[i]).keyCode2, name)
    }
    // Uploads the macro `name` to macro slot `slot`.
    function sendMacro(slot, name) {
        return MacroCodec.sendMacro(ui_View, slot, name, function (keyName) {
            return keyNames ? keyNames.strTokeycode(keyName) : 0
        })
    }

    // ---- helpers ----

    function setRow(model, index, entry, text) {
        var row = { keyCode0: entry[0], keyCode1: entry[1], keyCode2: entry[2], keyCode3: entry[3],
                    keyText: String(text) }
        if (index < model.count)
            model.set(index, row)
        else
            model.append(row)
    }
    function rowEntry(model, index) {
        var r = model.get(index)
        return [r.keyCode0, r.keyCode1, r.keyCode2, r.keyCode3]
    }
    function entries(model) {
        var out = []
        for (var i = 0; i < model.count; ++i)
            out.push(rowEntry(model, i))
        return out
    }
    // Page rows holding a macro whose stored name is `name`.
    function macroRows(name) {
        var nameOf = Keys.macroNameReader(ui_View)
        var out = []
        for (var i = 0; i < pageModel.count; ++i) {
            var r = pageModel.get(i)
            if (r.keyCode0 === Keys.TYPE_MACRO && nameOf(r.keyCode2) === String(name))
                out.push(i)
        }
        return out
    }
    function refreshFactoryTexts() {
        for (var i = 0; i < factoryModel.count; ++i)
            factoryModel.setProperty(i, "keyText", textOf(rowEntry(factoryModel, i)))
    }
    function gunPeriods() {
        var given = (gunPage && typeof gunPage.periods === "function") ? Keys.periodList(gunPage.periods()) : null
        return given || Keys.gunPeriodsFromSettings(ui_View)
    }

    width: 232
    height: Math.min(308, rowColumn.y + rowColumn.height + 8)
    color: Theme.colorBlack
    border.color: Theme.colorGray1
    radius: 2

    ListModel {
        id: pageModel
        Component.onCompleted: {
            for (var j = 0; j < Keys.BUTTON_COUNT; ++j)
                keyList.setRow(pageModel, j, Keys.INITIAL_ROWS[j], "")
        }
    }
    ListModel {
        id: factoryModel
        Component.onCompleted: {
            for (var j = 0; j < Keys.BUTTON_COUNT; ++j)
                keyList.setRow(factoryModel, j, Keys.INITIAL_ROWS[j], "")
        }
    }

    Frame {
        id: header
        x: 1
        y: 1
        width: parent.width - 2
        title: keyList.labels.length > 1 ? keyList.labels[1] : ""
    }
    Image {
        id: restoreButton
        objectName: "restoreButton"
        x: parent.width - 56
        y: 0
        width: 20
        height: 20
        sourceSize: Qt.size(20, 20)
        source: restoreArea.containsMouse ? "../../img/skin1/common/revert_hover.svg" : "../../img/skin1/common/revert.svg"
        MouseArea {
            id: restoreArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: keyList.restoreFactory()
        }
    }

    Column {
        id: rowColumn
        x: 8
        y: 26
        spacing: 4
        // A row for each button of the mouse only; its text follows the page model.
        Repeater {
            model: Math.min(keyList.keyCount, pageModel.count)
            delegate: SceneBox {
                id: row
                required property int index
                // The model's row object notifies its changes: the text stays live.
                readonly property string keyText: row.index < pageModel.count ? pageModel.get(row.index).keyText : ""
                objectName: "keyRow" + index
                width: 216
                height: 28
                radius: 2
                color: keyList.selectedButton === index ? Theme.colorGray1 : Theme.colorGray0
                borderColor: keyList.selectedButton === index ? Theme.colorBlue : Theme.colorGray1
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: (keyList.labels.length > 0 ? keyList.labels[0] : "") + " " + (row.index + 1)
                    color: Theme.colorGray2
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                Text {
                    objectName: "keyRowText"
                    x: 72
                    width: parent.width - x - 10
                    anchors.verticalCenter: parent.verticalCenter
                    horizontalAlignment: Text.AlignRight
                    elide: Text.ElideRight
                    text: row.keyText
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: keyList.hoverButton(row.index)
                    onExited: keyList.hoverButton(-1)
                    onClicked: keyList.requestOpen(row.index, true)
                }
            }
        }
    }
}
