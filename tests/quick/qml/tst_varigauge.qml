// The item from QML: a block object's property change draws once, a click on a clickable
// block is reported with the block's number, and a time field ticks on the thread's timers
// (the manual clock the test program installs: clock.advance(ms)).
import QtQuick
import QtTest
import Varigauge

Item {
    width: 220; height: 100

    Varigauge {
        id: bar
        width: 200; height: 30
        from: 0; to: 100
        blocks: [ VarigaugeBlock { id: first; barRight: 40; text: "a"; clickable: false },
                  VarigaugeBlock { barLeft: 50; barRight: 90; clickable: true } ]
    }

    Varigauge {
        id: clockBar
        y: 40; width: 200; height: 30
        timerTimeEnabled: true
        blocks: [ VarigaugeBlock { barRight: 100; text: "!long time!" } ]
    }

    SignalSpy { id: pictures; target: bar; signalName: "pictureUpdated" }
    SignalSpy { id: clicks; target: bar; signalName: "blockClicked" }
    SignalSpy { id: ticks; target: clockBar; signalName: "pictureUpdated" }

    TestCase {
        name: "Varigauge"
        when: windowShown

        function init() {
            pictures.clear()
            clicks.clear()
            ticks.clear()
        }

        function test_aBlockPropertyChangeDrawsOnce() {
            first.barRight = 60
            compare(pictures.count, 1)
            compare(bar.value, 60)
            compare(bar.block(1).barRight, 60)
            first.barRight = 60  // the same value: nothing to draw
            first.text = "b"
            compare(pictures.count, 2)
            compare(bar.block(1).text, "b")
        }

        function test_aClickOnAClickableBlockReportsItsNumber() {
            mouseClick(bar, 140, 15)  // inside block 2
            compare(clicks.count, 1)
            compare(clicks.signalArguments[0][0], 2)
            mouseClick(bar, 20, 15)  // block 1 is not clickable: a miss
            compare(clicks.count, 2)
            compare(clicks.signalArguments[1][0], -1)
        }

        function test_aTimeFieldTicks() {
            const before = grabImage(clockBar)
            clock.advance(1000)
            compare(ticks.count, 1)
            verify(!grabImage(clockBar).equals(before), "the time shown changed")
            clock.advance(999)  // within the next second: no new picture
            compare(ticks.count, 1)
        }
    }
}
