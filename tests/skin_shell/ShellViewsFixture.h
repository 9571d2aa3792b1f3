#pragma once
#include <functional>
#include <string>

#include "skin/controls/SkinScrollBar.h"
#include "skin/shell/ShellListView.h"
#include "skin/shell/ShellTreeView.h"
#include "tests/skin_controls/ControlsFixture.h"

// A headless form over a temporary tree with odd names, an injected home and
// mount table and the program's icons, so that nothing depends on the machine:
//   <tmp>/home/u/          the home folder
//     a.txt (5 bytes)  B.mp4 (3000)  c d.avi (1)  中文.mkv (40)  bad\xff.mp4 (7)  noext (2)
//     fifo.mp4 (a FIFO)  .dotfile  Videos/  b folder/inner/deep/  视频/  .hidden/
//   <tmp>/media/usb/       a removable mount with photo.jpg
//   <tmp>/net              a network mount that does not exist
class TShellViewsTest : public TControlsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A view with its two skinned bars, placed on the form.
    TbsSkinDirTreeView* NewTree(TbsSkinData* Skin = nullptr, TRect Bounds = TRect{10, 10, 190, 260});
    TbsSkinFileListView* NewList(TbsSkinData* Skin = nullptr, TRect Bounds = TRect{200, 10, 380, 260});
    TbsSkinScrollBar* NewBar(TScrollBarKind Kind, const TRect& Beside, TbsSkinData* Skin);

    // Runs queued calls and messages until Done holds (real time passes).
    bool PumpUntil(const std::function<bool()>& Done, int LimitMs = 10000);
    // The captions the list shows, in order.
    std::vector<std::string> Captions(TbsCustomShellListView* List);
    // The texts of a node's children.
    std::vector<std::string> ChildTexts(TTreeNode* Node);
    TTreeNode* ChildNamed(TTreeNode* Node, const std::string& Text);

    void Key(int Vk, const std::string& Text = {});
    // Letters and digits as their keys, anything else as input-method text (a
    // whole UTF-8 text at once).
    void Type(const std::string& Text);
    // Messages of exceptions that escaped a handler.
    std::vector<std::string> Errors;

    std::string Tmp, Home, Usb, Net;
    std::vector<std::string> Opened;
    TbsSkinScrollBar* VBar = nullptr;
    TbsSkinScrollBar* HBar = nullptr;
};

void WriteBytes(const std::string& Path, size_t Count);
