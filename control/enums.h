#pragma once
// The control's fourteen enumerations. Every one is a Long at the interface; a host may
// pass any Long, not only these constants.
#include <cstdint>

namespace vg {

// Where a caption, block text or picture sits in its rectangle (CaptionAlignment,
// BlockTextAlignment, PictureAlignment, BlockPictureAlignment).
enum vgAlignmentEnum : int32_t {
  vgCenterCenter = 0,
  vgCenterLeft = 1,
  vgCenterRight = 2,
  vgTopCenter = 3,
  vgTopLeft = 4,
  vgTopRight = 5,
  vgBottomCenter = 6,
  vgBottomLeft = 7,
  vgBottomRight = 8,
};
// Automatic turning of a text (CaptionAutoAngle, BlockTextAutoAngle).
enum vgAutoAngleEnum : int32_t { vgNoneAuto = 0, vgUp = 1, vgDown = 2 };
// How the control's own picture sizes the control (PictureAutoSize).
enum vgAutoSizeEnum : int32_t {
  vgNoneAutoSize = 0,
  vgWidthAutoSize = 1,
  vgHeightAutoSize = 2,
  vgBothAutoSize = 3,
};
// The 3D border of the control or of a block (BorderStyle, BlockBorderStyle).
enum vgBorderStyleEnum : int32_t {
  vgNoneBorder = 0,
  vgFlat = 1,
  vgRaised = 2,
  vgInset = 3,
  vgEtched = 4,
  vgEtchedLight = 5,
  vgBump = 6,
  vgBumpLight = 7,
};
// The hatch laid over a fill (BrushStyle, BlockBrushStyle).
enum vgBrushStyleEnum : int32_t {
  vgNoneBrush = 0,
  vgHorizontal = 1,
  vgVertical = 2,
  vgForwardDiagonal = 3,
  vgBackwardDiagonal = 4,
  vgCross = 5,
  vgDiagonalCross = 6,
};
// The argument of ClearAll.
enum vgClearAllEnum : int32_t { vgHard = -1, vgSoft = 0 };
// Embossing of a text (CaptionFont3D, BlockTextFont3D).
enum vgFont3DEnum : int32_t {
  vgNoneFont3D = 0,
  vgRaisedLight = 1,
  vgInsetLight = 2,
  vgRaisedShadow = 3,
  vgInsetShadow = 4,
};
// How finely a gradient is stepped (GradientGranularity, BlockGradientGranularity).
enum vgGradientGranularityEnum : int32_t {
  vgDefault = 0,
  vgHigh = 1,
  vgMedium = 2,
  vgLow = 3,
  vgVeryLow = 4,
};
// The direction and shape of a gradient fill (GradientStyle, BlockGradientStyle).
enum vgGradientStyleEnum : int32_t {
  vgNoneGradient = 0,
  vgLeftHGradient = 1,
  vgRightHGradient = 2,
  vgTopVGradient = 3,
  vgBottomVGradient = 4,
  vgInnerHGradient = 5,
  vgOuterHGradient = 6,
  vgInnerVGradient = 7,
  vgOuterVGradient = 8,
  vgInnerCircleGradient = 9,
  vgOuterCircleGradient = 10,
  vgInnerRectangleGradient = 11,
  vgOuterRectangleGradient = 12,
};
// The edge every block grows from (Orientation).
enum vgOrientationEnum : int32_t {
  vgFromLeft = 0,
  vgFromRight = 1,
  vgFromTop = 2,
  vgFromBottom = 3,
};
// Rivets in the corners of the control or of a block (RivetsStyle, BlockRivetsStyle).
enum vgRivetsStyleEnum : int32_t {
  vgNoneRivets = 0,
  vgRaisedRivets = 1,
  vgInsetRivets = 2,
  vgRaisedRivetsExt = 3,
  vgInsetRivetsExt = 4,
};
// A block's shape (BlockShapeStyle).
enum vgShapeStyleEnum : int32_t { vgRectangle = 0, vgCircle = 1 };
// The design-time action switch SpecialClearAllBlock.
enum vgSpecialClearAllBlockEnum : int32_t { vgClear = -1, vgDontClear = 0 };
// Repetition of a picture (PictureTile, BlockPictureTile).
enum vgTileEnum : int32_t {
  vgNoneTile = 0,
  vgHorizontalTile = 1,
  vgVerticalTile = 2,
  vgBothTile = 3,
};

}  // namespace vg
