import QtQuick
import Corvane.Scene
import "../js/controls.js" as Controls

// A 24-px box showing the selected entry with a drop arrow; a click slides the list
// of entries open below it (at most 10 rows visible, a scroll bar beyond). Choosing a
// row selects it and closes the list; valueChange follows when the list has closed.
// The rows exist only while the list is open or sliding: a closed box holds only the
// box, and rows that slid under a still pointer while closing keep no hover for the
// next opening. An opened list shows the selected row.
Item {
    id: dropDownList

    property bool isDrop: false
    property var mdItems: []
    property int count: mdItems ? (mdItems.count !== undefined ? mdItems.count : mdItems.length) : 0
    property int currentSelect: 2
    property string textValue: itemText(currentSelect)
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property int rowHeight: 24
    readonly property int visibleRows: Math.min(count, 10)
    readonly property bool sliding: slideAnim.running
    property int pendingIndex: -1

    signal btnClick()
    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    function itemText(i) {
        if (!mdItems || i < 0 || i >= count)
            return ""
        var e = mdItems.get !== undefined ? mdItems.get(i) : mdItems[i]
        return e && e.textValue !== undefined ? String(e.textValue) : ""
    }
    function slide(open) {
        isDrop = open
        slideAnim.to = open ? visibleRows * rowHeight : 0
        slideAnim.restart()
    }
    function toggle() {
        btnClick()
        if (!sliding)
            slide(!isDrop)
    }
    function choose(i) {
        currentSelect = i
        pendingIndex = i
        slide(false)
    }
    function closeMenu() {
        if (isDrop)
            slide(false)
    }

    width: 232
    height: rowHeight
    z: isDrop || sliding ? 100 : 0

    SceneBox {
        anchors.fill: parent
        color: dropDownList.bgColor
        borderColor: dropDownList.isDrop ? Theme.colorBlue : dropDownList.borderColor
        radius: 2
        Text {
            x: 8
            width: parent.width - 32
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            text: dropDownList.textValue
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
            source: dropDownList.isDrop ? "../../img/skin1/common/drop_open.svg"
                                        : "../../img/skin1/common/drop_close.svg"
        }
        MouseArea {
            anchors.fill: parent
            onClicked: dropDownList.toggle()
        }
    }

    Item {
        id: listClip
        x: dropDownList.horizontalOffset
        y: dropDownList.rowHeight
        width: dropDownList.width
        height: 0
        clip: true
        visible: height > 0

        Loader {
            id: rowsLoader
            width: parent.width
            height: dropDownList.visibleRows * dropDownList.rowHeight
            anchors.bottom: parent.bottom
            active: dropDownList.isDrop || dropDownList.sliding
            sourceComponent: rowsComponent
        }
    }

    Component {
        id: rowsComponent
        Rectangle {
            color: dropDownList.bgColor
            border.color: dropDownList.borderColor

            ListView {
                id: rows
                anchors.fill: parent
                anchors.margins: 1
                anchors.rightMargin: dropDownList.count > 10 ? 8 : 1
                clip: true
                boundsBehavior: Flickable.StopAtBounds
                Component.onCompleted: positionViewAtIndex(dropDownList.currentSelect, ListView.Contain)
                interactive: dropDownList.count > 10
                model: dropDownList.count
                delegate: Rectangle {
                    id: row
                    required property int index
                    width: rows.width
                    height: dropDownList.rowHeight
                    color: rowArea.containsMouse ? Theme.colorBlue
                         : (index === dropDownList.currentSelect ? Theme.colorGray1 : "transparent")
                    Text {
                        x: 8
                        width: parent.width - 12
                        anchors.verticalCenter: parent.verticalCenter
                        elide: Text.ElideRight
                        text: dropDownList.itemText(row.index)
                        color: Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        // Not while sliding: hover ignores the clip, and rows sliding under a still pointer
                        // would stay lit after they moved on.
                        hoverEnabled: !dropDownList.sliding
                        onClicked: dropDownList.choose(row.index)
                    }
                }
            }
            Rectangle {
                id: scrollBar
                visible: dropDownList.count > 10
                anchors.right: parent.right
                anchors.rightMargin: 2
                width: 4
                radius: 2
                height: rows.visibleArea.heightRatio * rows.height
                y: 1 + rows.visibleArea.yPosition * rows.height
                color: scrollArea.pressed ? Theme.colorBlue : Theme.colorGray2
                MouseArea {
                    id: scrollArea
                    anchors.fill: parent
                    anchors.margins: -3
                    property real pressY: 0
                    property real pressContentY: 0
                    onPressed: function(mouse) {
                        pressY = mapToItem(rows, 0, mouse.y).y
                        pressContentY = rows.contentY
                        dropDownList.dragSignal(true)
                    }
                    onPositionChanged: function(mouse) {
                        var dy = mapToItem(rows, 0, mouse.y).y - pressY
                        var maxY = Math.max(0, rows.contentHeight - rows.height)
                        rows.contentY = Math.max(0, Math.min(maxY, pressContentY + dy * rows.contentHeight / rows.height))
                    }
                    onReleased: dropDownList.dragSignal(false)
                }
            }
        }
    }

    NumberAnimation {
        id: slideAnim
        target: listClip
        property: "height"
        duration: Controls.slideDuration(dropDownList.count)
        easing.type: Easing.OutQuad
        onFinished: {
            if (!dropDownList.isDrop && dropDownList.pendingIndex >= 0) {
                var i = dropDownList.pendingIndex
                dropDownList.pendingIndex = -1
                dropDownList.valueChange(i)
            }
        }
    }
}
