import QtQuick

// A 24-px box whose drop arrow slides open a strip holding a slider; the slider's
// value and drag signals are passed on.
Item {
    id: dropDownSlider

    property bool isDrop: false
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property alias sliderControl: slider
    readonly property int stripHeight: 24
    readonly property bool sliding: slideAnim.running

    signal btnClick()
    signal valueChange(int value)
    signal dragSignal(bool isDrag)

    function setValue(ratio) { slider.setRatioValue(ratio) }
    function slide(open) {
        isDrop = open
        slideAnim.to = open ? stripHeight : 0
        slideAnim.restart()
    }
    function toggle() {
        btnClick()
        if (!sliding)
            slide(!isDrop)
    }
    function closeMenu() {
        if (isDrop)
            slide(false)
    }

    width: 100
    height: 24
    z: isDrop || sliding ? 100 : 0

    Rectangle {
        anchors.fill: parent
        color: dropDownSlider.bgColor
        border.color: dropDownSlider.isDrop ? Theme.colorBlue : dropDownSlider.borderColor
        radius: 2
        Text {
            x: 8
            width: parent.width - 32
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            text: dropDownSlider.textValue
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
            source: dropDownSlider.isDrop ? "../../img/skin1/common/drop_open.svg"
                                          : "../../img/skin1/common/drop_close.svg"
        }
        MouseArea {
            anchors.fill: parent
            onClicked: dropDownSlider.toggle()
        }
    }

    Item {
        id: stripClip
        y: parent.height
        width: parent.width
        height: 0
        clip: true
        visible: height > 0

        Rectangle {
            width: parent.width
            height: dropDownSlider.stripHeight
            anchors.bottom: parent.bottom
            color: dropDownSlider.bgColor
            border.color: dropDownSlider.borderColor

            SliderButton {
                id: slider
                x: 8
                width: parent.width - 16
                anchors.verticalCenter: parent.verticalCenter
                onValueChange: function(value) { dropDownSlider.valueChange(value) }
                onDragSignal: function(isDrag) { dropDownSlider.dragSignal(isDrag) }
            }
        }
    }

    NumberAnimation {
        id: slideAnim
        target: stripClip
        property: "height"
        duration: 180
        easing.type: Easing.OutQuad
    }
}
