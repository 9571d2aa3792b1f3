#include "resources/picgen/Catalog.h"
#include <stdexcept>

void TCatalog::AddAlpha(const std::string& Name, const TInk& Ink)
{
    FPictures.push_back({Name, Ink.ToAlpha(), ptAlpha, false});
}

void TCatalog::AddKeyed(const std::string& Name, const TInk& Ink)
{
    FPictures.push_back({Name, Ink.ToKeyed(GlyphFace, KeyColor), ptKeyed, false});
}

void TCatalog::AddSixteen(const std::string& Name, const TInk& Ink)
{
    FPictures.push_back({Name, Ink.ToKeyed(GlyphFace, KeyColor), ptKeyed, true});
}

void TCatalog::AddList(const std::string& Name, std::vector<std::string> Members)
{
    for (const std::string& m : Members) {
        bool found = false;
        for (const TPictureOut& p : FPictures)
            found = found || p.Name == m;
        if (!found)
            throw std::runtime_error("picture list " + Name + " names the missing picture " + m);
    }
    FLists.push_back({Name, std::move(Members)});
}
