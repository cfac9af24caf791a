import QtQuick
import "../common"
import "../js/gun.js" as Gun

// The gun editor: six guns with their recoil values and the guns of the three gun
// slots. Every edit is stored at once; the slots go to the mouse when the panel closes.
DialogPanel {
    id: gunControl

    property var texts: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis", "Y axis", "Fire adjust",
        "Rate", "Times", "Endness"]
    // Gun positions of slots 1, 2, 3.
    property var selectGun: [0, 1, 2]
    property int currentSlot: 0
    property int shownGun: 0
    property bool changed: false
    property bool rateDragged: false
    // The dot's top stop inside the target picture.
    readonly property int dotTop: 13
    readonly property var builtInNames: ["M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"]

    signal closed()

    function t(i) { return i < texts.length ? texts[i] : "" }
    function setLanguage(list) { texts = list }
    function dropFocus() {
        yInput.closeFocus()
        timesInput.closeFocus()
        slotBox.closeMenu()
        rateBox.closeMenu()
    }

    // Reads the six guns and the slot guns.
    function init() {
        gunModel.clear()
        for (var i = 0; i < Gun.GUN_COUNT; ++i)
            gunModel.append(Gun.rowFromRecord(ui_View.getGunData(i)))
        selectGun = Gun.slotGuns(ui_View.getGlobalData("mouse/selectGun"))
        chooseSlot(0)
    }
    // Shown again: slot 1 and its gun.
    function open() { chooseSlot(0) }
    function chooseSlot(slot) {
        currentSlot = slot
        slotBox.currentSelect = slot
        showGun(selectGun[slot])
    }
    function showGun(row) {
        shownGun = row
        var g = gunModel.get(row)
        yInput.textValue = g.y
        dot.y = dotTop + Gun.dotOffset(g.y)
        rateBox.setValue(Gun.rateRatio(g.period))
        timesInput.textValue = g.times
        endBox.isSelect = g.times === "0"
    }
    function store(row) {
        ui_View.mouseSaveGundata(row, Gun.recordFromRow(gunModel.get(row)))
        changed = true
    }
    function edit(field, value) {
        gunModel.setProperty(shownGun, field, String(value))
        store(shownGun)
    }
    // A click on a gun: it becomes the gun of the chosen slot.
    function assignGun(row) {
        var slots = selectGun.slice()
        slots[currentSlot] = row
        selectGun = slots
        ui_View.setGlobalData("mouse/selectGun", slots)
        changed = true
        showGun(row)
    }
    function upload() {
        for (var slot = 1; slot <= Gun.SLOT_COUNT; ++slot)
            ui_View.mouseSendGundata(slot, Gun.uploadValues(gunModel.get(selectGun[slot - 1])))
    }
    function close() {
        dropFocus()
        if (changed) {
            changed = false
            upload()
        }
        visible = false
        closed()
    }
    // After the current profile went back to factory: slots 1, 2, 3 hold guns 0, 1, 2
    // with their reset pull-downs and period, stored and sent.
    function resetProfile() {
        selectGun = [0, 1, 2]
        ui_View.setGlobalData("mouse/selectGun", selectGun)
        for (var i = 0; i < Gun.SLOT_COUNT; ++i) {
            gunModel.setProperty(i, "y", String(Gun.RESET_Y[i]))
            gunModel.setProperty(i, "period", String(Gun.RESET_PERIOD))
            store(i)
        }
        changed = false
        upload()
        chooseSlot(0)
    }
    // Firing periods of the three slot guns, for the key matrix.
    function periods() {
        var out = []
        for (var i = 0; i < Gun.SLOT_COUNT; ++i)
            out.push(selectGun[i] < gunModel.count ? Gun.toInt(gunModel.get(selectGun[i]).period) : 0)
        return out
    }

    width: 640
    height: 448
    title: t(0)
    onCloseClicked: close()
    onBackgroundPressed: dropFocus()

    ListModel { id: gunModel }

    // --- the six guns ---
    Rectangle {
        x: 20
        y: 56
        width: 280
        height: 6 * 58 + 2
        color: Theme.colorBlack
        border.color: Theme.colorGray1
        radius: 2
        Column {
            x: 1
            y: 1
            Repeater {
                model: gunModel
                delegate: Rectangle {
                    id: gunRow
                    required property int index
                    required property string name
                    objectName: "gunRow" + index
                    width: 278
                    height: 58
                    color: index === gunControl.shownGun ? Theme.colorGray1
                         : (rowArea.containsMouse ? "#262626" : "transparent")
                    Rectangle {
                        width: 3
                        height: parent.height
                        color: Theme.colorBlue
                        visible: gunRow.index === gunControl.shownGun
                    }
                    Image {
                        x: 12
                        anchors.verticalCenter: parent.verticalCenter
                        width: 140
                        height: 42
                        fillMode: Image.PreserveAspectFit
                        sourceSize: Qt.size(140, 42)
                        source: "qrc:/gun/modules/img/skin1/gun/" + gunControl.builtInNames[gunRow.index] + ".png"
                    }
                    Text {
                        x: 162
                        y: 10
                        width: 110
                        elide: Text.ElideRight
                        text: gunRow.name
                        color: Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMiddleSize
                    }
                    Row {
                        x: 162
                        y: 32
                        spacing: 4
                        Repeater {
                            model: Gun.SLOT_COUNT
                            delegate: Rectangle {
                                required property int index
                                width: 38
                                height: 16
                                radius: 8
                                visible: gunControl.selectGun[index] === gunRow.index
                                color: index === gunControl.currentSlot ? Theme.colorBlue : Theme.colorGray1
                                Text {
                                    anchors.centerIn: parent
                                    text: gunControl.t(1) + (parent.index + 1)
                                    color: Theme.fontColor
                                    font.family: Theme.fontFamily
                                    font.pixelSize: Theme.fontMinSize
                                }
                            }
                        }
                    }
                    Rectangle {
                        y: parent.height - 1
                        width: parent.width
                        height: 1
                        color: Theme.colorGray0
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: { gunControl.dropFocus(); gunControl.assignGun(gunRow.index) }
                    }
                }
            }
        }
    }

    // --- the slot whose gun a click chooses ---
    Caption { x: 320; y: 56; height: 24; text: gunControl.t(2) }
    DropDownList {
        id: slotBox
        objectName: "slotBox"
        x: 500
        y: 56
        width: 120
        currentSelect: 0
        mdItems: Gun.slotLabels(gunControl.t(1))
        onValueChange: function(index) { gunControl.chooseSlot(index) }
    }

    // --- vertical pull-down ---
    SectionBar { x: 320; y: 96; title: gunControl.t(3) }
    Image {
        id: target
        x: 330
        y: 128
        width: 120
        height: 120
        sourceSize: Qt.size(120, 120)
        source: "../../img/skin1/gun/target.svg"
        Rectangle {
            id: dot
            objectName: "dot"
            x: (target.width - width) / 2
            y: gunControl.dotTop
            width: 8
            height: 8
            radius: 4
            color: "#ff2a2a"
            border.color: "#ffffff"
            border.width: 1
            MouseArea {
                id: dotArea
                anchors.fill: parent
                anchors.margins: -6
                cursorShape: Qt.SizeVerCursor
                drag.target: dot
                drag.axis: Drag.YAxis
                drag.minimumY: gunControl.dotTop
                drag.maximumY: gunControl.dotTop + Gun.DOT_TRAVEL
                drag.threshold: 0
                onPressed: gunControl.dropFocus()
            }
            // Dragging only shows the pull-down; it is stored when the Y field's editing ends.
            onYChanged: if (dotArea.drag.active) yInput.textValue = String(Gun.yFromOffset(y - gunControl.dotTop))
        }
    }
    Caption { x: 470; y: 150; height: 20; text: gunControl.t(4) }
    RectInput {
        x: 572
        y: 150
        enabled: false
        textValue: "0"
        opacity: 0.5
    }
    Caption { x: 470; y: 190; height: 20; text: gunControl.t(5) }
    RectInput {
        id: yInput
        objectName: "yInput"
        x: 572
        y: 190
        maxValue: Gun.MAX_Y
        onEndInputSignal: {
            dot.y = gunControl.dotTop + Gun.dotOffset(textValue)
            gunControl.edit("y", textValue)
        }
    }

    // --- firing ---
    SectionBar { x: 320; y: 272; title: gunControl.t(6) }
    Caption { x: 330; y: 308; height: 24; text: gunControl.t(7) }
    DropDownSlider {
        id: rateBox
        objectName: "rateBox"
        x: 500
        y: 308
        width: 120
        textValue: "10ms"
        onValueChange: function(value) { textValue = Gun.rateText(value) }
        onDragSignal: function(isDrag) { if (isDrag) gunControl.rateDragged = true }
    }
    Connections {
        target: rateBox.sliderControl
        // Only a knob dragged and released changes the period; a click on the track moves it but stores nothing.
        function onValueChangeDelay(value) {
            if (gunControl.rateDragged)
                gunControl.edit("period", Gun.periodFromText(Gun.rateText(value)))
            gunControl.rateDragged = false
        }
    }
    Caption { x: 330; y: 356; height: 20; text: gunControl.t(8) }
    RectInput {
        id: timesInput
        objectName: "timesInput"
        x: 420
        y: 356
        maxValue: 255
        onEndInputSignal: {
            endBox.isSelect = textValue === "0"
            gunControl.edit("times", textValue)
        }
    }
    CheckBox {
        id: endBox
        objectName: "endBox"
        x: 500
        y: 356
        textValue: gunControl.t(9)
        onBtnClick: {
            if (!isSelect) {
                timesInput.textValue = "0"
                gunControl.edit("times", "0")
            }
        }
    }
}
