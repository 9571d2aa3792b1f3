#pragma once
#include <string>

#include "platform/core/Component.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/forms/Forms.h"

// Forms are built in code as a stored form loads: each component is created
// in stored order, marked as loading, named and parented, and gets its
// properties; the form's AfterConstruction then runs Loaded for all of them.
template <class T>
T* MakeComponent(TComponent* AOwner, const std::string& AName)
{
    T* c = new T(AOwner);
    c->Loading();
    c->SetName(AName);
    return c;
}

template <class T>
T* MakeControl(TComponent* AOwner, TWinControl* AParent, const std::string& AName, int ALeft, int ATop, int AWidth,
               int AHeight)
{
    T* c = MakeComponent<T>(AOwner, AName);
    c->SetParent(AParent);
    c->SetBounds(ALeft, ATop, AWidth, AHeight);
    return c;
}

// What every program window sets first, marked as loading: its name and
// caption, a single border with the given icons, its place, its client size
// and the program's font (宋体, 12 pixels).
inline void BeginProgramForm(TForm& AForm, const std::string& AName, const std::string& ACaption,
                             TBorderIcons AIcons, TPosition APosition, int AClientWidth, int AClientHeight)
{
    AForm.Loading();
    AForm.SetName(AName);
    AForm.SetCaption(ACaption);
    AForm.SetBorderStyle(bsSingle);
    AForm.SetBorderIcons(AIcons);
    AForm.SetPosition(APosition);
    AForm.SetClientWidth(AClientWidth);
    AForm.SetClientHeight(AClientHeight);
    AForm.Font().SetName("宋体");
    AForm.Font().SetHeight(-12);
}
