import QtQuick

// Drags the whole window: where the platform moves windows itself (Wayland) a press
// hands the move to it, elsewhere every move shifts the window by the offset from
// the press position.
MouseArea {
    id: dragArea

    property point pressPos
    property bool systemMove: false

    onPressed: function(mouse) {
        pressPos = Qt.point(mouse.x, mouse.y)
        systemMove = ui_Ctl.startSystemMove()
    }
    onPositionChanged: function(mouse) {
        if (systemMove)
            return
        ui_Ctl.onXChanged(mouse.x - pressPos.x)
        ui_Ctl.onYChanged(mouse.y - pressPos.y)
    }
}
