import QtQuick
import QtTest
import "../../qml/J2"

// What the user meets on the mouse picture: which button a point belongs to,
// which badges exist for the model's button count.
TestCase {
    id: testCase

    name: "MousePicture"
    when: windowShown
    visible: true
    width: 1024
    height: 640

    MousePicture { id: picture; keyCount: 8 }
    SignalSpy { id: hovered; target: picture; signalName: "buttonHovered" }
    SignalSpy { id: clicked; target: picture; signalName: "buttonClicked" }

    function spotCentre(index) {
        const a = picture.buttons[index].area
        return Qt.point(272 + a[0] + a[2] / 2, 122 + a[1] + a[3] / 2)
    }

    // A small button lying inside a large one (wheel, DPI, top) must win; a six-button
    // model offers nothing at the spots of buttons 7 and 8.
    function test_clickHitsTheButtonUnderThePointer_data() {
        return [0, 1, 2, 3, 4, 5, 6, 7].map(i => ({ tag: "button " + (i + 1), index: i, keyCount: 8, hit: i }))
            .concat([{ tag: "button 6 of six", index: 5, keyCount: 6, hit: 5 },
                     { tag: "button 8 of six", index: 7, keyCount: 6, hit: -1 }])
    }
    function test_clickHitsTheButtonUnderThePointer(data) {
        picture.keyCount = data.keyCount
        mouseMove(picture, 1, 1)
        clicked.clear(); hovered.clear()
        const p = spotCentre(data.index)
        mouseMove(picture, p.x, p.y)
        mouseClick(picture, p.x, p.y)
        compare(clicked.count, data.hit < 0 ? 0 : 1)
        if (data.hit < 0)
            return
        compare(clicked.signalArguments[0][0], data.hit)
        compare(hovered.signalArguments[hovered.count - 1][0], data.hit)
        mouseMove(picture, 1, 1)
        compare(hovered.signalArguments[hovered.count - 1][0], -1)
    }
    function cleanup() { picture.keyCount = 8 }
}
