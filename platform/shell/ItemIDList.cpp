#include "platform/shell/ItemIDList.h"

int IDListCount(const TItemIDList& list) {
    return int(list.Items.size());
}

void IDListStripLast(TItemIDList& list) {
    if (!list.Items.empty())
        list.Items.pop_back();
}

TItemIDList IDListJoin(const TItemIDList& first, const TItemIDList& second) {
    TItemIDList joined = first;
    joined.Items.insert(joined.Items.end(), second.Items.begin(), second.Items.end());
    return joined;
}

TItemIDList IDListLastItem(const TItemIDList& list) {
    TItemIDList last;
    if (!list.Items.empty())
        last.Items.push_back(list.Items.back());
    return last;
}

std::vector<TItemIDList> IDListAncestors(const TItemIDList& list) {
    std::vector<TItemIDList> ancestors;
    TItemIDList current;
    for (size_t i = 0; i < list.Items.size(); ++i) {
        ancestors.push_back(current);
        current.Items.push_back(list.Items[i]);
    }
    return ancestors;
}

TShellIdItem HomeItem() {
    return {ikHome, "", true};
}

TShellIdItem ComputerItem() {
    return {ikComputer, "", true};
}

TShellIdItem MountItem(const std::string& mountPoint) {
    return {ikMount, mountPoint, true};
}

TShellIdItem NameItem(const std::string& name, bool folder) {
    return {ikName, name, folder};
}
