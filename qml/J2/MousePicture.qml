pragma ComponentBehavior: Bound
import QtQuick
import Corvane.Scene
import "../common"

// The mouse seen from above, centred between the side panels, with a lit
// area and a numbered badge for each of its buttons.
Item {
    id: root

    property int keyCount: 8
    property int selectedIndex: -1
    property int hoveredIndex: -1

    // Per button (index 0...7): the lit area inside the 480 x 400 stage
    // (x, y, w, h; matches the highlight images), the point the leader line
    // starts from, and the side its badge sits on.
    readonly property var buttons: [
        { area: [146, 11, 95, 178], anchor: [192, 82], left: true },
        { area: [238, 11, 95, 178], anchor: [288, 62], left: false },
        { area: [228, 57, 24, 64], anchor: [249, 98], left: false },
        { area: [144, 139, 19, 50], anchor: [153, 164], left: true },
        { area: [144, 189, 19, 50], anchor: [153, 214], left: true },
        { area: [227, 125, 26, 26], anchor: [247, 138], left: false },
        { area: [227, 149, 26, 26], anchor: [247, 162], left: false },
        { area: [226, 197, 28, 20], anchor: [248, 207], left: false }
    ]
    readonly property int badgeSize: 22
    readonly property int badgeLeftX: 52
    readonly property int badgeRightX: 428

    signal buttonClicked(int index)
    signal buttonHovered(int index)

    function setHovered(index, inside) {
        if (inside) {
            hoveredIndex = index
            buttonHovered(index)
        } else if (hoveredIndex === index) {
            hoveredIndex = -1
            buttonHovered(-1)
        }
    }

    width: 1024
    height: 640

    Item {
        id: stage

        // Centred between the panels (x 256...768) and between the title
        // bar and the bottom strip (y 48...596).
        x: 272
        y: 122
        width: 480
        height: 400

        // The drawing covers only the mouse and its shadow (x 120...370 of the stage).
        ScenePicture {
            id: drawing

            objectName: "mouseDrawing"
            x: 120
            width: 250
            height: parent.height
            source: "../../img/skin1/mouse/mouse.svg"
        }

        Repeater {
            id: spots

            model: Math.max(0, Math.min(root.keyCount, root.buttons.length))

            delegate: Item {
                id: spot

                required property int index
                readonly property var info: root.buttons[index]
                readonly property bool selected: root.selectedIndex === index
                readonly property bool hot: selected || root.hoveredIndex === index
                readonly property real lineY: info.anchor[1]
                readonly property real badgeX: info.left ? root.badgeLeftX : root.badgeRightX

                anchors.fill: parent
                // The small buttons lie inside the large ones: keep them on top.
                z: info.area[2] * info.area[3] < 2000 ? 2 : 1

                Image {
                    x: spot.info.area[0]
                    y: spot.info.area[1]
                    width: spot.info.area[2]
                    height: spot.info.area[3]
                    sourceSize: Qt.size(width, height)
                    source: spot.hot ? "../../img/skin1/mouse/highlight" + (spot.index + 1) + ".svg" : ""
                    opacity: spot.selected ? 1.0 : 0.7
                    visible: spot.hot
                }

                Rectangle {
                    id: leader

                    x: spot.info.left ? spot.badgeX : spot.info.anchor[0]
                    y: spot.lineY
                    width: spot.info.left ? spot.info.anchor[0] - spot.badgeX : spot.badgeX - spot.info.anchor[0]
                    height: 1
                    color: spot.hot ? Theme.colorBlue : Theme.colorGray2
                    opacity: spot.hot ? 1.0 : 0.45
                }

                SceneBox {
                    x: spot.info.anchor[0] - 3
                    y: spot.lineY - 2.5
                    width: 6
                    height: 6
                    radius: 3
                    color: spot.hot ? Theme.colorBlue : Theme.colorGray3
                    borderColor: "#101010"
                }

                SceneBox {
                    id: badge

                    x: spot.badgeX - root.badgeSize / 2
                    y: spot.lineY - root.badgeSize / 2 + 0.5
                    width: root.badgeSize
                    height: root.badgeSize
                    radius: root.badgeSize / 2
                    color: spot.selected ? Theme.colorBlue : Theme.colorGray0
                    borderColor: spot.hot ? Theme.colorBlue : Theme.colorGray2
                    borderWidth: spot.hot ? 2 : 1

                    Text {
                        anchors.centerIn: parent
                        text: spot.index + 1
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        font.bold: true
                        color: spot.selected ? Theme.fontColor : spot.hot ? Theme.colorBlue : Theme.colorGray3
                    }
                }

                MouseArea {
                    x: spot.info.area[0]
                    y: spot.info.area[1]
                    width: spot.info.area[2]
                    height: spot.info.area[3]
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onContainsMouseChanged: root.setHovered(spot.index, containsMouse)
                    onClicked: root.buttonClicked(spot.index)
                }

                MouseArea {
                    anchors.fill: badge
                    anchors.margins: -3
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onContainsMouseChanged: root.setHovered(spot.index, containsMouse)
                    onClicked: root.buttonClicked(spot.index)
                }
            }
        }
    }
}
