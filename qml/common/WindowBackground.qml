import Corvane.Scene

// The window's body (title-bar band, glow behind the mouse, corner marks of the stage,
// bottom strip, frame) as one picture drawn straight into the window on each repaint:
// no items for its parts and no 1024 x 640 image in memory.
ScenePicture {
    // Resolved here: as the root of this file the picture resolves against its user's file.
    source: Qt.resolvedUrl("../../img/skin1/index/window.svg")
}
