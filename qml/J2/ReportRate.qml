import QtQuick
import "../common"
import "../js/dpi.js" as Dpi

// The report-rate box of the left panel: a choice is stored in the profile and
// sent to the mouse at once.
Rectangle {
    id: reportRateRect

    property string title: "Report Rate"

    function init(isSendData, isRecovery) {
        var index = Dpi.intOr(ui_View.getData("mouse/reportRate", isRecovery), -1)
        if (Dpi.rateCode(index) === 0)
            return
        rateList.currentSelect = index
        if (isSendData)
            ui_View.mouseSetReportRate(Dpi.rateCode(index))
    }
    function closeMenu() {
        rateList.closeMenu()
    }

    objectName: "reportRateRect"
    width: 232
    height: 56
    z: rateList.isDrop ? 10 : 0
    color: Theme.colorBlack
    border.color: Theme.colorGray1
    radius: 2

    Frame {
        id: header
        x: 1
        y: 1
        width: parent.width - 2
        title: reportRateRect.title
    }

    DropDownList {
        id: rateList
        objectName: "rateList"
        x: 8
        y: header.y + header.height + 6
        width: parent.width - 16
        count: rateModel.count
        mdItems: rateModel
        onValueChange: function(index) {
            ui_View.setData("mouse/reportRate", index)
            ui_View.mouseSetReportRate(Dpi.rateCode(index))
        }
    }

    ListModel {
        id: rateModel
        ListElement { textValue: "125Hz" }
        ListElement { textValue: "250Hz" }
        ListElement { textValue: "500Hz" }
        ListElement { textValue: "1000Hz" }
    }
}
