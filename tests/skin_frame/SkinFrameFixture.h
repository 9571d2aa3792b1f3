#pragma once
#include <memory>
#include "FrameFixture.h"
#include "platform/core/Stream.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ObjectDescriptions.h"

// One of our embedded skins, unpacked into a container of its own.
struct TLoadedSkin {
    TbsCompressedStoredSkin Stored{nullptr};
    TbsSkinData Data{nullptr};
    void Load(int Index)
    {
        const TEmbeddedSkin& s = MainSkins()[Index];
        TMemoryStream data;
        data.Write(s.Data, static_cast<int64_t>(s.Size));
        data.SetPosition(0);
        Stored.LoadFromCompressStream(data);
        Data.LoadCompressedStoredSkin(&Stored);
    }
};

// A small skin with what ours lack: a mask with cut corners, caption buttons
// with a gap between them, restore images and a
// caption image. Picture 100 x 60, client (4, 24, 96, 56); colours mark each
// image so that a pixel tells which one is shown.
namespace TestSkin {
constexpr TColor Frame = TColor(0x996633), Client = TColor(0xFFFFFF);
constexpr TColor Normal = TColor(0x0000FF), Hover = TColor(0x00FF00), Down = TColor(0xFF0000),
                 Inactive = TColor(0x808080), Restore = TColor(0x00FFFF), RestoreHover = TColor(0xFF00FF);
constexpr int Cell = 14;

inline void Fill(TBitmap& B, const TRect& R, TColor C)
{
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            B.SetPixel(x, y, C);
}

inline TRect CellRect(int i) { return TRect{i * Cell, 0, (i + 1) * Cell, Cell}; }

inline void Build(TbsSkinData& S)
{
    S.FPicture = std::make_unique<TBitmap>(100, 60);
    Fill(*S.FPicture, TRect{0, 0, 100, 60}, Frame);
    Fill(*S.FPicture, TRect{4, 24, 96, 56}, Client);
    S.FInActivePicture = std::make_unique<TBitmap>();
    S.FMask = std::make_unique<TBitmap>(100, 60);
    Fill(*S.FMask, TRect{0, 0, 100, 60}, clBlack);
    // Cut corners: a 3 x 3 white square at each corner of the frame.
    for (TRect r : {TRect{0, 0, 3, 3}, TRect{97, 0, 100, 3}, TRect{0, 57, 3, 60}, TRect{97, 57, 100, 60}})
        Fill(*S.FMask, r, clWhite);
    auto cells = std::make_unique<TBitmap>(6 * Cell, Cell);
    for (auto [i, c] : {std::pair{0, Normal}, {1, Hover}, {2, Down}, {3, Inactive}, {4, Restore}, {5, RestoreHover}})
        Fill(*cells, CellRect(i), c);
    S.FActivePictures.push_back(std::move(cells));
    S.LTPoint = TPoint{10, 24};
    S.RTPoint = TPoint{90, 24};
    S.LBPoint = TPoint{10, 56};
    S.RBPoint = TPoint{90, 56};
    S.ClRect = TRect{4, 24, 96, 56};
    S.CaptionRect = TRect{4, 4, 96, 22};
    S.ButtonsRect = TRect{0, 0, 0, 0};   // the buttons run in the caption rect
    S.ButtonsOffset = 2;
    S.MaskRectArea = S.ClRect;   // the mask strips lie around the client
    S.HitTestLTPoint = TPoint{6, 6};
    S.HitTestRTPoint = TPoint{94, 6};
    S.HitTestLBPoint = TPoint{6, 54};
    S.HitTestRBPoint = TPoint{94, 54};
    S.BorderW = 3;
    S.LeftStretch = S.TopStretch = S.RightStretch = S.BottomStretch = true;

    auto caption = std::make_unique<TbsDataSkinCaption>("caption");
    caption->SkinRect = TRect{4, 4, 96, 22};
    caption->TextRct = TRect{2, 0, 90, 18};
    caption->FontColor = clGray;
    caption->ActiveFontColor = clWhite;
    S.ObjectList.push_back(std::move(caption));
    auto button = [&](const char* id, TbsStdCommand c, const char* hint, bool restore) {
        auto b = std::make_unique<TbsDataSkinStdButton>(id);
        b->Command = c;
        b->Hint = hint;
        b->ActivePictureIndex = 0;
        b->SkinRectInAPicture = true;
        b->SkinRect = CellRect(0);
        b->ActiveSkinRect = CellRect(1);
        b->DownRect = CellRect(2);
        b->InActiveSkinRect = CellRect(3);
        b->Morphing = true;
        if (restore) {
            b->RestoreRect = CellRect(4);
            b->RestoreActiveRect = CellRect(5);
            b->RestoreHint = "Back";
        }
        S.ObjectList.push_back(std::move(b));
    };
    button("closebutton", cmClose, "Shut", false);
    button("maxbutton", cmMaximize, "Grow", true);
    button("rollupbutton", cmRollUp, "Fold", true);
    S.Empty = false;
}

// A hover animation of three frames (the normal, hover and down cells) at
// the caption's left end, drawn over the caption, and a background
// stretched with the form.
inline void AddAnimationAndStretch(TbsSkinData& S)
{
    auto a = std::make_unique<TbsDataSkinAnimate>("spinner");
    a->ActivePictureIndex = 0;
    a->SkinRect = TRect{4, 4, 4 + Cell, 4 + Cell};
    a->ActiveSkinRect = CellRect(0);
    a->CountFrames = 3;
    a->ButtonStyle = true;
    a->TimerInterval = 25;
    S.ObjectList.push_back(std::move(a));
    S.StretchEffect = true;
    S.StretchType = bsstFull;
}
}  // namespace TestSkin
