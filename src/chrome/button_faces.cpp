#include "chrome/button_faces.h"

#include "chrome/skin_button.h"

namespace {

void showRestFace(SkinButton *button)
{
    if (button)
        button->showRestFace();
}

// A toggling tool's face for the state it starts in (running, sound on, info pane hidden),
// whatever its state is now.
void showStartFace(SkinButton *button)
{
    if (!button)
        return;
    const ButtonFaceState state{button->window()->isMaximized(), false};
    if (const auto face = restFace(button->id(), state))
        button->showFace(*face);
}

} // namespace

void paint_button_faces(const SkinButtons &buttons)
{
    for (int i : {0, 1, 2, 4, 5})
        showRestFace(buttons.npc[i]);
    if (SkinButton *catalogue = buttons.npc[6])
        catalogue->showFace(*selectedTabFace(catalogue->id()));
    for (int i : {7, 8, 9, 3})
        showRestFace(buttons.npc[i]);
    for (int i : {0, 2, 7})
        showStartFace(buttons.c_z[i]);
    for (int i : {1, 3, 4, 5, 6, 8})
        showRestFace(buttons.c_z[i]);
}
