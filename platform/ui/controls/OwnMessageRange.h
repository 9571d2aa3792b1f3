#pragma once
#include "platform/ui/controls/Controls.h"

// A common control answers the messages of its own range [First, First + 0x100)
// with one handler that tells whether it knew the message; the rest go on to
// the window procedure. True when Handler answered m (its Result set).
template <class TControl>
bool AnswerOwnMessage(TControl& Control, LRESULT (TControl::*Handler)(TMessage&, bool&), UINT First, TMessage& m)
{
    if (m.Msg < First || m.Msg >= First + 0x100)
        return false;
    bool handled = false;
    const LRESULT r = (Control.*Handler)(m, handled);
    if (handled)
        m.Result = r;
    return handled;
}
