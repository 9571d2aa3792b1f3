#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Component.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/ui/forms/Application.h"
#include "skin/controls/MenuLinks.h"
#include "skin/menus/PopupPictureFit.h"

class TBitmap;
class TCanvas;
class TImageList;
class TbsSkinData;
class TbsSkinImagesMenu;
class IbsFrameHint;
struct TbsSkinGeometry;

// One cell of an images menu: an image, or a full-width header or button row.
struct TbsImagesMenuItem {
    int ImageIndex = -1;
    std::string Caption;
    TNotifyEvent OnClick;
    bool Button = false;
    bool Header = false;
    std::string Hint;
    TRect ItemRect;   // its cell in the popup window, set by the layout

    // Copies the look and hint, not the click handler.
    void Assign(const TbsImagesMenuItem& Source);
};

// The open grid of an images menu: a borderless popup that never takes the
// focus, holds the mouse and the application's message hook while open.
class TbsSkinImagesMenuPopupWindow : private TbsPopupPictureFit {
public:
    explicit TbsSkinImagesMenuPopupWindow(TbsSkinImagesMenu* AImagesMenu);
    ~TbsSkinImagesMenuPopupWindow();

    void Show(const TRect& PopupRect);
    void Hide(bool AProcessEvents);
    HWND Handle() const { return FHandle; }
    int MouseInItem = -1;
    int OldMouseInItem = -1;
    // The keys the window takes while it is open (also for tests).
    void ProcessKey(int Key);
    void Paint(TCanvas& C);

private:
    LRESULT WindowProc(HWND H, UINT Msg, WPARAM WParam, LPARAM LParam);
    void AppMessage(TMsg& Msg, bool& Handled);
    void CalcItemRects();
    int ItemAt(TPoint P) const;
    void MouseMove(int X, int Y);
    void MouseLeave();
    void MouseDown(int X, int Y);
    void MouseUp(int X, int Y);
    void FindLeft();
    void FindRight();
    void FindUp();
    void FindDown();
    void Redraw();
    TbsSkinGeometry Geometry() const;
    void DrawHeader(TCanvas& C, const TRect& R, const std::string& Text);
    void DrawItemFrame(TCanvas& C, const TRect& R, bool Down);
    void DrawButtonCaption(TCanvas& C, const std::string& Text, const TRect& R, bool Down, bool Hover);
    bool SkinSupport() const;

    TbsSkinImagesMenu* ImagesMenu;
    HWND FHandle = nullptr;
    bool FSkinSupport = false;
    TMessageEvent OldAppMessage;
    bool FHooked = false;
    const TBitmap* WindowPicture = nullptr;
    const TBitmap* MaskPicture = nullptr;
    bool FDown = false;
    bool FItemDown = false;
    bool FMouseIn = false;
};

// A drop-down picker of images in ColumnsCount columns (with optional
// header and button rows) shown below a control. Choosing a cell sets
// ItemIndex and fires the item's, the click and the change events.
// Skinned buttons show the selected item on their face.
class TbsSkinImagesMenu : public TComponent, public TbsButtonImagesMenu {
public:
    explicit TbsSkinImagesMenu(TComponent* AOwner);
    ~TbsSkinImagesMenu() override;

    TImageList* Images() const override { return FImages; }
    void SetImages(TImageList* Value);
    std::vector<TbsImagesMenuItem>& ImagesItems() { return FImagesItems; }
    void SetImagesItems(const std::vector<TbsImagesMenuItem>& Value);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value) { FItemIndex = Value; }
    int ColumnsCount() const { return FColumnsCount; }
    void SetColumnsCount(int Value);
    TbsSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TbsSkinData* Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    // The hint shown for an item's Hint (the form frame's object hint seam).
    IbsFrameHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(IbsFrameHint* Value, TComponent* AComponent = nullptr);

    bool ShowSelectedItem = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue = 200;
    bool UseSkinFont = true;
    bool ShowHints = true;

    TNotifyEvent OnItemClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnMenuClose;
    TNotifyEvent OnMenuPopup;

    void Popup(int X, int Y);
    void PopupFromRect(const TRect& R) override;
    void Hide();
    TbsImagesMenuItem* SelectedItem();
    TbsSkinImagesMenuPopupWindow* PopupWindow() const { return FPopupWindow.get(); }
    // The window closed: events, then the window goes once its own
    // handlers have returned.
    void PopupClosed(bool ProcessEvents);

    // What a skinned button shows.
    bool HasSelectedItem() const override;
    int SelectedImageIndex() const override;
    std::string SelectedCaption() const override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void FreeClosedWindows();

    TImageList* FImages = nullptr;
    std::vector<TbsImagesMenuItem> FImagesItems;
    int FItemIndex = -1;
    int FColumnsCount = 1;
    TbsSkinData* FSkinData = nullptr;
    std::unique_ptr<TbsSkinImagesMenuPopupWindow> FPopupWindow;
    std::vector<std::unique_ptr<TbsSkinImagesMenuPopupWindow>> FClosed;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    int FOldItemIndex = -1;
    TFont FDefaultFont;
    IbsFrameHint* FSkinHint = nullptr;
    TComponent* FSkinHintComponent = nullptr;
};
