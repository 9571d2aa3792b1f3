#pragma once
#include <filesystem>
#include <string>
#include <vector>
#include "tests/skin_dialogs/DialogsFixture.h"

// A temporary folder tree for the file boxes, and a shell environment whose
// mount table holds the root, a removable stick under the tree and a
// network share mounted inside the tree:
//   <root>/Video/Out/{a.mp4, b.AVI, c.txt, noext, .hidden, Sub1/, sub2/, Zed/, .git/}
//   <root>/net/docs/     (the mount point <root>/net is "//server/share")
class TFileBoxesTest : public TDialogsTest {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& Relative) const { return Root + "/" + Relative; }
    static std::string CurrentDirectory();

    std::string Root;
    std::string StartCwd;
};
