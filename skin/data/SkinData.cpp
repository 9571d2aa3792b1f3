#include "skin/data/SkinData.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinList.h"
#include "skin/data/PackedSkin.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinFormLink.h"
#include "skin/data/SkinIni.h"
#include "skin/data/ZlibStreams.h"

TbsSkinData::TbsSkinData(TComponent* AOwner)
    : TComponent(AOwner),
      FPicture(std::make_unique<TBitmap>()),
      FInActivePicture(std::make_unique<TBitmap>()),
      FMask(std::make_unique<TBitmap>()),
      FActivePicturesNames(std::make_unique<TStringList>()),
      PopupWindow(std::make_unique<TbsDataSkinPopupWindow>()),
      LayerFrame(std::make_unique<TbsDataSkinLayerFrame>()),
      HintWindow(std::make_unique<TbsDataSkinHintWindow>()),
      FSkinColors(std::make_unique<TbsSkinColors>()) {}

TbsSkinData::~TbsSkinData() {
    Empty = true;
    ClearObjects();
}

bool TbsSkinData::LoadingOrDesigning() const {
    return ComponentState().Contains(csLoading) || Designing();
}

// ---- Switches and links

void TbsSkinData::SetSkinnableForm(bool Value) {
    if (FSkinnableForm == Value)
        return;
    FSkinnableForm = Value;
    if (!LoadingOrDesigning())
        SendSkinDataMessage(WM_CHANGEFORMSKINNABLE);
}

void TbsSkinData::SetShowLayeredBorders(bool Value) {
    if (FShowLayeredBorders == Value)
        return;
    FShowLayeredBorders = Value;
    if (!LoadingOrDesigning())
        SendSkinDataMessage(WM_CHANGELAYEREDBORDERS);
}

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* Value) {
    if (FCompressedStoredSkin)
        FCompressedStoredSkin->RemoveFreeNotification(this);
    FCompressedStoredSkin = Value;
    if (Value) {
        Value->FreeNotification(this);
        if (!Designing())
            LoadCompressedStoredSkin(Value);
    }
}

void TbsSkinData::SetResourceStrData(TbsResourceStrData* Value) {
    if (FResourceStrData)
        FResourceStrData->RemoveFreeNotification(this);
    FResourceStrData = Value;
    if (Value)
        Value->FreeNotification(this);
    if (!Designing())
        SendSkinDataMessage(WM_CHANGERESSTRDATA);
}

void TbsSkinData::SetSkinList(TbsCompressedSkinList* Value) {
    if (FCompressedSkinList)
        FCompressedSkinList->RemoveFreeNotification(this);
    FCompressedSkinList = Value;
    if (Value) {
        Value->FreeNotification(this);
        if (!Designing())
            LoadListItem();
    }
}

void TbsSkinData::SetSkinIndex(int Value) {
    if (Value == FCompressedSkinIndex)
        return;
    if (!FCompressedSkinList) {
        FCompressedSkinIndex = Value;
        return;
    }
    if (Value < 0 || Value >= FCompressedSkinList->Skins()->Count())
        return;
    FCompressedSkinIndex = Value;
    if (!Designing())
        LoadListItem();
}

void TbsSkinData::LoadListItem() {
    auto* skins = FCompressedSkinList->Skins();
    if (FCompressedSkinIndex >= 0 && FCompressedSkinIndex < skins->Count())
        LoadCompressedStoredSkin(skins->Items(FCompressedSkinIndex)->Skin());
}

void TbsSkinData::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FCompressedStoredSkin)
        FCompressedStoredSkin = nullptr;
    if (AComponent == FResourceStrData)
        FResourceStrData = nullptr;
    if (AComponent == FCompressedSkinList)
        FCompressedSkinList = nullptr;
}

// ---- Look-up

int TbsSkinData::GetIndex(const std::string& AIDName) const {
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == AIDName)
            return static_cast<int>(i);
    return -1;
}

int TbsSkinData::GetControlIndex(const std::string& AIDName) const {
    for (size_t i = 0; i < CtrlList.size(); ++i)
        if (CtrlList[i]->IDName == AIDName)
            return static_cast<int>(i);
    return -1;
}

TBitmap* TbsSkinData::ActivePicture(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FActivePictures.size()))
        return nullptr;
    return FActivePictures[Index].get();
}

// ---- Messages

void TbsSkinData::SendSkinDataMessage(unsigned M) {
    const TbsSkinFormLink& link = SkinFormLink();
    if (!link.SendMessage)
        return;
    const auto wparam = reinterpret_cast<std::intptr_t>(this);
    TbsFormHandle ownerSent = 0;
    if (!FShowLayeredBorders && link.OwnerForm && Owner()) {
        ownerSent = link.OwnerForm(Owner());
        if (ownerSent)
            link.SendMessage(ownerSent, M, wparam, SKIN_MESSAGE_LPARAM);
    }
    // Handles are collected first: a receiver may create or close forms.
    std::vector<TbsFormHandle> targets;
    if (link.Forms)
        for (const TbsFormEntry& form : link.Forms())
            if (form.ClassName != "TbsFormLayerWindow" && form.Handle != ownerSent)
                targets.push_back(form.Handle);
    const bool backwards = FShowLayeredBorders && LayerFrame->PictureIndex != -1;
    if (backwards)
        for (auto it = targets.rbegin(); it != targets.rend(); ++it)
            link.SendMessage(*it, M, wparam, SKIN_MESSAGE_LPARAM);
    else
        for (TbsFormHandle h : targets)
            link.SendMessage(h, M, wparam, SKIN_MESSAGE_LPARAM);
}

// ---- Clearing

void TbsSkinData::ClearObjects() {
    ObjectList.clear();
    CtrlList.clear();
    FActivePictures.clear();
    FActivePicturesNames->Clear();
    LayerFrame->PictureIndex = -1;
    PopupWindow->WindowPictureIndex = -1;
    HintWindow->WindowPictureIndex = -1;
    FSkinColors->SetColorsToDefault();
}

void TbsSkinData::ClearAll() {
    ClearObjects();
    FPicture->FreeImage();
    FMask->FreeImage();
    FInActivePicture->FreeImage();
    FPictureName.clear();
    FInActivePictureName.clear();
    FMaskName.clear();
    Empty = true;
}

void TbsSkinData::ClearSkin() {
    // Receivers of the first message may still read the old descriptions, as in a load.
    Empty = true;
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    ClearAll();
    SendSkinDataMessage(WM_CHANGESKINDATA);
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

void TbsSkinData::AddBitMap(const std::string& FileName) {
    auto picture = std::make_unique<TBitmap>();
    picture->LoadFromFile(FileName);
    FActivePicturesNames->Add(ExtractFileName(FileName));
    FActivePictures.push_back(std::move(picture));
}

void TbsSkinData::DeleteBitMap(int Index) {
    if (Index < 0 || Index >= static_cast<int>(FActivePictures.size()))
        throw EListError(Format("List index out of bounds (%d)", Index));
    if (Index < FActivePicturesNames->Count())
        FActivePicturesNames->Delete(Index);
    FActivePictures.erase(FActivePictures.begin() + Index);
}

// ---- Loading

void TbsSkinData::RunLoad(const std::function<bool()>& Body) {
    Empty = true;
    ChangeSkinDataProcess = true;
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    bool loaded = false;
    try {
        ClearAll();
        loaded = Body();
    } catch (...) {
        // A load that failed half-way has already added pictures and
        // descriptions: end in the cleared state, tell the forms, then report.
        ClearAll();
        SendSkinDataMessage(WM_CHANGESKINDATA);
        ChangeSkinDataProcess = false;
        SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
        throw;
    }
    Empty = !loaded;
    SendSkinDataMessage(WM_CHANGESKINDATA);
    ChangeSkinDataProcess = false;
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

void TbsSkinData::LoadFromFile(const std::string& FileName) {
    if (!FileExists(FileName))
        return;
    const auto ini = LoadSkinIniFile(FileName);
    if (!IsSkinIni(*ini))
        return;
    const std::string folder = ExtractFilePath(FileName);
    RunLoad([&] {
        ReadSkinInfo(*ini);
        ReadPictureNames(*ini);
        const std::pair<const std::string*, TBitmap*> pictures[] = {
            {&FPictureName, FPicture.get()},
            {&FInActivePictureName, FInActivePicture.get()},
            {&FMaskName, FMask.get()},
        };
        for (const auto& [name, picture] : pictures)
            if (!name->empty())
                picture->LoadFromFile(folder + *name);
        ReadActivePictures(*ini, folder);
        ReadSkinSections(*ini);
        return true;
    });
}

void TbsSkinData::LoadCompressedStoredSkin(TbsCompressedStoredSkin* AStoredSkin) {
    if (!AStoredSkin || AStoredSkin->Empty())
        return;
    RunLoad([&] {
        TMemoryStream packed;
        AStoredSkin->DeCompressToStream(packed);
        packed.SetPosition(0);
        return ReadPackedSkin(packed);
    });
}

bool TbsSkinData::ReadPackedSkin(TMemoryStream& Packed) {
    const int32_t version = ReadPackedInt(Packed);
    if (version > PackedSkinVersion)
        return false;
    ReadFlaggedPicture(Packed, *FPicture);
    ReadFlaggedPicture(Packed, *FInActivePicture);
    ReadFlaggedPicture(Packed, *FMask);
    if (version == 2) {
        TBitmap discarded;
        ReadFlaggedPicture(Packed, discarded);
        ReadFlaggedPicture(Packed, discarded);
    }
    const int32_t count = ReadPackedInt(Packed);
    if (count < 0)
        throw EReadError(Format("Invalid picture count %d in a stored skin", count));
    for (int32_t i = 0; i < count; ++i) {
        auto picture = std::make_unique<TBitmap>();
        ReadPackedPicture(Packed, *picture);
        FActivePictures.push_back(std::move(picture));
    }
    const auto ini = ReadRemainingIni(Packed);
    ReadSkinInfo(*ini);
    ReadPictureNames(*ini);
    ReadStrings(*ini, "PICTURES", "activepictures", *FActivePicturesNames);
    ReadSkinSections(*ini);
    return true;
}

// ---- Writing

void TbsSkinData::SaveToFile(const std::string& FileName) {
    const auto ini = LoadSkinIniFile(FileName);
    WriteSkinIni(*ini);
    SaveSkinIniFile(*ini, FileName);
}

void TbsSkinData::StoreToDisk(const std::string& FileName) {
    SaveToFile(FileName);
    const std::string folder = ExtractFilePath(FileName);
    // Stored names come from skin files: only their base names become file names.
    auto store = [&](const TBitmap& picture, const std::string& name) {
        const std::string base = ExtractFileName(name);
        if (!picture.Empty() && !base.empty() && base != "." && base != "..")
            picture.SaveToFile(folder + base);
    };
    store(*FPicture, FPictureName);
    store(*FInActivePicture, FInActivePictureName);
    store(*FMask, FMaskName);
    for (int i = 0; i < FActivePicturesNames->Count() && i < static_cast<int>(FActivePictures.size()); ++i)
        store(*FActivePictures[i], FActivePicturesNames->Get(i));
}

void TbsSkinData::SaveToCompressedFile(const std::string& FileName) {
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(this);
    stored.SaveToCompressFile(FileName);
}

void TbsSkinData::LoadFromCompressedFile(const std::string& FileName) {
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromCompressFile(FileName);
    if (!stored.Empty())
        LoadCompressedStoredSkin(&stored);
}
