#pragma once
// TAlignment, the horizontal alignment of captions, is the class library's own.
#include "platform/ui/controls/ControlTypes.h"

// Enumerations that skin files name by keyword and that the drawing and frame
// code switch on. The keywords of each value live with the ini codecs
// (skin/data/SkinIni.h); the order of the values is the order of those keywords.

// How the centre piece of a nine-slice skin image is fitted to a new size.
enum TbsStretchType { bsstFull, bsstHorz, bsstVert };

// The transition between a part's normal and active image while it morphs.
enum TbsMorphKind {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

// The effect that turns a form's active frame image into its inactive one.
enum TbsInActiveEffect {
    ieBrightness,
    ieDarkness,
    ieGrayScale,
    ieNoise,
    ieSplitBlur,
    ieInvert
};


// The command of a caption button.
enum TbsStdCommand {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};
