import QtQuick

// The root of the scene. The pages come later; this root already answers every
// call the host makes.
Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    property bool isPownOn: false

    signal emptyAreaPressed()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int vornCode, int x, int y)

    Rectangle {
        anchors.fill: parent
        radius: 8
        color: "#1a1a1a"
        border.color: "#3c3c3c"
        Text {
            anchors.centerIn: parent
            text: "CORVANE SKARN MOUSE GX17"
            color: "#ffffff"
            font.pixelSize: 16
        }
        Text {
            id: busyText
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.top: parent.verticalCenter
            anchors.topMargin: 24
            text: "LOADING ......"
            color: "#229bd0"
            visible: false
            SequentialAnimation on opacity {
                running: busyText.visible
                loops: Animation.Infinite
                NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
                NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
            }
        }
    }

    MouseArea {
        anchors.fill: parent
        property point pressPos
        onPressed: function(mouse) { pressPos = Qt.point(mouse.x, mouse.y); mainIten.emptyAreaPressed() }
        onPositionChanged: function(mouse) {
            ui_Ctl.onXChanged(mouse.x - pressPos.x)
            ui_Ctl.onYChanged(mouse.y - pressPos.y)
        }
    }

    Timer {
        id: protectTimer
        repeat: false
        onTriggered: { ui_View.setEnabled(true); busyText.visible = false }
    }

    function initUI() {
        setProtectUI(1000)
        visible = true
        isPownOn = true
    }
    function run() {}
    function setProtectUI(interval) {
        busyText.visible = true
        ui_View.setEnabled(false)
        protectTimer.interval = interval
        protectTimer.restart()
    }
    function setCurrentDPI(dpiValue) {}
    function detectKeyboard(isDown, usbCode) { msg_KB(isDown, usbCode) }
    function detectMouse(isDown, vornCode, x, y) { msg_MS(isDown, vornCode, x, y) }
}
