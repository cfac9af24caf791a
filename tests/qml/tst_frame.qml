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
}
