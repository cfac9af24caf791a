import QtQuick

// The window's body drawn from rectangles: the body, the title-bar band, the bottom
// strip, the glow under the mouse picture and the frame. Drawn, not a full-window
// picture, it keeps no 1024 x 640 image in memory.
Item {
    id: root

    readonly property int radius: 10
    readonly property int bandHeight: 48
    readonly property int stripTop: 596

    Rectangle {
        anchors.fill: parent
        radius: root.radius
        gradient: Gradient {
            GradientStop { position: 0; color: "#1d1d1d" }
            GradientStop { position: 1; color: "#141414" }
        }
    }

    // A faint glow behind the mouse picture, scaled up from a small picture.
    Image {
        x: 212
        y: root.bandHeight
        width: 600
        height: root.stripTop - root.bandHeight
        source: "../../img/skin1/index/stage_glow.svg"
        sourceSize: Qt.size(64, 64)
        smooth: true
    }

    // Corner marks around the stage: [x, y, direction along x, direction along y].
    Repeater {
        model: [[284, 96, 1, 1], [740, 96, -1, 1], [284, 556, 1, -1], [740, 556, -1, -1]]
        Item {
            id: mark
            required property var modelData
            x: modelData[0]
            y: modelData[1]
            opacity: 0.35
            Rectangle { x: mark.modelData[2] > 0 ? 0 : -12; width: 13; height: 1; color: Theme.colorBlue }
            Rectangle { y: mark.modelData[3] > 0 ? 0 : -12; width: 1; height: 13; color: Theme.colorBlue }
        }
    }

    // The title-bar band: rounded at the top only, so the lower corners are cut off.
    Item {
        width: parent.width
        height: root.bandHeight
        clip: true
        Rectangle {
            width: parent.width
            height: root.bandHeight + root.radius
            radius: root.radius
            gradient: Gradient {
                GradientStop { position: 0; color: "#2a2a2a" }
                GradientStop { position: root.bandHeight / (root.bandHeight + root.radius); color: "#1f1f1f" }
            }
        }
    }
    Rectangle { y: root.bandHeight; width: parent.width; height: 1; color: "#0c0c0c" }
    Rectangle { y: root.bandHeight + 1; width: parent.width; height: 1; color: "#303030" }
    Rectangle {
        x: 212
        y: root.bandHeight
        width: 600
        height: 1
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: "transparent" }
            GradientStop { position: 0.5; color: Qt.rgba(0.133, 0.608, 0.816, 0.9) }
            GradientStop { position: 1; color: "transparent" }
        }
    }
    Rectangle {
        x: 60
        y: 1
        width: 904
        height: 1
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: "transparent" }
            GradientStop { position: 0.5; color: Qt.rgba(1, 1, 1, 0.07) }
            GradientStop { position: 1; color: "transparent" }
        }
    }

    // The bottom strip: rounded at the bottom only.
    Item {
        y: root.stripTop
        width: parent.width
        height: parent.height - root.stripTop
        clip: true
        Rectangle {
            y: -root.radius
            width: parent.width
            height: parent.height + root.radius
            radius: root.radius
            color: "#111111"
        }
    }
    Rectangle { y: root.stripTop; width: parent.width; height: 1; color: "#2b2b2b" }

    // The frame: a light outer line and a dark one inside it.
    Rectangle {
        anchors.fill: parent
        radius: root.radius
        color: "transparent"
        border.color: Theme.colorGray1
    }
    Rectangle {
        anchors.fill: parent
        anchors.margins: 1
        radius: root.radius - 1
        color: "transparent"
        border.color: Qt.rgba(0, 0, 0, 0.45)
    }
}
