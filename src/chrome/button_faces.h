#pragma once

#include <array>

class SkinButton;

// The main window's skinned buttons by index: npc(0..9) and c_z(0..8).
struct SkinButtons {
    std::array<SkinButton *, 10> npc{};
    std::array<SkinButton *, 9> c_z{};
};

// Every button in its start-up face, in the skin's order: the title buttons at rest (restore
// while maximised, the pin by its tooltip), the catalogue tab selected and the other tabs at
// rest, then the tools at rest with pause, mute and the show-arrow whatever their tooltips say.
// Missing buttons are skipped.
void paint_button_faces(const SkinButtons &buttons);
