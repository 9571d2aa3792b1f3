#pragma once
#include <memory>
#include "platform/core/Strings.h"
#include "platform/ui/controls/Edit.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// The lines of a memo as a string list, read and written through the edit
// messages (EM_GETLINECOUNT, EM_LINEINDEX, EM_GETLINE, EM_SETSEL,
// EM_REPLACESEL), so a subclass of the memo sees every change. A last empty
// line after a final break is not counted, as the classic list does.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    std::string Text() const override;
    void SetText(const std::string& text) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int LineIndex(int line) const { return int(Send(EM_LINEINDEX, WPARAM(line))); }
    int TextLength() const { return int(Send(WM_GETTEXTLENGTH)); }
    TCustomMemo* FMemo;
};

// A multi-line edit with lines, scroll bars, and the choice whether Enter
// and Tab are typed into it or move on in the dialog.
class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings& Lines() { return *FLines; }
    void SetLines(const TStrings& value) { FLines->Assign(&value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }
    // Long lines wrap at word boundaries to the width (no sideways
    // scrolling then); Lines still holds the lines as typed.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    // The first row shown.
    int TopLine() { return int(Send(EM_GETFIRSTVISIBLELINE)); }

protected:
    friend class TMemoStrings;
    void CreateParams(TCreateParams& Params) override;
    void KeyPress(char32_t& Key) override;
    void DefaultHandler(TMessage& Message) override;

private:
    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FWordWrap = true;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};
