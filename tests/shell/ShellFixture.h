#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/shell/ShellNamespace.h"

// A temporary tree with odd names, an injected home inside it and an injected
// mount table, so that nothing depends on the machine:
//   <tmp>/home/u/                  the home folder
//     a.txt  B.mp4  c d.avi  中文.mkv  bad\xff\xfe.mp4  .dotfile  link.txt -> a.txt
//     fifo.mp4 (a FIFO)  Videos/  b folder/inner/  视频/  .hidden/  Documents/
//     netmnt (a plain file, declared a network mount point: never statted)
//   <tmp>/media/usb/               a removable mount with photo.jpg
//   <tmp>/net-missing              a network mount that does not exist
class TShellFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Tmp;      // without trailing "/"
    std::string Home;     // Tmp + "/home/u"
    std::string Usb;      // Tmp + "/media/usb"
    std::string NetMissing;
    std::string NetInHome;
    std::vector<std::string> Opened;  // what the injected opener was asked to open
};

void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);
bool PathExists(const std::string& path);
