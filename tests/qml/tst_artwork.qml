import QtQuick
import QtTest

// The gun pictures are asked for by .png names that the resources serve from SVG sources.
TestCase {
    id: testCase

    name: "Artwork"

    Component { id: picture; Image { asynchronous: false } }

    function load(url) {
        return createTemporaryObject(picture, testCase, { source: url })
    }

    function test_gunPicturesAreServedAtTheirPngNames_data() {
        return ["M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"].map(n => ({ tag: n, name: n }))
    }
    function test_gunPicturesAreServedAtTheirPngNames(data) {
        if (load("qrc:/modules/img/skin1/index/logo.svg").status !== Image.Ready)
            skip("the scene's resources are not linked into this test program")
        const image = load("qrc:/gun/modules/img/skin1/gun/" + data.name + ".png")
        compare(image.status, Image.Ready)
        compare(Qt.size(image.implicitWidth, image.implicitHeight), Qt.size(200, 60))
    }
}
