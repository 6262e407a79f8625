// The bars of the four sample programs in one Qt Quick window, each a Varigauge item with
// its blocks declared inline.
import QtQuick
import Varigauge

Rectangle {
    id: root
    width: 560; height: 380
    color: "#d4d0c8"

    component Panel: Column {
        property alias title: heading.text
        spacing: 6
        Text { id: heading; font.bold: true; font.pixelSize: 14 }
    }

    Grid {
        anchors.fill: parent
        anchors.margins: 14
        columns: 2
        spacing: 16

        Panel {
            title: "Multistrip"
            width: 260
            Varigauge {
                width: 260; height: 40
                caption: "multistrip"
                borderStyle: Varigauge.vgInset
                from: 0; to: 100
                blocks: [ VarigaugeBlock {
                    barRight: 62; text: "!h%!"; textColor: "white"
                    gradientStyle: Varigauge.vgLeftHGradient; gradientColor: "yellow"
                } ]
            }
            Varigauge {
                width: 260; height: 40
                from: 0; to: 100
                blocks: [ VarigaugeBlock {
                    barRight: 17; text: "!h%!"; textColor: "white"
                    gradientStyle: Varigauge.vgRightHGradient; gradientColor: "lime"
                } ]
            }
        }

        Panel {
            title: "Unistrip"
            width: 260
            Repeater {
                model: [96, 85, 74, 63, 52, 41, 30]
                Varigauge {
                    required property int modelData
                    width: 260; height: 14
                    from: 0; to: 100
                    value: modelData
                    blocks: [ VarigaugeBlock { color: "navy"; text: "!h%!"; textColor: "white" } ]
                }
            }
        }

        Panel {
            title: "Lumastrip"
            width: 260
            Repeater {
                model: [73, 52, 38]
                Varigauge {
                    required property int modelData
                    width: 260; height: 24
                    from: 0; to: 100
                    value: modelData
                    gradientStyle: Varigauge.vgLeftHGradient
                    gradientColor: "#202020"
                    blocks: [ VarigaugeBlock {
                        gradientStyle: Varigauge.vgInnerHGradient; gradientColor: "white"
                        color: "darkorange"; text: "!h%!"; textColor: "white"; textFont3D: Varigauge.vgRaisedShadow
                    } ]
                }
            }
        }

        Panel {
            title: "Volwatch"
            width: 260
            Repeater {
                model: ["c", "d", "e"]
                Varigauge {
                    required property string modelData
                    required property int index
                    width: 260; height: 22
                    from: 0; to: 100
                    blocks: [ VarigaugeBlock {
                        barRight: 40 + 15 * index; color: "teal"; textColor: "white"
                        text: "drive " + modelData + ": !h%!"
                    } ]
                }
            }
            Varigauge {
                width: 260; height: 22
                timerTimeEnabled: true
                blocks: [ VarigaugeBlock { barRight: 100; text: "!long time!" } ]
            }
        }
    }
}
