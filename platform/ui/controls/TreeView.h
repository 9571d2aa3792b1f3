#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/controls/TypeAhead.h"

class TTimer;
class TCustomTreeView;
class TBitmap;
class TImageList;
class TInplaceEdit;
class TTreeNodes;

// Orders two nodes for a sort: negative, zero or positive.
using TTVCompare = std::function<int(TTreeNode* Node1, TTreeNode* Node2, LPARAM Data)>;

// A node: text, images, a data pointer, children (loaded at once or on the
// first expansion: HasChildren shows the button before there are any).
class TTreeNode : public TObject {
public:
    ~TTreeNode() override;
    TTreeNodes* Owner() const { return FOwner; }
    TCustomTreeView* TreeView() const;

    const std::string& Text() const { return FText; }
    void SetText(const std::string& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int v);
    int StateIndex() const { return FStateIndex; }
    void SetStateIndex(int v);
    void* Data() const { return FData; }
    void SetData(void* v) { FData = v; }
    bool HasChildren() const { return FHasChildren || !FChildren.empty(); }
    void SetHasChildren(bool v);

    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool v);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool v);
    // Shown: every parent is expanded.
    bool IsVisible() const;
    bool Deleting() const { return FDeleting; }

    TTreeNode* Parent() const { return FParent; }
    int Level() const;
    int Count() const { return int(FChildren.size()); }
    TTreeNode* Item(int index) const;
    int Index() const;
    int AbsoluteIndex() const;
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
    TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next and previous node in tree order (children before siblings).
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    TTreeNode* GetNextVisible() const;
    TTreeNode* GetPrevVisible() const;
    bool HasAsParent(const TTreeNode* node) const;

    TRect DisplayRect(bool textOnly) const;
    bool EditText();
    void EndEdit(bool cancel);
    void MakeVisible();
    void Delete();
    void DeleteChildren();
    bool AlphaSort(bool recurse = false);
    bool CustomSort(const TTVCompare& compare, LPARAM data, bool recurse = false);

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TTreeNode(TTreeNodes* owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}
    std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;
    void Changed();

    TTreeNodes* FOwner;
    TTreeNode* FParent;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    std::string FText;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    int FStateIndex = -1;
    void* FData = nullptr;
    bool FHasChildren = false;
    bool FExpanded = false;
    bool FDeleting = false;
};

// The nodes of a tree view. Item and Count walk every node in tree order.
class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
    ~TTreeNodes();
    TCustomTreeView* Owner() const { return FOwner; }
    int Count() const;
    TTreeNode* Item(int index) const;
    TTreeNode* operator[](int index) const { return Item(index); }
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }

    // After the last sibling of Sibling (null: at the top level).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text) { return AddObject(sibling, text, nullptr); }
    TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text) { return AddChildObject(parent, text, nullptr); }
    TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
    // Before Sibling (null: at the end of the top level).
    TTreeNode* Insert(TTreeNode* sibling, const std::string& text) { return InsertObject(sibling, text, nullptr); }
    TTreeNode* InsertObject(TTreeNode* sibling, const std::string& text, void* data);
    void Delete(TTreeNode* node);
    void Clear();
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* InsertAt(TTreeNode* parent, int index, const std::string& text, void* data);
    std::vector<std::unique_ptr<TTreeNode>>& ListOf(TTreeNode* parent) { return parent ? parent->FChildren : FRoots; }

    TCustomTreeView* FOwner;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
};

using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;
using TTVCompareEvent = std::function<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, LPARAM Data, int& Compare)>;

// The tree view. Its window answers the TVM_* messages of CommCtrl.h (an
// HTREEITEM is a TTreeNode*). The scroll state lives in the window's SB_VERT
// record in rows (the shown nodes) and SB_HORZ in pixels, kept and driven by
// WM_VSCROLL / WM_HSCROLL (SB_THUMBPOSITION in the high word) whether or not
// the bars are shown.
class TCustomTreeView : public TCustomControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    // Before the window exists, the bounds: asking the window layer then would
    // make the parents' windows on the way (and fail without a parent).
    TRect ClientRect() const override { return FHandle ? TWinControl::ClientRect() : TRect{0, 0, FWidth, FHeight}; }

    TTreeNodes& Items() { return FNodes; }
    TTreeNode* Selected() const { return FSelected; }
    void SetSelected(TTreeNode* node);
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* node);
    TTreeNode* GetNodeAt(int x, int y) const;
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    TImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TImageList* v);
    int Indent() const { return FIndent; }
    void SetIndent(int v);
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool v);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool v) { FShowButtons = v; Invalidate(); }
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool v) { FShowLines = v; Invalidate(); }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v) { FHideSelection = v; Invalidate(); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool RightClickSelect() const { return FRightClickSelect; }
    void SetRightClickSelect(bool v) { FRightClickSelect = v; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    bool IsEditing() const;
    void FullExpand();
    void FullCollapse();
    bool AlphaSort(bool recurse = false);
    bool CustomSort(const TTVCompare& compare, LPARAM data, bool recurse = false);
    int RowHeight() const;
    // Milliseconds between a move of the selection and OnChange; 0 (the
    // default) reports at once. Moves within the delay give one OnChange,
    // for the node then selected.
    int ChangeDelay() const { return FChangeDelay; }
    void SetChangeDelay(int v) { FChangeDelay = v < 0 ? 0 : v; }

    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVExpandedEvent OnDeletion;
    TTVExpandedEvent OnGetImageIndex;
    TTVExpandedEvent OnGetSelectedIndex;
    TTVCompareEvent OnCompare;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // Typing selects the next shown node whose text begins with what was typed.
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The changing query before the selection moves (false keeps it) and
    // the change after it moved.
    virtual bool CanChange(TTreeNode* Node);
    virtual void Change(TTreeNode* Node);
    // Before a node expands (lazy children are added here) or collapses.
    virtual bool CanExpand(TTreeNode* Node);
    virtual void Expand(TTreeNode* Node);
    virtual bool CanCollapse(TTreeNode* Node);
    virtual void Collapse(TTreeNode* Node);
    virtual bool CanEdit(TTreeNode* Node);
    // The end of a label edit; NewText is null when it was cancelled.
    virtual void Edit(TTreeNode* Node, const std::string* NewText);
    // A node is about to go (its children went before it).
    virtual void Delete(TTreeNode* Node);
    // The image indexes of a node as they are about to be drawn.
    virtual void GetImageIndex(TTreeNode* Node);
    virtual void GetSelectedIndex(TTreeNode* Node);

private:
    friend class TTreeNode;
    friend class TTreeNodes;

    // Node bookkeeping.
    void NodeChanged(TTreeNode* node);
    void StructureChanged();
    void NodeRemoving(TTreeNode* node);
    bool DoExpand(TTreeNode* node, bool expand);
    bool SortChildren(TTreeNode* parent, const TTVCompare& compare, LPARAM data, bool recurse);

    // Rows, geometry and scrolling.
    const std::vector<TTreeNode*>& Rows() const;
    int RowOf(const TTreeNode* node) const;
    int NodeDepth(const TTreeNode* node) const;
    TRect RowRect(int row) const;
    TRect LabelRect(const TTreeNode* node, int row) const;
    int TextWidth(const std::string& text) const;
    int ContentWidth() const;
    int VisibleCount() const;
    TTreeNode* HitTest(TPoint p, UINT& flags) const;
    void UpdateScrollState();
    void ScrollTo(int pos, bool vertical);
    void OnScrollMessage(TMessage& m, bool vertical);
    void EnsureVisible(TTreeNode* node);
    LRESULT TreeMessage(TMessage& m, bool& handled);
    void MoveTo(TTreeNode* node);

    // The tree view messages' handlers.
    LRESULT TVMSetIndent(TMessage& m);
    LRESULT TVMSetImageList(TMessage& m);
    LRESULT TVMExpand(TMessage& m);
    LRESULT TVMSelectItem(TMessage& m);
    LRESULT TVMGetNextItem(TMessage& m);
    LRESULT TVMEndEditLabelNow(TMessage& m);
    LRESULT TVMHitTest(TMessage& m);
    LRESULT TVMGetItemRect(TMessage& m);
    LRESULT TVMSortChildrenCB(TMessage& m);
    LRESULT TVMDeleteItem(TMessage& m);

    // Label editing.
    bool StartEdit(TTreeNode* node);
    void EditDone(bool accepted, const std::string& text);

    TTreeNodes FNodes;
    TTreeNode* FSelected = nullptr;
    int FChangeDelay = 0;
    std::unique_ptr<TTimer> FChangeTimer;
    // Change now, or once ChangeDelay has passed.
    void SelectionChanged(TTreeNode* node);
    TTreeNode* FEditNode = nullptr;
    TImageList* FImages = nullptr;
    TImageList* FStateImages = nullptr;
    TInplaceEdit* FEditor = nullptr;
    int FIndent = 19;
    bool FShowRoot = true;
    bool FShowButtons = true;
    bool FShowLines = true;
    bool FHideSelection = true;
    bool FReadOnly = false;
    bool FRightClickSelect = false;
    TBorderStyle FBorderStyle = bsSingle;
    int FTopRow = 0;
    int FScrollX = 0;
    int FUpdateCount = 0;
    bool FInScrollUpdate = false;
    mutable bool FRowsValid = false;
    mutable std::vector<TTreeNode*> FRows;
    mutable int FRowHeight = 0;
    mutable std::unique_ptr<TBitmap> FMeasure;  // a canvas to measure labels on
    TTypeAhead FTypeAhead;
};

class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};
