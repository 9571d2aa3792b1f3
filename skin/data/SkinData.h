#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Component.h"
#include "platform/core/IniFile.h"
#include "platform/core/Stream.h"
#include "platform/core/Strings.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Geometry.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinTypes.h"
#include "skin/data/WindowDescriptions.h"

class TbsCompressedStoredSkin;
class TbsCompressedSkinList;
class TbsResourceStrData;

// The skin container: one loaded skin (pictures, frame geometry, window
// descriptions, colours and one description per frame part and control kind),
// loaded from a skin ini file with its pictures or from a stored compressed
// skin, and announced to every form by the messages of SkinMessages.h.
//
// Skinned forms and controls look their element up by name before each paint
// (GetIndex, GetControlIndex), test the description's class and read it and the
// pictures directly. A description or picture obtained that way stays valid
// only until the next WM_BEFORECHANGESKINDATA: the reload that follows frees it.
class TbsSkinData : public TComponent {
public:
    explicit TbsSkinData(TComponent* AOwner);
    ~TbsSkinData() override;

    // Switches consulted by the frame and the controls.
    bool SkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool Value);              // sends WM_CHANGEFORMSKINNABLE on a change
    bool AnimationForAllWindows() const { return FAnimationForAllWindows; }
    void SetAnimationForAllWindows(bool Value) { FAnimationForAllWindows = Value; }
    bool EnableSkinEffects() const { return FEnableSkinEffects; }
    void SetEnableSkinEffects(bool Value) { FEnableSkinEffects = Value; }
    bool ShowButtonGlowFrames() const { return FShowButtonGlowFrames; }
    void SetShowButtonGlowFrames(bool Value) { FShowButtonGlowFrames = Value; }
    bool ShowCaptionButtonGlowFrames() const { return FShowCaptionButtonGlowFrames; }
    void SetShowCaptionButtonGlowFrames(bool Value) { FShowCaptionButtonGlowFrames = Value; }
    bool ShowLayeredBorders() const { return FShowLayeredBorders; }
    void SetShowLayeredBorders(bool Value);         // sends WM_CHANGELAYEREDBORDERS on a change

    // Linked components, not owned; each link is cleared when its component goes away.
    TbsCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    void SetCompressedStoredSkin(TbsCompressedStoredSkin* Value);   // loads it at once
    TbsResourceStrData* ResourceStrData() const { return FResourceStrData; }
    void SetResourceStrData(TbsResourceStrData* Value);             // sends WM_CHANGERESSTRDATA
    TbsCompressedSkinList* SkinList() const { return FCompressedSkinList; }
    void SetSkinList(TbsCompressedSkinList* Value);                 // loads item SkinIndex

    // The selected item of SkinList. Without a list any value is only stored;
    // with one, a value outside the list is ignored and a new valid value loads
    // that item; the current value never reloads.
    int SkinIndex() const { return FCompressedSkinIndex; }
    void SetSkinIndex(int Value);

    // Position of the first description whose IDName equals AIDName exactly; -1 when none.
    int GetIndex(const std::string& AIDName) const;
    int GetControlIndex(const std::string& AIDName) const;

    // Loads a skin ini file and the BMP pictures beside it. A missing file or
    // one without the five skin sections changes nothing and sends nothing.
    void LoadFromFile(const std::string& FileName);
    // Writes the skin ini (no pictures); other sections of an existing file survive.
    void SaveToFile(const std::string& FileName);
    // SaveToFile, then every picture as a BMP beside it under the base name it was loaded with.
    void StoreToDisk(const std::string& FileName);
    // Loads a stored skin; one without data changes nothing and sends nothing.
    void LoadCompressedStoredSkin(TbsCompressedStoredSkin* AStoredSkin);
    void SaveToCompressedFile(const std::string& FileName);
    void LoadFromCompressedFile(const std::string& FileName);

    // ClearAll, then the three change messages.
    void ClearSkin();
    // ClearObjects, empties the three pictures and their names, sets Empty. No message.
    void ClearAll();
    // Frees every description and active picture and resets the window
    // descriptions' pictures and the skin colours. No message.
    void ClearObjects();
    void AddBitMap(const std::string& FileName);
    void DeleteBitMap(int Index);   // EListError outside the list

    // Sends M to the forms: the owner form first when it is a form and layered
    // borders are off, then every other form in screen order (backwards while a
    // layered frame is shown); never to "TbsFormLayerWindow" windows.
    void SendSkinDataMessage(unsigned M);

    // Every section of the skin ini, in file order; used by SaveToFile and by packing.
    void WriteSkinIni(TCustomIniFile& Ini);

    // Active picture Index, or nullptr when the index is outside the list (skins are input).
    TBitmap* ActivePicture(int Index) const;
    TbsSkinColors* SkinColors() const { return FSkinColors.get(); }

    // ---- State
    bool Empty = true;                   // no skin loaded
    bool ChangeSkinDataProcess = false;  // a load is under way (until just before WM_AFTERCHANGESKINDATA)

    // ---- Pictures
    std::unique_ptr<TBitmap> FPicture;           // holds the frame
    std::unique_ptr<TBitmap> FInActivePicture;   // the frame of inactive forms when not empty
    std::unique_ptr<TBitmap> FMask;              // the window region's mask; may be empty
    std::vector<std::unique_ptr<TBitmap>> FActivePictures;   // every PictureIndex-like field points here
    std::string FPictureName, FInActivePictureName, FMaskName;
    std::unique_ptr<TStringList> FActivePicturesNames;       // parallel to FActivePictures

    // ---- Skin information (section VERSION)
    std::string SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;

    // ---- Frame geometry (section FORMINFO), in FPicture coordinates
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    bool MDIBGStretchEffect = false;
    TbsStretchType MDIBGStretchType = bsstFull;
    TRect MaskRectArea;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TRect ButtonsRect, CaptionRect;
    int ButtonsOffset = 0;
    bool CapButtonsInLeft = false;
    bool MainMenuPopupUp = false;
    int BorderW = 0;
    bool AutoRenderingInActiveImage = false;
    TbsInActiveEffect InActiveEffect = ieBrightness;
    int FormMinWidth = 0;
    bool MDITabsTransparent = false;
    bool MainMenuBarTransparent = false;

    // ---- Window descriptions
    std::unique_ptr<TbsDataSkinPopupWindow> PopupWindow;
    std::unique_ptr<TbsDataSkinLayerFrame> LayerFrame;
    std::unique_ptr<TbsDataSkinHintWindow> HintWindow;

    // ---- Element descriptions (sections SKINOBJECTS and SKINCONTROLS)
    std::vector<std::unique_ptr<TbsDataSkinObject>> ObjectList;
    std::vector<std::unique_ptr<TbsDataSkinControl>> CtrlList;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool LoadingOrDesigning() const;
    void LoadListItem();

    // Sends the opening message, clears, runs Body and sends the closing
    // messages. Body returns false when it loaded nothing (the skin stays
    // cleared). When Body fails, the half-built skin is cleared again and the
    // closing messages go out before the error is passed on.
    void RunLoad(const std::function<bool()>& Body);

    // Section readers and writers (SkinDataIni.cpp).
    void ReadSkinInfo(TCustomIniFile& Ini);
    void ReadPictureNames(TCustomIniFile& Ini);
    void ReadFormInfo(TCustomIniFile& Ini);
    void WriteFormInfo(TCustomIniFile& Ini);
    void ReadActivePictures(TCustomIniFile& Ini, const std::string& Folder);
    void WriteActivePictureNames(TCustomIniFile& Ini);
    void ReadSkinObjects(TCustomIniFile& Ini);
    void WriteSkinObjects(TCustomIniFile& Ini);
    void ReadSkinControls(TCustomIniFile& Ini);
    void WriteSkinControls(TCustomIniFile& Ini);
    // FORMINFO, the window descriptions, the colours and both element lists.
    void ReadSkinSections(TCustomIniFile& Ini);
    // The stored skin's pictures and ini text (a packed skin already inflated).
    bool ReadPackedSkin(TMemoryStream& Packed);

    bool FSkinnableForm = true;
    bool FAnimationForAllWindows = false;
    bool FEnableSkinEffects = true;
    bool FShowButtonGlowFrames = true;
    bool FShowCaptionButtonGlowFrames = true;
    bool FShowLayeredBorders = true;
    TbsCompressedStoredSkin* FCompressedStoredSkin = nullptr;
    TbsResourceStrData* FResourceStrData = nullptr;
    TbsCompressedSkinList* FCompressedSkinList = nullptr;
    int FCompressedSkinIndex = 0;
    std::unique_ptr<TbsSkinColors> FSkinColors;
};
