#pragma once
// The forms that have a skinning provider, so that the skin manager reaches
// every form when a skin comes, changes or goes; the freezing of their
// redrawing around a change; and the program's own icons, which a provider
// shows for a form that has none.

#include <vector>

#include "toolkit/win/Messages.h"

class TComponent;
class TIcon;
class TSkinManager;

// In order of addition, each form once.
const std::vector<TComponent*>& SkinnedForms();
// Adds nothing for a form already listed.
void AddSkinnedForm(TComponent* form);
// The last entry takes the freed slot.
void RemoveSkinnedForm(TComponent* form);

// A form takes part in freezing when it is a visible top-level form, not an
// MDI child nor minimized, whose provider's skin data uses manager. Nothing
// happens while the application is minimized, so no form stays frozen.
void FreezeSkinnedForms(TSkinManager* manager);
// Lets the frozen forms redraw; with repaint each is faded in (when the
// manager animates a change of skin), reshaped and redrawn at once.
void ThawSkinnedForms(TSkinManager* manager, bool repaint);
// Sends the message to every form of the application that has no provider
// and its controls, then to the skinned forms.
void BroadcastToForms(const TMessage& message);
// Sends the message to every skinned form and its controls, then to the
// visible windows the dialog skinning took over.
void BroadcastToSkinnedForms(const TMessage& message);

// The program file's small and large desktop icons; null before
// LoadApplicationIcons and when the desktop has none.
TIcon* AppSmallIcon();
TIcon* AppLargeIcon();
void LoadApplicationIcons();
// Frees both icons and empties the forms list.
void FreeApplicationIcons();
