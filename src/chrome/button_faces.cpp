#include "chrome/button_faces.h"

#include "chrome/skin_button.h"

namespace {

void showRestFace(SkinButton *button)
{
    if (button)
        button->showRestFace();
}

// A toggling tool's face for the state it starts in, whatever its tooltip says now.
void showStartFace(SkinButton *button, const char *stateToolTip)
{
    if (!button)
        return;
    const ButtonFaceState state{button->window()->isMaximized(), QString::fromUtf8(stateToolTip)};
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
    showStartFace(buttons.c_z[0], "停止");
    showStartFace(buttons.c_z[2], "静音");
    showStartFace(buttons.c_z[7], "显示");
    for (int i : {1, 3, 4, 5, 6, 8})
        showRestFace(buttons.c_z[i]);
}
