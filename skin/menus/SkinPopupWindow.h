#pragma once
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Object.h"
#include "platform/gfx/Geometry.h"
#include "platform/ui/WinTypes.h"
#include "skin/menus/PopupPictureFit.h"

class TBitmap;
class TCanvas;
class TImageList;
class TMenuItem;
class TTimer;
class TbsDataSkinMenuItem;
class TbsDataSkinPopupWindow;
class TbsSkinData;
class TbsSkinMenu;
class TbsSkinMenuItem;

// One level of an open skinned menu: a borderless window that never takes
// the focus, lists the items of one TMenuItem, places itself beside an anchor
// inside the work area, scrolls when the items do not fit and takes the keys
// the form passes on while the menu is open. The menu engine creates, stacks
// and frees these windows.
class TbsSkinPopupWindow : public TObject, public TbsPopupPictureFit {
public:
    TbsSkinPopupWindow(TbsSkinMenu* AParentMenu, TbsDataSkinPopupWindow* AData);
    ~TbsSkinPopupWindow() override;

    void Show(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp);
    void Show2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem, bool PopupUp);
    void Hide();
    // Destroys the window (its object goes later, see the engine).
    void DestroyHandle();
    void PaintMenu(TCanvas& Canvas);
    void PopupKeyDown(int CharCode);
    void CloseChildMenus();
    bool CanScroll(int Code) const;
    void ScrollUp(bool Cycle);
    void ScrollDown(bool Cycle);
    void StartScroll();
    void StopScroll();
    void TestMouse(int X, int Y);
    void MouseUp(bool LeftButton, int X, int Y);
    void NextItem();
    void PriorItem();
    int GetLastPageStart() const;
    void MorphTimerProc();
    void MouseTimerProc();

    HWND Handle() const { return FHandle; }
    bool Visible() const { return FVisible; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const std::vector<TbsSkinMenuItem*>& Items() const { return FItems; }
    TbsSkinMenuItem* ActiveMenuItem() const;
    bool Skinned() const { return PW != nullptr; }

    TbsDataSkinMenuItem* DSMI = nullptr;
    int VisibleCount = 0;
    int VisibleStartIndex = 0;
    bool Scroll = false;
    bool Scroll2 = false;
    int ScrollCode = 0;
    int ShowX = 0, ShowY = 0;
    int OMX = -1, OMY = -1;
    TImageList* ImgL = nullptr;
    int GlyphWidth = 19;
    const TBitmap* WindowPicture = nullptr;
    const TBitmap* MaskPicture = nullptr;
    int OldActiveItem = -1;
    TTimer* MouseTimer = nullptr;
    TTimer* MorphTimer = nullptr;
    TbsSkinMenu* ParentMenu;
    TbsSkinData* SD = nullptr;
    TbsDataSkinPopupWindow* PW = nullptr;
    int ActiveItem = -1;
    std::unique_ptr<TBitmap> FPaintBuffer;
    std::string Hint;

private:
    void CreateMenu(TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, int Border);
    void CalcSize(int Border);
    int ItemHeight(const TbsSkinMenuItem& I) const;
    int GetItemWidth(TCanvas& C, TMenuItem* Item) const;
    void CalcItemRects();
    void ShowAt(const TRect& R, bool PopupByItem, bool PopupUp);
    // ShowAt's steps.
    int ShowTop(const TRect& R, bool PopupByItem, bool PopupUp, bool& Beside) const;
    int ShowLeft(const TRect& R, bool Beside) const;
    bool CreateWindowAt(int X, int Y);
    void ShowFadingIn();
    void SelectFirstUsable();
    struct TbsSkinGeometry Geometry() const;
    void CreateMenuImage(TBitmap& B, bool DrawClient);
    void DrawUpMarker(TCanvas& C);
    void DrawDownMarker(TCanvas& C);
    void DrawItemsBackground(TCanvas& C, const TRect& R);
    void Repaint();
    void SetFont(TCanvas& C) const;
    void ChangeActive(int NewActive, bool Kb);
    LRESULT WindowProc(HWND h, UINT Msg, WPARAM wp, LPARAM lp);

    HWND FHandle = nullptr;
    bool FVisible = false;
    int FWidth = 0;
    int FHeight = 0;
    std::vector<TbsSkinMenuItem*> FItems;   // owned
};
