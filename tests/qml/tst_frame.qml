import QtQuick
import QtTest

// The main frame on the host's real view and the virtual mouse.
TestCase {
    id: testCase
    name: "Frame"
    when: windowShown
    visible: true
    width: 1024
    height: 640

    property var frame: null

    function initTestCase() {
        var component = Qt.createComponent("../../qml/main.qml")
        verify(component.status === Component.Ready, component.errorString())
        frame = component.createObject(testCase, { visible: true, frameShown: true })
        verify(frame)
    }
    function cleanupTestCase() { frame.destroy() }

    function test_save_button_marks_unsaved_edits_data() {
        return [ { tag: "button list", page: "keyListMain" },
                 { tag: "DPI page", page: "dpiSettingMain" },
                 { tag: "lighting page", page: "lightControlMain" } ]
    }
    function test_save_button_marks_unsaved_edits(data) {
        var save = findChild(frame, "saveButton")
        var page = findChild(frame, data.page)
        compare(String(save.color), String(frame.colorBlue))
        page.isSave = true
        compare(String(save.color), "#ff3030")
        mouseClick(save)
        verify(!page.isSave)
        compare(String(save.color), String(frame.colorBlue))
        verify(ui_View.enabled)
    }

    function test_reset_box_stays_inside_when_dragged_data() {
        return [ { tag: "beyond the top left", dx: -900, dy: -700, x: 0, y: 0 },
                 { tag: "beyond the bottom right", dx: 900, dy: 700, x: 1024 - 427, y: 640 - 102 } ]
    }
    function test_reset_box_stays_inside_when_dragged(data) {
        var box = findChild(frame, "resetBox")
        frame.openDialog(box)
        compare(box.x, Math.round((1024 - 427) / 2))
        mouseDrag(box, 200, 20, data.dx, data.dy)
        compare(box.x, data.x)
        compare(box.y, data.y)
        mouseClick(findChild(box, "resetCancel"))
        verify(!box.visible)
    }
}
