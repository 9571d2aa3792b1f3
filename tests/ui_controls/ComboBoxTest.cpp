#include "WidgetFixture.h"
#include "platform/ui/controls/ComboBox.h"

class TComboBoxTest : public TWidgetTest {
protected:
    TComboBox* MakeCombo(TComboBoxStyle style, int x = 10, int y = 10)
    {
        auto* c = new TComboBox(Form);
        c->SetStyle(style);
        c->SetBounds(x, y, 150, 22);
        c->SetParent(Form);
        for (const char* s : {"Default", "DDraw", "GDI", "OpenGL", "Vulkan"})
            c->Items().Add(s);
        c->OnChange = [this](TObject*) { Log.push_back("change"); };
        c->OnDropDown = [this](TObject*) { Log.push_back("dropdown"); };
        c->OnCloseUp = [this](TObject*) { Log.push_back("closeup"); };
        c->OnClick = [this](TObject*) { Log.push_back("click"); };
        Pump();
        return c;
    }
    // The screen point of an item of the open list.
    TPoint ItemPoint(TComboBox* c, int index)
    {
        TRect r = c->ListBox()->ItemRect(index);
        return c->ListBox()->ClientToScreen(TPoint{r.Left + 10, r.Top + r.Height() / 2});
    }
    void ClickAt(TPoint p)
    {
        Backend->Click(p.X, p.Y);
        Pump();
    }

    std::vector<std::string> Log;
};

TEST_F(TComboBoxTest, TheDropDownListOpensAsANoActivatePopupAndAClickChooses)
{
    TComboBox* c = MakeCombo(csDropDownList);
    c->SetItemIndex(1);
    EXPECT_EQ(c->Text(), "DDraw");
    EXPECT_TRUE(Log.empty()) << "code changes raise no events";
    Click(c, 20, 8);
    ASSERT_TRUE(c->DroppedDown());
    HWND list = c->ListBox()->Handle();
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(GetActiveWindow(), Form->Handle()) << "opening the list keeps the form active";
    EXPECT_EQ(GetCapture(), list);
    TRect box, popup;
    GetWindowRect(c->Handle(), box);
    GetWindowRect(list, popup);
    EXPECT_EQ(popup.Top, box.Bottom);
    EXPECT_EQ(popup.Left, box.Left);
    EXPECT_EQ(popup.Width(), box.Width());
    EXPECT_EQ(c->ListBox()->ItemIndex(), 1);
    // Moving over the items tracks them; a click chooses one.
    TPoint p = ItemPoint(c, 3);
    Backend->MouseMove(p.X, p.Y);
    Pump();
    EXPECT_EQ(c->ListBox()->ItemIndex(), 3);
    EXPECT_EQ(c->ItemIndex(), 1);
    ClickAt(p);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(c->Text(), "OpenGL");
    EXPECT_EQ(GetActiveWindow(), Form->Handle());
    EXPECT_EQ(Log, (std::vector<std::string>{"dropdown", "closeup", "click", "change"}));
}

TEST_F(TComboBoxTest, AClickOutsideOrEscapeCancelsAndEnterTakesTheKeyboardChoice)
{
    TComboBox* c = MakeCombo(csDropDownList);
    c->SetItemIndex(0);
    Click(c, 20, 8);
    TPoint p = ItemPoint(c, 2);
    Backend->MouseMove(p.X, p.Y);
    Pump();
    Click(Form, 300, 250);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"dropdown", "closeup"}));
    Log.clear();

    c->SetFocus();
    Chord(VK_MENU, VK_DOWN);
    ASSERT_TRUE(c->DroppedDown());
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 0);
    Key(VK_F4);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 2);
    // Closed, the arrows and typing choose at once.
    Log.clear();
    Key(VK_DOWN);
    EXPECT_EQ(c->Text(), "OpenGL");
    Advance(1000);
    Type("v");
    EXPECT_EQ(c->Text(), "Vulkan");
    EXPECT_EQ(Log, (std::vector<std::string>{"click", "change", "click", "change"}));
}

TEST_F(TComboBoxTest, TheListOpensAboveWhenTheWorkAreaEndsBelow)
{
    Form->SetBounds(100, 600, 400, 130);
    Pump();
    TComboBox* c = MakeCombo(csDropDownList, 10, 60);
    Click(c, 20, 8);
    TRect box, popup;
    GetWindowRect(c->Handle(), box);
    GetWindowRect(c->ListBox()->Handle(), popup);
    EXPECT_EQ(popup.Bottom, box.Top);
    MONITORINFO mi;
    GetMonitorInfo(MonitorFromWindow(c->Handle(), MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_GE(popup.Top, mi.rcWork.Top);
    EXPECT_EQ(popup.Height(), 5 * c->ListBox()->ItemHeight() + 2);
    Key(VK_ESCAPE);
    // The drop-down count limits the rows shown; the rest scroll.
    c->SetDropDownCount(3);
    Click(c, 20, 8);
    GetWindowRect(c->ListBox()->Handle(), popup);
    EXPECT_EQ(popup.Height(), 3 * c->ListBox()->ItemHeight() + 2);
    Key(VK_END);
    EXPECT_EQ(c->ListBox()->TopIndex(), 2);
}

TEST_F(TComboBoxTest, TheEditStyleTakesTypedTextAndChosenItems)
{
    TComboBox* c = MakeCombo(csDropDown);
    c->SetFocus();
    Pump();
    EXPECT_TRUE(c->EditControl()->Focused());
    // The combo hears the keys typed into its edit.
    std::string pressed;
    c->OnKeyPress = [&](TObject*, char32_t& key) { pressed += char(key); };
    Type("abc");
    EXPECT_EQ(pressed, "abc");
    EXPECT_EQ(c->Text(), "abc");
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(Log, (std::vector<std::string>{"change", "change", "change"}));
    Log.clear();
    Key(VK_F4);
    ASSERT_TRUE(c->DroppedDown());
    ClickAt(ItemPoint(c, 2));
    EXPECT_EQ(c->Text(), "GDI");
    EXPECT_EQ(c->EditControl()->Text(), "GDI");
    EXPECT_EQ(c->SelLength(), 3);
    EXPECT_EQ(Log, (std::vector<std::string>{"dropdown", "closeup", "click", "change"}));
    // Text from code goes into the edit without an event.
    Log.clear();
    c->SetText("free text");
    EXPECT_EQ(c->EditControl()->Text(), "free text");
    EXPECT_TRUE(Log.empty());
    // Typing completes with the first item that starts so, the rest selected;
    // Backspace takes the completion away.
    c->SetText("");
    Type("op");
    EXPECT_EQ(c->Text(), "openGL") << "the typed part keeps its case";
    EXPECT_EQ(c->SelStart(), 2);
    EXPECT_EQ(c->SelLength(), 4);
    Key(VK_BACK);
    EXPECT_EQ(c->Text(), "op");
    Type("x");
    EXPECT_EQ(c->Text(), "opx");
    // Up and down in the edit step through the items.
    c->SetItemIndex(0);
    Key(VK_DOWN);
    EXPECT_EQ(c->Text(), "DDraw");
}

TEST_F(TComboBoxTest, TheEditStylesListMarksTheItemEqualToTheText)
{
    TComboBox* c = MakeCombo(csDropDown);
    c->SetItemIndex(1);
    c->SetFocus();
    const std::pair<const char*, int> cases[] = {{"OpenGL", 3}, {"gdi", 2}, {"Open", -1}, {"", -1}, {"DDraw", 1}};
    for (const auto& [text, marked] : cases) {
        c->SetText(text);
        Key(VK_F4);
        ASSERT_TRUE(c->DroppedDown()) << text;
        EXPECT_EQ(c->ListBox()->ItemIndex(), marked) << text;
        Key(VK_ESCAPE);
        EXPECT_EQ(c->Text(), text) << "cancelling keeps the text";
    }
}

TEST_F(TComboBoxTest, ItemsKeepTheSelectionWhenOthersComeAndGo)
{
    TComboBox* c = MakeCombo(csDropDownList);
    c->SetItemIndex(2);
    c->Items().Insert(0, "First");
    EXPECT_EQ(c->ItemIndex(), 3);
    c->Items().Delete(1);
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), "GDI");
    c->Items().Delete(2);
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->Text(), "");
    c->SetText("Vulkan");
    EXPECT_EQ(c->Items()[c->ItemIndex()], "Vulkan");
    c->Items().Clear();
    EXPECT_EQ(c->ItemIndex(), -1);
}

TEST_F(TComboBoxTest, OwnerDrawnItemsAndTheFaceAreDrawnThroughTheParent)
{
    int parentSaw = 0;
    auto inner = Form->WindowProc;
    Form->WindowProc = [&parentSaw, inner](TMessage& m) {
        if (m.Msg == WM_DRAWITEM)
            ++parentSaw;
        inner(m);
    };
    TComboBox* c = MakeCombo(csOwnerDrawFixed);
    bool faceDrawn = false;
    c->OnDrawItem = [&](TWinControl*, int index, TRect r, TOwnerDrawState state) {
        if (state.Contains(odComboBoxEdit))
            faceDrawn = true;
        c->Canvas().Brush().SetColor(index == 1 ? clRed : clLime);
        c->Canvas().FillRect(r);
    };
    c->SetItemIndex(1);
    Pump();
    EXPECT_TRUE(faceDrawn);
    EXPECT_EQ(PixelAt(c, 40, 9), clRed);
    Click(c, 20, 8);
    ASSERT_TRUE(c->DroppedDown());
    TPoint p = ItemPoint(c, 3);
    Pump();
    std::unique_ptr<TBitmap> screen = Backend->CaptureScreen();
    EXPECT_EQ(screen->Canvas()->Pixels(p.X, p.Y), clLime);
    EXPECT_GT(parentSaw, 1);
}

TEST_F(TComboBoxTest, TheFaceShowsTheChosenTextAndTheButton)
{
    TComboBox* c = MakeCombo(csDropDownList);
    c->SetItemIndex(0);
    Pump();
    EXPECT_TRUE(HasDarkPixel(c, TRect{2, 2, 60, 16}));
    int w = c->ClientWidth();
    EXPECT_EQ(PixelAt(c, w - 4, 3), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(c, 100, 9), ColorToRGB(clWindow));
}

TEST_F(TComboBoxTest, ABoxDeletedWhileOpenLeavesNoPopupOrCapture)
{
    TComboBox* c = MakeCombo(csDropDown);
    c->SetFocus();
    Key(VK_F4);
    ASSERT_TRUE(c->DroppedDown());
    HWND list = c->ListBox()->Handle();
    delete c;
    Pump();
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(GetCapture(), nullptr);
    Click(Form, 300, 250);
}

TEST_F(TComboBoxTest, AVariableOwnerDrawnListAsksTheParentForEachItemsHeight)
{
    std::vector<std::pair<UINT, UINT>> asked;   // control type, item
    auto inner = Form->WindowProc;
    Form->WindowProc = [&asked, inner](TMessage& m) {
        inner(m);
        if (m.Msg == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
            asked.emplace_back(mis->CtlType, mis->itemID);
            mis->itemHeight = mis->itemID == 2 ? 30 : 14;
        }
    };
    TComboBox* c = MakeCombo(csOwnerDrawVariable);
    c->OnDrawItem = [&](TWinControl*, int index, TRect r, TOwnerDrawState) {
        c->Canvas().Brush().SetColor(index == 2 ? clRed : clLime);
        c->Canvas().FillRect(r);
    };
    for (UINT i = 0; i < 5; ++i)
        EXPECT_NE(std::find(asked.begin(), asked.end(), std::make_pair(UINT(ODT_COMBOBOX), i)), asked.end())
            << "item " << i;
    c->SetDroppedDown(true);
    Pump();
    TComboListBox* list = c->ListBox();
    EXPECT_EQ(list->ItemRect(2).Top, 28);
    EXPECT_EQ(list->ItemRect(2).Height(), 30);
    EXPECT_EQ(list->ItemRect(3).Top, 58);
    EXPECT_EQ(list->ClientHeight(), 4 * 14 + 30) << "the open list holds all five items by their heights";
    EXPECT_EQ(PixelAt(list, 60, 40), clRed);
    EXPECT_EQ(PixelAt(list, 60, 20), clLime);
    // Choosing the tall item by the mouse.
    TPoint p = list->ClientToScreen(TPoint{60, 50});
    Backend->MouseMove(p.X, p.Y);
    ClickAt(p);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 2);
}

TEST_F(TComboBoxTest, AVariableComboWithoutAnAnsweringParentAsksOnMeasureItem)
{
    auto* c = new TComboBox(Form);
    c->SetStyle(csOwnerDrawVariable);
    c->OnMeasureItem = [](TWinControl*, int index, int& height) { height = 12 + index; };
    c->SetBounds(10, 10, 150, 22);
    c->SetParent(Form);
    for (const char* s : {"a", "b", "c"})
        c->Items().Add(s);
    c->SetDroppedDown(true);
    Pump();
    EXPECT_EQ(c->ListBox()->ItemRect(2).Top, 12 + 13);
    EXPECT_EQ(c->ListBox()->ItemRect(2).Height(), 14);
    c->SetDroppedDown(false);
}

TEST_F(TComboBoxTest, ASimpleComboShowsItsListBelowTheEditAndNeverDropsDown)
{
    TComboBox* c = MakeCombo(csSimple);
    c->SetBounds(10, 10, 150, 120);
    Pump();
    TComboListBox* list = c->ListBox();
    HWND listWnd = list->Handle();
    EXPECT_TRUE(IsWindowVisible(listWnd));
    EXPECT_TRUE(IsChild(c->Handle(), listWnd)) << "a child of the box, not a popup";
    EXPECT_FALSE(GetWindowLong(listWnd, GWL_STYLE) & WS_POPUP);
    TRect box, below, edit;
    GetWindowRect(c->Handle(), box);
    GetWindowRect(listWnd, below);
    GetWindowRect(c->EditControl()->Handle(), edit);
    EXPECT_EQ(below.Left, box.Left);
    EXPECT_EQ(below.Right, box.Right);
    EXPECT_EQ(below.Bottom, box.Bottom);
    EXPECT_GE(below.Top, edit.Bottom);
    EXPECT_EQ(edit.Right, box.Right - 2) << "no drop-down button beside the edit";
    // A click in the list chooses at once, the edit keeps the keys.
    TRect r = list->ItemRect(2);
    Click(list, 20, r.Top + r.Height() / 2);
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), "GDI");
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_TRUE(c->EditControl()->Focused());
    EXPECT_EQ(Log, (std::vector<std::string>{"click", "change"}));
    EXPECT_EQ(PixelAt(list, 100, r.Top + r.Height() / 2), ColorToRGB(clHighlight));
    // Arrow keys walk the list and fill the edit; F4 and Alt+Down open nothing.
    Key(VK_DOWN);
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(c->Text(), "OpenGL");
    EXPECT_EQ(list->ItemIndex(), 3);
    Key(VK_F4);
    Chord(VK_MENU, VK_DOWN);
    c->SetDroppedDown(true);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_TRUE(std::find(Log.begin(), Log.end(), "dropdown") == Log.end());
    // Typing moves the list to the first item the text starts.
    c->EditControl()->SelectAll();
    Type("v");
    EXPECT_EQ(c->Text(), "vulkan") << "completed with the item's rest";
    EXPECT_EQ(c->ItemIndex(), 4);
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_EQ(PixelAt(list, 100, list->ItemRect(4).Top + 3), ColorToRGB(clHighlight));
    // The edit shows the text inside its frame at the top.
    EXPECT_TRUE(HasDarkPixel(c, TRect{3, 3, 60, below.Top - box.Top - 2}));
}

TEST_F(TComboBoxTest, SwitchingToAndFromTheSimpleStyleMovesTheList)
{
    TComboBox* c = MakeCombo(csDropDown);
    c->SetBounds(10, 10, 150, 100);
    c->SetStyle(csSimple);
    Pump();
    EXPECT_TRUE(IsWindowVisible(c->ListBox()->Handle()));
    EXPECT_EQ(c->ListBox()->Items().Count(), 5);
    c->SetStyle(csDropDown);
    c->SetBounds(10, 10, 150, 22);
    Pump();
    EXPECT_FALSE(IsWindowVisible(c->ListBox()->Handle()));
    c->SetDroppedDown(true);
    Pump();
    EXPECT_TRUE(c->DroppedDown());
    EXPECT_TRUE(GetWindowLong(c->ListBox()->Handle(), GWL_STYLE) & WS_POPUP);
    c->SetDroppedDown(false);
}
