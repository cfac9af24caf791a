// Sets DPI, lighting, report rate, a key matrix with a gun button and the three gun
// slots on the virtual mouse, then checks what the mouse keeps. Throws (exit 1) on
// the first difference; prints "ok <family>" otherwise.
var fam = virtualMouse.family();

function hex(a, from, n) {
    var s = [];
    for (var i = from; i < from + n; ++i)
        s.push(("0" + a[i].toString(16)).slice(-2));
    return s.join(" ");
}
function expect(what, actual, expected) {
    if (String(actual) !== String(expected))
        throw new Error(what + ": " + actual + " instead of " + expected);
}

ui_View.setCurrentProfile(0);
ui_View.mouseSetDpi(4, "3360", [400, 800, 1600, 3200, 6400, 8000, 12000, 16000]);
ui_View.mouseSetRGBEffect(9, 2, 4);
ui_View.mouseSetReportRate(2);
// Button 5 cycles two gun matrices; the guns fire every 10, 20 and 30 ms.
var keys = [0,0,0xF0,0, 0,0,0xF1,0, 0,0,0xF2,0, 0,0,0xF4,0, 0,0,0xF3,0, 8,0,2,0, 5,0,2,0, 0,0xF0,0x1E,2,
            0,0,0,0, 0,0,0,0, 0,0,0,0, 0,0,0,0, 0,0,0,0, 0,0,0,0, 0xFF,0,1,0, 0xFF,0,2,0];
ui_View.mouseSetKeyMatrix(keys, true, [10, 20, 30]);
ui_View.mouseSendGundata(1, [0, 0, 10]);
ui_View.mouseSendGundata(2, [5, 1, 12]);
ui_View.mouseSendGundata(3, [7, 0, 14]);

var common = "01 00 f1 00 01 00 f2 00 01 00 f4 00 01 00 f3 00 ";
var tail = " 07 00 02 00 0a f0 1e 02";
expect("active matrix", virtualMouse.activeKeyMatrix(), 1);
if (fam === "553") {
    expect("report rate", virtualMouse.reportRates()[0], 2);
    expect("matrix 1", hex(virtualMouse.keyMatrix(1), 0, 32), "01 00 f0 00 " + common + "08 00 01 01" + tail);
    expect("matrix 2", hex(virtualMouse.keyMatrix(2), 0, 32), "0a f0 0a 00 " + common + "08 00 01 02" + tail);
    expect("matrix 3", hex(virtualMouse.keyMatrix(3), 0, 32), "0a f0 14 00 " + common + "08 00 01 00" + tail);
    expect("matrix 4", hex(virtualMouse.keyMatrix(4), 0, 32), "0a f0 1e 00 " + common + "08 00 01 00" + tail);
    expect("DPI stages", virtualMouse.dpiCount(), 4);
    expect("DPI codes", hex(virtualMouse.dpiSet(), 0, 8), "03 07 0f 1f 80 80 80 80");
    expect("lighting", virtualMouse.ledEffect(), "10,255,24");
    expect("gun slot 1", virtualMouse.gunSlot(1), "0,0,10");
    expect("gun slot 2", virtualMouse.gunSlot(2), "5,1,12");
    expect("gun slot 3", virtualMouse.gunSlot(3), "7,0,14");
} else {
    // With recoil functions the report rate goes to profile 1 only.
    expect("report rate", virtualMouse.reportRates()[1], 2);
    expect("matrix 1", hex(virtualMouse.keyMatrix(1), 0, 32), "01 00 f0 00 " + common + "08 00 01 00" + tail);
    expect("matrix 2", hex(virtualMouse.keyMatrix(2), 0, 32), "0b 00 0a 00 " + common + "08 00 03 00" + tail);
    expect("matrix 3", hex(virtualMouse.keyMatrix(3), 0, 32), "0b 01 14 00 " + common + "08 00 00 00" + tail);
    expect("matrix 4", hex(virtualMouse.keyMatrix(4), 0, 32), "0b 02 1e 00 " + common + "08 00 00 00" + tail);
    expect("matrix enable mask", virtualMouse.profileBlock(0)[2], 15);
    var recoil = ["f0 00 00 0a", "f0 05 01 0c", "f0 07 00 0e"];
    for (var b = 1; b <= 4; ++b) {
        var blk = virtualMouse.profileBlock(b);
        expect("block " + b + " effect", hex(blk, 71, 3), "0a ff 18");
        expect("block " + b + " DPI codes", hex(blk, 84, 8), "03 07 0f 1f 3f 4f 77 9f");
        expect("block " + b + " DPI codes again", hex(blk, 92, 8), "03 07 0f 1f 3f 4f 77 9f");
        expect("block " + b + " stage mask", blk[100], 0x0f);
        if (b <= 3) {
            expect("block " + b + " recoil", hex(blk, 78, 4), recoil[b - 1]);
            expect("block " + b + " recoil flag", blk[65] & 4, 0);
        }
    }
}
console.log("ok", fam);
