import QtQuick
import Corvane.Scene
import "../js/controls.js" as Controls

// A 24-px box like DropDownList whose options open as a 3-column grid three times
// the box's width. Options with an empty text cannot be chosen. The options exist
// only while the grid is open or sliding, as DropDownList's rows.
Item {
    id: dropDownGrid

    property bool isDrop: false
    property var mdItems: []
    property int count: mdItems ? (mdItems.count !== undefined ? mdItems.count : mdItems.length) : 0
    property int currentSelect: 0
    property string textValue: itemText(currentSelect)
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property int rowHeight: 24
    readonly property int gridHeight: Math.ceil(count / 3) * rowHeight + 2
    readonly property bool sliding: slideAnim.running
    property int pendingIndex: -1

    signal btnClick()
    signal valueChange(int index)

    function itemText(i) {
        if (!mdItems || i < 0 || i >= count)
            return ""
        var e = mdItems.get !== undefined ? mdItems.get(i) : mdItems[i]
        return e && e.textValue !== undefined ? String(e.textValue) : ""
    }
    function slide(open) {
        isDrop = open
        slideAnim.to = open ? gridHeight : 0
        slideAnim.restart()
    }
    function toggle() {
        btnClick()
        if (!sliding)
            slide(!isDrop)
    }
    function choose(i) {
        if (itemText(i) === "")
            return
        currentSelect = i
        pendingIndex = i
        slide(false)
        btnClick()
    }
    function closeMenu() {
        if (isDrop)
            slide(false)
    }

    width: 72
    height: rowHeight
    z: isDrop || sliding ? 100 : 0

    SceneBox {
        anchors.fill: parent
        color: dropDownGrid.bgColor
        borderColor: dropDownGrid.isDrop ? Theme.colorBlue : dropDownGrid.borderColor
        radius: 2
        Text {
            x: 8
            width: parent.width - 32
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            text: dropDownGrid.textValue
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
            source: dropDownGrid.isDrop ? "../../img/skin1/common/drop_open.svg"
                                        : "../../img/skin1/common/drop_close.svg"
        }
        MouseArea {
            anchors.fill: parent
            onClicked: dropDownGrid.toggle()
        }
    }

    Item {
        id: gridClip
        x: dropDownGrid.horizontalOffset
        y: dropDownGrid.rowHeight
        width: dropDownGrid.width * 3
        height: 0
        clip: true
        visible: height > 0

        Loader {
            id: optionsLoader
            width: parent.width
            height: dropDownGrid.gridHeight
            anchors.bottom: parent.bottom
            active: dropDownGrid.isDrop || dropDownGrid.sliding
            sourceComponent: optionsComponent
        }
    }

    Component {
        id: optionsComponent
        Rectangle {
            color: dropDownGrid.bgColor
            border.color: dropDownGrid.borderColor

            Grid {
                x: 1
                y: 1
                columns: 3
                Repeater {
                    model: dropDownGrid.count
                    delegate: Rectangle {
                        id: cell
                        required property int index
                        readonly property string label: dropDownGrid.itemText(index)
                        width: dropDownGrid.width - (index % 3 === 2 ? 2 : 0)
                        height: dropDownGrid.rowHeight
                        color: cellArea.containsMouse && label !== "" ? Theme.colorBlue
                             : (index === dropDownGrid.currentSelect ? Theme.colorGray1 : "transparent")
                        Text {
                            x: 6
                            width: parent.width - 8
                            anchors.verticalCenter: parent.verticalCenter
                            elide: Text.ElideRight
                            text: cell.label
                            color: Theme.fontColor
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontNormalSize
                        }
                        MouseArea {
                            id: cellArea
                            anchors.fill: parent
                            // Not while sliding: hover ignores the clip, and rows sliding under a still pointer
                            // would stay lit after they moved on.
                            hoverEnabled: !dropDownGrid.sliding
                            onClicked: dropDownGrid.choose(cell.index)
                        }
                    }
                }
            }
        }
    }

    NumberAnimation {
        id: slideAnim
        target: gridClip
        property: "height"
        duration: Controls.slideDuration(Math.ceil(dropDownGrid.count / 3))
        easing.type: Easing.OutQuad
        onFinished: {
            if (!dropDownGrid.isDrop && dropDownGrid.pendingIndex >= 0) {
                var i = dropDownGrid.pendingIndex
                dropDownGrid.pendingIndex = -1
                dropDownGrid.valueChange(i)
            }
        }
    }
}
